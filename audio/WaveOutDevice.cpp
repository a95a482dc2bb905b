#include "WaveOutDevice.h"

#include <cstring>

#include "AudioEngineLatency.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"

namespace {

const UINT headerSize = sizeof(WAVEHDR);
// Between play position reports: well under the 20 ms within which the clock needs one.
const DWORD positionIntervalMs = 10;

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

} // namespace

WaveOutDevice::~WaveOutDevice() {
  if (waveOut) close();
  stopRefiller();
  if (wake) CloseHandle(wake);
  delete[] buffers[0];
  delete[] buffers[1];
}

int WaveOutDevice::open(void*) {
  running = false;
  WAVEFORMATEX format = playbackFormat(sampleRate, bitsPerSample, bytesPerSample);
  if (waveOutOpen(&waveOut, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(waveOutCallback),
                  reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
    waveOut = nullptr;
    throw "waveOutOpen failed!";
  }
  buffers[0] = new uint8_t[static_cast<size_t>(bufferBytes)];
  buffers[1] = new uint8_t[static_cast<size_t>(bufferBytes)];
  std::memset(headers, 0, sizeof(headers));
  current = 0;
  writtenBytes = 0;
  // The engine adds its own delay after the device's position.
  provider->setOutputLatency(audioEngineLatency());
  wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  refillerStop = false;
  refiller = std::thread(&WaveOutDevice::refillLoop, this);
  return 0;
}

void WaveOutDevice::start() {
  reportPosition(); // nothing played yet: the clock holds until playback moves
  running = true;
  refill();
  refill();
}

void WaveOutDevice::refill() {
  std::lock_guard<std::mutex> lock(deviceLock);
  if (!running) return;
  int32_t index = current;
  WAVEHDR& header = headers[index];
  // A completion counted before a reset, whose buffer the reset's own completion has refilled.
  if (header.dwFlags & WHDR_INQUEUE) return;
  if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(waveOut, &header, headerSize);
  provider->fill(buffers[index], static_cast<uint32_t>(bufferBytes));
  header.lpData = reinterpret_cast<LPSTR>(buffers[index]);
  header.dwBufferLength = static_cast<DWORD>(bufferBytes);
  waveOutPrepareHeader(waveOut, &header, headerSize);
  if (waveOutWrite(waveOut, &header, headerSize) == MMSYSERR_NOERROR) writtenBytes += header.dwBufferLength;
  // Paused, a write must not start playback. Wine's device thread marks an
  // emptied device stopped, and a write then starts it, paused or not: a
  // refill after a seek's reset could land there.
  if (paused) waveOutPause(waveOut);
  current = index + 1 >= 2 ? 0 : index + 1;
}

bool WaveOutDevice::followPosition() {
  MMTIME time = {};
  time.wType = TIME_BYTES;
  if (waveOutGetPosition(waveOut, &time, sizeof(time)) != MMSYSERR_NOERROR || time.wType != TIME_BYTES)
    return false;
  // The device counts in 32 bits: the difference is right across its wrap.
  // A position behind the last one is a glitch, not four gigabytes played.
  const int32_t moved = static_cast<int32_t>(time.u.cb - lastPosition);
  if (moved < 0) return false;
  playedBytes += static_cast<uint32_t>(moved);
  lastPosition = time.u.cb;
  return true;
}

// The position first, then the time: a late timer reading only makes the
// position look older, which the clock discounts.
void WaveOutDevice::reportPosition() {
  std::lock_guard<std::mutex> lock(deviceLock);
  if (followPosition()) provider->reportPlayed(playedBytes, readMillisecondTimer());
}

bool WaveOutDevice::seek(double seconds) {
  std::lock_guard<std::mutex> lock(deviceLock);
  if (!provider->seek(seconds)) return false;
  if (!running) return true;
  waveOutReset(waveOut);
  // A reset device plays the next buffer written at once, paused or not.
  if (paused) waveOutPause(waveOut);
  // The device counts from 0 again, from the next byte written: the seek's first.
  playedBytes = writtenBytes;
  lastPosition = 0;
  return true;
}

void WaveOutDevice::pause() {
  std::lock_guard<std::mutex> lock(deviceLock);
  if (!running || paused) return;
  waveOutPause(waveOut);
  paused = true;
  followPosition();
  provider->reportPaused(playedBytes, readMillisecondTimer());
}

void WaveOutDevice::resume() {
  std::lock_guard<std::mutex> lock(deviceLock);
  if (!running || !paused) return;
  paused = false;
  provider->reportResumed();
  waveOutRestart(waveOut);
}

void WaveOutDevice::close() {
  if (running) stop();
  // No refill may write once the queued buffers are cancelled.
  stopRefiller();
  if (!waveOut) return;
  waveOutReset(waveOut);
  for (WAVEHDR& header : headers) {
    if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(waveOut, &header, headerSize);
  }
  waveOutClose(waveOut);
  waveOut = nullptr;
}

void WaveOutDevice::bufferDone() {
  pendingRefills.fetch_add(1);
  SetEvent(wake);
}

// One refill per finished buffer, in the order they finished; between them,
// the play position for the clock.
void WaveOutDevice::refillLoop() {
  while (!refillerStop) {
    WaitForSingleObject(wake, positionIntervalMs);
    while (!refillerStop && pendingRefills.load() > 0) {
      pendingRefills.fetch_sub(1);
      refill();
    }
    if (running && !refillerStop) reportPosition();
  }
}

void WaveOutDevice::stopRefiller() {
  if (!refiller.joinable()) return;
  refillerStop = true;
  SetEvent(wake);
  refiller.join();
}

void CALLBACK waveOutCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  if (message == WOM_DONE && instance) reinterpret_cast<WaveOutDevice*>(instance)->bufferDone();
}
