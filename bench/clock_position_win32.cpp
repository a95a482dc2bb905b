#include "ClockPosition.h"

#include "DirectSoundDevice.h"
#include "WaveOutDevice.h"

double PlayedPosition::seconds() {
  if (auto* directSound = dynamic_cast<DirectSoundDevice*>(device)) {
    // The looping buffer starts playing at 0; a cursor behind the previous
    // one has gone round once more.
    DWORD cursor = 0;
    directSound->soundBuffer->GetCurrentPosition(&cursor, nullptr);
    if (cursor < lastCursor) ++loops;
    lastCursor = cursor;
    return (static_cast<double>(loops) * directSound->bufferBytes + cursor) / directSound->bufferBytes;
  }
  auto* waveOut = static_cast<WaveOutDevice*>(device);
  MMTIME time = {};
  time.wType = TIME_BYTES;
  waveOutGetPosition(waveOut->waveOut, &time, sizeof(time));
  return static_cast<double>(time.u.cb) / waveOut->bufferBytes;
}

void* outputWindow() {
  static HWND window = CreateWindowExA(0, "STATIC", "zeph clock benchmark", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return window;
}

double monotonicSeconds() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}
