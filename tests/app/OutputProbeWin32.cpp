#include "OutputProbe.h"

#include "WaveOutDevice.h"

namespace {
WaveOutDevice* waveOut(AudioDevice* output) {
  return static_cast<WaveOutDevice*>(output);
}
} // namespace

int32_t nextBuffer(AudioDevice* output) {
  return waveOut(output)->current;
}
const uint8_t* outputBuffer(AudioDevice* output, int index) {
  return waveOut(output)->buffers[index];
}
bool outputClosed(AudioDevice* output) {
  return waveOut(output)->waveOut == nullptr;
}
