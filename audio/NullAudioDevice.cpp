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
  // Two one-second buffers are taken ahead of the timer.
  if (provider) provider->setOutputLead(2.0);
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

void NullAudioDevice::restart() {
  std::lock_guard<std::mutex> lock(stateLock);
  if (!running) return;
  // What was taken and not yet played is dropped: the next byte played is the next one taken.
  startMs = readMillisecondTimer();
  startByte = taken;
  buffersTaken = 0;
  pollLocked();
}

void NullAudioDevice::poll() {
  std::lock_guard<std::mutex> lock(stateLock);
  pollLocked();
}

void NullAudioDevice::pollLocked() {
  if (!running) return;
  const uint32_t now = readMillisecondTimer();
  const uint32_t elapsedMs = now - startMs;
  // The play position is the timer: whole frames played since start.
  const uint64_t frames = static_cast<uint64_t>(elapsedMs) * static_cast<uint64_t>(sampleRate) / 1000;
  provider->reportPlayed(startByte + frames * 2 * static_cast<uint64_t>(bytesPerSample), now);
  const uint32_t due = elapsedMs / 1000 + buffersAhead;
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
