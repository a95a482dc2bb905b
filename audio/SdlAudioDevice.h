#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "AudioDevice.h"
#include "PollingThread.h"
#include "SeqLock.h"
#include "ServerLatency.h"

// "SDL2": the waveOut output's contract over SDL's audio queue. Two
// one-second buffers are queued at start; a feeder thread refills and queues
// one buffer each time a second of audio has been played.
class SdlAudioDevice : public AudioDevice {
public:
  SdlAudioDevice() = default;
  ~SdlAudioDevice() override;

  int open(void* window) override;
  void start() override;
  void close() override;
  // Empties SDL's queue once the source has sought; the feeder then queues
  // two buffers from there.
  bool seek(double seconds) override;
  // SDL stops taking from its queue, and plays on from it at resume.
  void pause() override;
  void resume() override;

  // Fills buffer `current` from the source and queues it; nothing once
  // stopped. False when SDL refused it: the next call queues the same bytes.
  bool refill();
  // Bytes handed to the device so far: queued minus still waiting.
  uint64_t playedBytes() const;

  // Index (0 or 1) of the buffer that the next refill handles.
  std::atomic<int32_t> current{0};
  SDL_AudioDeviceID device = 0;
  uint8_t* buffers[2] = {nullptr, nullptr};
  // Bytes queued since start, changed together with SDL's queue: the
  // position (queued minus waiting) sees both before or both after.
  SeqLock<uint64_t> queuedBytes;

private:
  // Tells the source which delivered byte the device has taken, and when.
  void reportPosition();
  bool feed();
  bool secondPlayed() const;
  // Where SDL plays through a server this build can ask, has the latency follow what it holds.
  void watchServerLatency(double period);

  // Held while a buffer is filled and queued, so that a seek or a pause falls between two.
  std::mutex refillLock;
  PollingThread feeder;
  // Under refillLock: buffer `current` holds bytes that SDL refused to queue.
  bool refused = false;
  std::unique_ptr<ServerLatency> serverLatency;
};
