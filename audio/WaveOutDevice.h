#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "AudioDevice.h"

// "WaveOut": two one-second buffers queued on the platform's waveOut; each
// finished buffer is refilled from the source and queued again.
class WaveOutDevice : public AudioDevice {
public:
  WaveOutDevice() = default;
  ~WaveOutDevice() override;

  int open(void* window) override;
  void start() override;
  void close() override;
  // Seeks the source and resets the device, which returns both buffers;
  // each is refilled from the new position as its completion comes.
  bool seek(double seconds) override;
  void pause() override;
  void resume() override;

  // Fills buffer `current` from the source and queues it; nothing once stopped.
  void refill();

  // Index (0 or 1) of the buffer that the next refill handles.
  std::atomic<int32_t> current{0};
  HWAVEOUT waveOut = nullptr;
  WAVEHDR headers[2] = {};
  uint8_t* buffers[2] = {nullptr, nullptr};

private:
  friend void CALLBACK waveOutCallback(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);
  // Called from the platform's callback: only counts and wakes the refiller.
  void bufferDone();
  void refillLoop();
  // Tells the source which delivered byte the device plays, and when.
  void reportPosition();
  // Under deviceLock: moves playedBytes on to the device's position; false
  // where the device gives none.
  bool followPosition();
  void stopRefiller();

  // Held by refills, position reports, seeks and pauses.
  std::mutex deviceLock;
  // Bytes handed to waveOutWrite since open.
  uint64_t writtenBytes = 0;
  // The device's position, followed by the refiller (and by start before it plays).
  uint32_t lastPosition = 0;
  uint64_t playedBytes = 0;
  HANDLE wake = nullptr;
  std::atomic<int> pendingRefills{0};
  std::atomic<bool> refillerStop{false};
  std::thread refiller;
};

// The waveOut completion callback: a WOM_DONE for a device (the instance
// value) asks for one refill; everything else is ignored.
void CALLBACK waveOutCallback(HWAVEOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                              DWORD_PTR param2);
