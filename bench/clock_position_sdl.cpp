#include "ClockPosition.h"

#include "SdlAudioDevice.h"

// Bytes queued so far minus those still waiting in SDL's queue.
double PlayedPosition::seconds() {
  auto* sdl = static_cast<SdlAudioDevice*>(device);
  return static_cast<double>(sdl->playedBytes()) / sdl->bufferBytes;
}

void* outputWindow() {
  return nullptr;
}
