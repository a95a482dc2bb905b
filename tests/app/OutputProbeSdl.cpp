#include "OutputProbe.h"

#include "SdlAudioDevice.h"

namespace {
SdlAudioDevice* sdl(AudioDevice* output) {
  return static_cast<SdlAudioDevice*>(output);
}
} // namespace

int32_t nextBuffer(AudioDevice* output) {
  return sdl(output)->current;
}
const uint8_t* outputBuffer(AudioDevice* output, int index) {
  return sdl(output)->buffers[index];
}
bool outputClosed(AudioDevice* output) {
  return sdl(output)->device == 0;
}
