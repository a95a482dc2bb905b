#include "NullAudioDevice.h"

#include <chrono>

#include "AudioProvider.h"
#include "MillisecondTimer.h"

namespace {

// Well under the 20 ms within which the play position must be known.
const auto pollInterval = std::chrono::milliseconds(10);
// Buffers taken at start: what is playing and the next.
const uint32_t buffersAhead = 2;

} // namespace

NullAudioDevice::~NullAudioDevice() {
  close();
}

int NullAudioDevice::open(void*) {
  running = false;
  buffer.assign(static_cast<size_t>(bufferBytes), 0);
  return 0;
}

void NullAudioDevice::start() {
  if (poller.started()) return; // one poller per device
  {
    std::lock_guard<std::mutex> lock(stateLock);
    running = true;
    startMs = readMillisecondTimer();
    startByte = 0;
    taken = 0;
    buffersTaken = 0;
    pollLocked();
  }
  poller.start(pollInterval, [this] {
    poll();
    return false;
  });
}

bool NullAudioDevice::seek(double seconds) {
  std::lock_guard<std::mutex> lock(stateLock);
  if (!provider->seek(seconds)) return false;
  if (!running) return true;
  // What was taken and not yet played is dropped: the next byte played is the next one taken.
  startMs = playingNow();
  startByte = taken;
  buffersTaken = 0;
  pollLocked();
  return true;
}

void NullAudioDevice::pause() {
  std::lock_guard<std::mutex> lock(stateLock);
  if (!running || paused) return;
  pollLocked();
  pausedMs = readMillisecondTimer();
  paused = true;
  provider->reportPaused(playedBytes(pausedMs), pausedMs);
}

void NullAudioDevice::resume() {
  std::lock_guard<std::mutex> lock(stateLock);
  if (!running || !paused) return;
  // The pause does not count as played.
  startMs += readMillisecondTimer() - pausedMs;
  paused = false;
  provider->reportResumed();
  pollLocked();
}

void NullAudioDevice::poll() {
  std::lock_guard<std::mutex> lock(stateLock);
  pollLocked();
}

uint32_t NullAudioDevice::playingNow() const {
  return paused ? pausedMs : readMillisecondTimer();
}

// The play position is the timer: whole frames played since start.
uint64_t NullAudioDevice::playedBytes(uint32_t now) const {
  const uint64_t frames = static_cast<uint64_t>(now - startMs) * static_cast<uint64_t>(sampleRate) / 1000;
  return startByte + frames * 2 * static_cast<uint64_t>(bytesPerSample);
}

void NullAudioDevice::pollLocked() {
  if (!running) return;
  const uint32_t timer = readMillisecondTimer();
  const uint32_t now = paused ? pausedMs : timer;
  provider->reportPlayed(playedBytes(now), timer);
  const uint32_t due = (now - startMs) / 1000 + buffersAhead;
  while (buffersTaken < due) {
    provider->fill(buffer.data(), static_cast<uint32_t>(buffer.size()));
    taken += buffer.size();
    ++buffersTaken;
  }
}

uint64_t NullAudioDevice::takenBytes() const {
  std::lock_guard<std::mutex> lock(stateLock);
  return taken;
}

void NullAudioDevice::close() {
  if (running) stop();
  poller.stop();
}
