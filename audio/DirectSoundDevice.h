#pragma once

#include <windows.h>
// after windows.h, which they need
#include <dsound.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

#include "AudioDevice.h"

// "DirectSound8": one looping secondary buffer of one second. A feeder thread
// wakes every 100 ms and refills the stretch that the play cursor has passed
// since its previous pass, so the audio written is heard one second later.
class DirectSoundDevice : public AudioDevice {
public:
  // Feeder states.
  static constexpr int32_t feederRunning = 0;
  static constexpr int32_t feederStopRequested = 1;
  static constexpr int32_t feederStopped = 2;

  DirectSoundDevice() = default;
  ~DirectSoundDevice() override;

  // Needs the application's window for the cooperative level.
  int open(void* window) override;
  void start() override;
  // Ends the feeder (waiting for it), then releases the buffer and the object.
  void close() override;
  // Seeks the source and, once the feeder has primed the buffer, rewrites
  // it from the write cursor round to the play cursor with the audio from
  // there; what lies between the two cursors is the platform's already and
  // plays out first.
  bool seek(double seconds) override;
  // Stops the buffer where it is; resume plays it on from there.
  void pause() override;
  void resume() override;

  // Zeroes the whole sound buffer.
  void clearBuffer();
  // Copies the first `count` bytes of `staging` into the sound buffer from
  // `offset` on, restoring and restarting a lost buffer.
  void writeBuffer(uint32_t offset, uint32_t count);
  // The feeder's first step: one whole second decoded and written, then Play.
  void primeBuffer();
  // One pass of the feeder, under `lock`: decodes and writes what the play
  // cursor has passed since `writePosition`. Returns the bytes written.
  uint32_t feedPass();
  // Tells the source which delivered byte the play cursor has reached, and when.
  void reportPosition();
  // Under `lock`: moves playedBytes on to the play cursor; false where the
  // cursor cannot be read or has gone back.
  bool followCursor();
  // Under `lock`, after the source has sought: the rewrite that seek describes.
  void rewriteFromWriteCursor();
  // The feeder thread's body: a pass every 100 ms, the play position every 10 ms.
  void feederThread();

  uint8_t* staging = nullptr;
  IDirectSound8* directSound = nullptr;
  IDirectSoundBuffer* soundBuffer = nullptr;
  CRITICAL_SECTION lock;
  HANDLE thread = nullptr;
  // Written by the main thread (start, close), read by the feeder once per pass.
  std::atomic<int32_t> threadState{feederStopped};
  // Where the next pass writes: the play cursor that the previous pass read.
  uint32_t writePosition = 0;
  // Under `lock`: the play cursor at the latest report, the source's byte
  // there, and all bytes taken from the source.
  uint32_t lastCursor = 0;
  uint64_t playedBytes = 0;
  uint64_t takenBytes = 0;
  bool primed = false;

private:
  bool lockReady = false;
};

// The feeder thread's entry: runs the feeder of the device it is given.
DWORD WINAPI directSoundFeeder(LPVOID device);

// Bytes that the play cursor has passed on its way from `position` to `play`
// in a circular buffer of `size` bytes.
uint32_t bytesPassed(uint32_t play, uint32_t position, uint32_t size);
// `position` moved on by `count` bytes in a circular buffer of `size` bytes.
uint32_t advancePosition(uint32_t position, uint32_t count, uint32_t size);
// Copies `source` into the two parts that a Lock gave, each filled exactly
// (as far as `sourceBytes` reaches); an absent part gets nothing.
void copyIntoParts(const uint8_t* source, uint32_t sourceBytes, void* first, DWORD firstBytes, void* second,
                   DWORD secondBytes);

// Calls `tryLock` until it succeeds, calling `recover` and pausing `pauseMs`
// after each failure. Gives up, returning false, once `stopRequested` is true.
template <class TryLock, class Recover, class StopRequested>
bool lockWithRecovery(TryLock tryLock, Recover recover, StopRequested stopRequested, DWORD pauseMs) {
  while (!tryLock()) {
    if (stopRequested()) return false;
    recover();
    Sleep(pauseMs);
  }
  return true;
}
