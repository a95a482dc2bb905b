#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "AudioDevice.h"
#include "PollingThread.h"

// "Null": plays into nothing, on every platform; needs no device and no
// sound server. It takes one buffer from its source for each second of the
// millisecond timer, keeping two ahead as the waveOut output does, and its
// play position is that timer.
class NullAudioDevice : public AudioDevice {
public:
  NullAudioDevice() = default;
  ~NullAudioDevice() override;

  int open(void* window) override;
  void start() override;
  void close() override;
  bool seek(double seconds) override;
  void pause() override;
  void resume() override;

  // Takes the buffers that the timer has made due. Its thread calls it every
  // few milliseconds; calling it again for the same timer reading changes nothing.
  void poll();
  // Bytes taken from the source since start.
  uint64_t takenBytes() const;

private:
  void pollLocked();
  // The timer reading that the play position follows: frozen while paused.
  uint32_t playingNow() const;
  uint64_t playedBytes(uint32_t now) const;

  std::vector<uint8_t> buffer;
  // Guards what follows against the poller: start and close run on the caller's thread.
  mutable std::mutex stateLock;
  // Since start or the latest seek: when (moved on by each pause), the first
  // byte played then, and the buffers taken.
  uint32_t startMs = 0;
  uint32_t pausedMs = 0;
  uint64_t startByte = 0;
  uint32_t buffersTaken = 0;
  uint64_t taken = 0;
  PollingThread poller;
};
