#include "ClockPosition.h"

#include <ctime>

#include "SdlAudioDevice.h"

// Bytes queued so far minus those still waiting in SDL's queue.
double PlayedPosition::seconds() {
  auto* sdl = static_cast<SdlAudioDevice*>(device);
  return static_cast<double>(sdl->playedBytes()) / sdl->bufferBytes;
}

void* outputWindow() {
  return nullptr;
}

double monotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC_RAW, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
