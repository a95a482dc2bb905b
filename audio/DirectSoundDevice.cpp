#include "DirectSoundDevice.h"

#include <cstring>

#include "AudioEngineLatency.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"

namespace {

const DWORD passIntervalMs = 100;
// The play position is reported this often between passes, for the clock.
const int positionsPerPass = 10;
// Between tries to lock a lost buffer: long enough not to spin, short next to a pass.
const DWORD lostBufferPauseMs = 10;

WAVEFORMATEX playbackFormat(int32_t sampleRate, int32_t bitsPerSample, int32_t bytesPerSample) {
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
  format.nBlockAlign = static_cast<WORD>(2 * bytesPerSample);
  format.nAvgBytesPerSec = static_cast<DWORD>(sampleRate) * format.nBlockAlign;
  format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
  format.cbSize = 0;
  return format;
}

// 36 bytes in 32-bit builds; 64-bit pointers make it 40.
static_assert(sizeof(void*) != 4 || sizeof(DSBUFFERDESC) == 36, "DSBUFFERDESC is 36 bytes");

DSBUFFERDESC bufferDescription(int32_t bufferBytes, WAVEFORMATEX* format) {
  DSBUFFERDESC description = {};
  description.dwSize = sizeof(DSBUFFERDESC);
  description.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_STICKYFOCUS;
  description.dwBufferBytes = static_cast<DWORD>(bufferBytes);
  description.dwReserved = 0;
  description.lpwfxFormat = format;
  // guid3DAlgorithm stays all zero: the default algorithm.
  return description;
}

void play(IDirectSoundBuffer* buffer) {
  buffer->Play(0, 0, DSBPLAY_LOOPING);
}

} // namespace

uint32_t bytesPassed(uint32_t play, uint32_t position, uint32_t size) {
  return play >= position ? play - position : play + size - position;
}

uint32_t advancePosition(uint32_t position, uint32_t count, uint32_t size) {
  uint32_t next = position + count;
  return next >= size ? next - size : next;
}

void copyIntoParts(const uint8_t* source, uint32_t sourceBytes, void* first, DWORD firstBytes, void* second,
                   DWORD secondBytes) {
  uint32_t firstCopy = first ? (firstBytes < sourceBytes ? firstBytes : sourceBytes) : 0;
  if (firstCopy) std::memcpy(first, source, firstCopy);
  uint32_t left = sourceBytes - firstCopy;
  uint32_t secondCopy = second ? (secondBytes < left ? secondBytes : left) : 0;
  if (secondCopy) std::memcpy(second, source + firstCopy, secondCopy);
}

DirectSoundDevice::~DirectSoundDevice() {
  close();
  if (lockReady) DeleteCriticalSection(&lock);
  delete[] staging;
}

int DirectSoundDevice::open(void* window) {
  running = false;
  InitializeCriticalSection(&lock);
  lockReady = true;
  if (FAILED(DirectSoundCreate8(nullptr, &directSound, nullptr))) {
    directSound = nullptr;
    throw "Could not create DirectSound8-instance!";
  }
  if (FAILED(directSound->SetCooperativeLevel(static_cast<HWND>(window), DSSCL_PRIORITY)))
    throw "Could not set cooperative level to DSSCL_PRIORITY!";
  WAVEFORMATEX format = playbackFormat(sampleRate, bitsPerSample, bytesPerSample);
  DSBUFFERDESC description = bufferDescription(bufferBytes, &format);
  if (FAILED(directSound->CreateSoundBuffer(&description, &soundBuffer, nullptr))) {
    soundBuffer = nullptr;
    throw "Could not create DirectSoundBuffer8!";
  }
  soundBuffer->SetCurrentPosition(0);
  staging = new uint8_t[static_cast<size_t>(bufferBytes)];
  clearBuffer();
  // The engine adds its own delay after the play cursor.
  if (provider) provider->setOutputLatency(audioEngineLatency());
  return 0;
}

void DirectSoundDevice::clearBuffer() {
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0, secondBytes = 0;
  if (soundBuffer->Lock(0, static_cast<DWORD>(bufferBytes), &first, &firstBytes, &second, &secondBytes, 0) !=
      DS_OK)
    return;
  if (first) std::memset(first, 0, firstBytes);
  if (second) std::memset(second, 0, secondBytes);
  soundBuffer->Unlock(first, firstBytes, second, secondBytes);
}

void DirectSoundDevice::writeBuffer(uint32_t offset, uint32_t count) {
  if (count == 0) return;
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0, secondBytes = 0;
  bool locked = lockWithRecovery(
      [&] {
        return soundBuffer->Lock(offset, count, &first, &firstBytes, &second, &secondBytes, 0) == DS_OK;
      },
      [&] {
        soundBuffer->Restore();
        if (!paused) play(soundBuffer);
      },
      [&] { return threadState == feederStopRequested; }, lostBufferPauseMs);
  if (!locked) return;
  copyIntoParts(staging, count, first, firstBytes, second, secondBytes);
  soundBuffer->Unlock(first, firstBytes, second, secondBytes);
}

void DirectSoundDevice::start() {
  if (thread) return; // one feeder per device
  running = true;
  // Set before the thread exists, so that a close that follows at once
  // cannot be overwritten by the feeder starting up.
  threadState = feederRunning;
  writePosition = 0;
  thread = CreateThread(nullptr, 0, directSoundFeeder, this, 0, nullptr);
  if (!thread) threadState = feederStopped;
}

void DirectSoundDevice::primeBuffer() {
  EnterCriticalSection(&lock);
  provider->fill(staging, static_cast<uint32_t>(bufferBytes));
  takenBytes += static_cast<uint32_t>(bufferBytes);
  writeBuffer(0, static_cast<uint32_t>(bufferBytes));
  if (!paused) play(soundBuffer);
  primed = true;
  LeaveCriticalSection(&lock);
}

uint32_t DirectSoundDevice::feedPass() {
  EnterCriticalSection(&lock);
  uint32_t size = static_cast<uint32_t>(bufferBytes);
  DWORD playCursor = writePosition; // a failed query writes nothing
  soundBuffer->GetCurrentPosition(&playCursor, nullptr);
  uint32_t count = bytesPassed(playCursor % size, writePosition, size);
  provider->fill(staging, count);
  takenBytes += count;
  writeBuffer(writePosition, count);
  writePosition = advancePosition(writePosition, count, size);
  LeaveCriticalSection(&lock);
  return count;
}

bool DirectSoundDevice::followCursor() {
  DWORD play = 0;
  if (FAILED(soundBuffer->GetCurrentPosition(&play, nullptr))) return false;
  const uint32_t size = static_cast<uint32_t>(bufferBytes);
  // The buffer holds the source's bytes in order round the circle, so the
  // cursor's way round counts the bytes played.
  // Read every 10 ms, it cannot have gone half way round: a cursor a little
  // behind the last one is a glitch, not a second played.
  const uint32_t passed = bytesPassed(play % size, lastCursor, size);
  if (passed >= size / 2) return false;
  playedBytes += passed;
  lastCursor = play % size;
  return true;
}

// The cursor first, then the time: a late timer reading only makes the
// position look older, which the clock discounts.
void DirectSoundDevice::reportPosition() {
  EnterCriticalSection(&lock);
  if (followCursor()) provider->reportPlayed(playedBytes, readMillisecondTimer());
  LeaveCriticalSection(&lock);
}

bool DirectSoundDevice::seek(double seconds) {
  EnterCriticalSection(&lock);
  const bool sought = provider->seek(seconds);
  // Before the feeder has primed the buffer, its first fill comes from there.
  if (sought && primed) rewriteFromWriteCursor();
  LeaveCriticalSection(&lock);
  return sought;
}

void DirectSoundDevice::rewriteFromWriteCursor() {
  DWORD play = 0, write = 0;
  // Without the cursors the passes bring the new audio, a buffer later.
  if (FAILED(soundBuffer->GetCurrentPosition(&play, &write))) return;
  const uint32_t size = static_cast<uint32_t>(bufferBytes);
  const uint32_t committed = bytesPassed(write % size, play % size, size);
  // The seek's first byte plays once the cursor has passed what is committed.
  lastCursor = play % size;
  playedBytes = takenBytes - committed;
  const uint32_t count = size - committed;
  provider->fill(staging, count);
  takenBytes += count;
  writeBuffer(write % size, count);
  // The rewrite ends at the play cursor; the passes go on from there.
  writePosition = lastCursor;
}

void DirectSoundDevice::pause() {
  EnterCriticalSection(&lock);
  if (running && !paused) {
    paused = true;
    // Before the feeder has primed the buffer, it does not start playing.
    if (primed) {
      soundBuffer->Stop();
      followCursor();
    }
    provider->reportPaused(playedBytes, readMillisecondTimer());
  }
  LeaveCriticalSection(&lock);
}

void DirectSoundDevice::resume() {
  EnterCriticalSection(&lock);
  if (running && paused) {
    paused = false;
    provider->reportResumed();
    if (primed) play(soundBuffer);
  }
  LeaveCriticalSection(&lock);
}

void DirectSoundDevice::feederThread() {
  reportPosition(); // nothing played yet: the clock holds until playback moves
  primeBuffer();
  while (threadState == feederRunning) {
    feedPass();
    for (int i = 0; i < positionsPerPass && threadState == feederRunning; ++i) {
      Sleep(passIntervalMs / positionsPerPass);
      reportPosition();
    }
  }
  soundBuffer->Stop();
  threadState = feederStopped;
}

void DirectSoundDevice::close() {
  if (running) stop();
  if (thread) {
    threadState = feederStopRequested;
    // The feeder ends by itself within one pass; nothing may be released before.
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    thread = nullptr;
  }
  if (soundBuffer) soundBuffer->Release();
  if (directSound) directSound->Release();
  soundBuffer = nullptr;
  directSound = nullptr;
}

DWORD WINAPI directSoundFeeder(LPVOID device) {
  if (device) static_cast<DirectSoundDevice*>(device)->feederThread();
  return 0;
}
