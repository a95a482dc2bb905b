#include "FramePacer.h"

#include <chrono>
#include <thread>

namespace {

// Frames judged together, and how many of them must come quickly: a swap that
// waits may still return at once for the first few frames a driver queues.
const int judgedFrames = 16;
const int quickFramesToPace = 12;
const double quickShare = 0.75; // of a period

} // namespace

FramePacer::FramePacer(double refreshRate, Clock now, Wait sleep)
    : period(1.0 / refreshRate), clock(std::move(now)), wait(std::move(sleep)) {}

double FramePacer::rateFor(int displayRate, int askedRate) {
  return displayRate > 1 ? displayRate : askedRate;
}

double FramePacer::steadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void FramePacer::sleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void FramePacer::frameShown() {
  double now = clock();
  if (!paced) {
    if (shownBefore) learn(now - lastShown);
    shownBefore = true;
    lastShown = now;
    if (!paced) return;
    nextStart = now + period;
  }
  // More than a period late: start again from now, as a display drops a
  // frame, instead of drawing the missed ones back to back.
  if (now > nextStart + period) nextStart = now;
  if (nextStart > now) wait(nextStart - now);
  nextStart += period;
}

void FramePacer::learn(double interval) {
  if (interval < quickShare * period) ++quick;
  if (++measured < judgedFrames) return;
  paced = quick >= quickFramesToPace;
  measured = 0;
  quick = 0;
}
