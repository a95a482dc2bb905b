#include "AudioDevice.h"
#include "WaveOutDevice.h"

namespace {
AudioDevice* makeWaveOutDevice() {
  return new WaveOutDevice;
}
} // namespace

const AudioDevicePlugin* platformAudioDevicePlugins() {
  static const AudioDevicePlugin plugins[] = {
      {"WaveOut", makeWaveOutDevice, false},
      {nullptr, nullptr, false},
  };
  return plugins;
}

const char* primaryAudioOutputName() {
  return "WaveOut";
}
