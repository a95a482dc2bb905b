#include "ClockPosition.h"

#include "SdlAudioDevice.h"

// Bytes queued so far minus those still waiting in SDL's queue.
double playedSeconds(AudioDevice* output) {
  auto* sdl = static_cast<SdlAudioDevice*>(output);
  return static_cast<double>(sdl->playedBytes()) / sdl->bufferBytes;
}
