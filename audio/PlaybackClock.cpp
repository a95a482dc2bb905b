#include "PlaybackClock.h"

#include <algorithm>
#include <limits>

namespace {

// The playback format: 44100 frames of two 16-bit samples a second.
const double bytesPerSecond = 176400.0;
// Corrections run the clock at most this much faster or slower than the timer.
const double slewRate = 0.05;
// Position changes are compared over two of these.
const uint32_t halfWindowMs = 250;
// Playback is under way once its position has kept within the slew rate of
// the timer for this long.
const uint32_t steadyMs = 300;
// Outputs report their position at least this often; a longer gap between
// two reports (a stalled thread) is no part of the position's step.
const double reportGap = 0.020;

// From `from` to `to` on the wrapping timer; negative when `to` came first.
double secondsBetween(uint32_t from, uint32_t to) {
  return static_cast<double>(static_cast<int32_t>(to - from)) * 0.001;
}

} // namespace

PlaybackClock::PlaybackClock(double openPosition) {
  segmentMusic = openPosition;
  current.music = openPosition;
  publish(current);
}

double PlaybackClock::musicAt(uint64_t streamByte) const {
  return segmentMusic + static_cast<double>(streamByte - segmentByte) / bytesPerSecond;
}

// Silence after the music counts as music time: it is played too.
void PlaybackClock::delivered(uint32_t bytes) {
  std::lock_guard<std::mutex> lock(writerLock);
  deliveredBytes += bytes;
}

void PlaybackClock::played(uint64_t streamByte, uint32_t atMs) {
  std::lock_guard<std::mutex> lock(writerLock);
  // Audio from before a seek, or a position while paused: the pause said where it stopped.
  if (outputPaused || streamByte < segmentByte) return;
  if (baseline) {
    if (streamByte < lastByte) {
      lastByte = streamByte; // after a stray position ahead, the next move counts again
      return;
    }
    if (streamByte > lastByte) positionChanged(streamByte, atMs);
    bound(streamByte, atMs);
    return;
  }
  // The first position in this stretch, or after a pause: where playback
  // starts, not yet that it moves. Until it does, the clock holds there.
  baseline = true;
  lastByte = streamByte;
  lastReportAt = atMs;
  window[0] = window[1] = Candidate();
  starting = true;
  steadySince = Candidate();
  if (current.kind == exact) return; // holding at the seek already
  Anchor hold = current;
  hold.bounded = false; // a position before the seek or the pause bounds nothing now
  hold.music = musicAt(streamByte);
  hold.at = atMs;
  hold.running = false;
  hold.kind = fromPosition;
  publish(hold);
}

// How far the position moved beyond the time between the two reports: the
// size of the output's step. After a gap in the reports (the reporting
// thread stalled) the whole move would put the bound that much too late.
double PlaybackClock::stepTo(uint64_t streamByte, uint32_t atMs) const {
  const double moved = static_cast<double>(streamByte - lastByte) / bytesPerSecond;
  const double gap = secondsBetween(lastReportAt, atMs);
  return std::max(0.0, moved - std::max(0.0, gap - reportGap));
}

void PlaybackClock::positionChanged(uint64_t streamByte, uint32_t atMs) {
  const double step = stepTo(streamByte, atMs);
  lastByte = streamByte;
  lastStep = step;
  Candidate seen;
  seen.music = musicAt(streamByte);
  seen.at = atMs;
  seen.valid = true;
  Anchor next = current;
  if (!next.running) ++next.starts;
  next.running = true;
  next.kind = fromPosition;
  const Candidate best = starting ? startingChange(seen) : steadyChange(seen);
  next.starting = starting;
  next.reach = step;
  next.music = best.music;
  next.at = best.at;
  publish(next);
}

// The output has played no further than `streamByte` at `atMs`, give or take
// a step. Reported again unmoved, the bound stays put while time passes.
void PlaybackClock::bound(uint64_t streamByte, uint32_t atMs) {
  Anchor next = current;
  next.bounded = true;
  next.ceiling = musicAt(streamByte) + lastStep;
  next.ceilingAt = atMs;
  lastReportAt = atMs;
  publish(next);
}

// While playback starts, its position may run slower than the timer: the
// clock follows the latest change, forward only, until the position keeps
// time.
PlaybackClock::Candidate PlaybackClock::startingChange(const Candidate& seen) {
  if (!steadySince.valid) steadySince = seen;
  const double span = secondsBetween(steadySince.at, seen.at);
  if (span * 1000.0 >= steadyMs) {
    const double rate = (seen.music - steadySince.music) / span;
    starting = rate < 1.0 - slewRate || rate > 1.0 + slewRate;
    steadySince = seen;
    window[0] = seen;
    window[1] = Candidate();
    windowStart = seen.at;
  }
  return seen;
}

PlaybackClock::Candidate PlaybackClock::steadyChange(const Candidate& seen) {
  if (seen.at - windowStart >= halfWindowMs) {
    if (window[0].valid) window[1] = window[0];
    window[0] = Candidate();
    windowStart = seen.at;
  }
  window[0] = later(window[0], seen);
  return later(window[0], window[1]);
}

// The candidate that puts the music later, both run on to the same moment.
PlaybackClock::Candidate PlaybackClock::later(const Candidate& a, const Candidate& b) {
  if (!a.valid) return b;
  if (!b.valid) return a;
  const double aAtB = a.music + secondsBetween(a.at, b.at);
  return aAtB >= b.music ? a : b;
}

void PlaybackClock::seek(double to, uint32_t nowMs) {
  std::lock_guard<std::mutex> lock(writerLock);
  segmentByte = deliveredBytes;
  segmentMusic = to;
  baseline = false;
  Anchor next = current;
  next.music = to;
  next.at = nowMs;
  next.running = false; // what is heard meanwhile is what the output had before
  next.kind = exact;
  next.bounded = false;
  ++next.seeks;
  publish(next);
}

void PlaybackClock::paused(uint64_t streamByte, uint32_t atMs) {
  std::lock_guard<std::mutex> lock(writerLock);
  outputPaused = true;
  // Holding already: at a seek, or where playback has not started.
  if (!current.running || streamByte < segmentByte) return;
  Anchor next = current;
  next.music = musicAt(streamByte);
  next.at = atMs;
  next.kind = draining;
  next.starting = true; // forward only
  publish(next);
}

void PlaybackClock::resumed() {
  std::lock_guard<std::mutex> lock(writerLock);
  if (!outputPaused) return;
  outputPaused = false;
  baseline = false; // the next position is where playback starts again
}

void PlaybackClock::publish(const Anchor& next) {
  current = next;
  published.store(next);
}

PlaybackClock::Anchor PlaybackClock::anchor() const {
  return published.load();
}

double PlaybackClock::read(double latency, uint32_t nowMs) {
  const Anchor a = anchor();
  // The anchor may be a moment newer than `nowMs`, read before it was published.
  double run = a.running ? secondsBetween(a.at, nowMs) : 0.0;
  if (a.starting && a.kind == fromPosition) run = std::min(run, a.reach);
  double target = a.music + run;
  if (a.kind == fromPosition) target -= latency;
  // What the output had played is heard over the latency after it stopped.
  if (a.kind == draining) target = a.music - std::max(0.0, latency - run);
  // A latency below zero (set by the user) puts the clock ahead of the position on purpose.
  double highest = std::numeric_limits<double>::infinity();
  if (a.bounded && a.kind == fromPosition)
    highest = a.ceiling + std::max(0.0, secondsBetween(a.ceilingAt, nowMs)) - std::min(0.0, latency);
  std::lock_guard<std::mutex> lock(readerLock);
  return slew(a, target, highest, nowMs);
}

double PlaybackClock::slew(const Anchor& a, double target, double highest, uint32_t nowMs) {
  double value = target;
  if (!shown || a.seeks != shownSeeks) {
    // The first reading, or a seek: the clock steps.
  } else if (a.starts != shownStarts || !a.running || a.starting) {
    // Playback starts, or holds: forward only, and no later than the bound.
    value = std::min(std::max(target, shownValue), std::max(highest, shownValue));
  } else {
    // A reader that took the timer before another reader's turn sees no time pass.
    const double elapsed = std::max(0.0, secondsBetween(shownAt, nowMs));
    if (elapsed == 0.0) nowMs = shownAt;
    const double limit = slewRate * elapsed;
    const double freeRunning = shownValue + elapsed;
    value = freeRunning + std::min(limit, std::max(-limit, target - freeRunning));
    value = std::min(value, std::max(highest, shownValue)); // stops at the bound, never goes back
  }
  shown = true;
  shownValue = value;
  shownAt = nowMs;
  shownStarts = a.starts;
  shownSeeks = a.seeks;
  return value;
}
