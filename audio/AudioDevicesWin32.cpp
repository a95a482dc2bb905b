#include "AudioDevice.h"
#include "DirectSoundDevice.h"
#include "NullAudioDevice.h"
#include "WaveOutDevice.h"

namespace {
AudioDevice* makeNullAudioDevice() {
  return new NullAudioDevice;
}
AudioDevice* makeWaveOutDevice() {
  return new WaveOutDevice;
}
AudioDevice* makeDirectSoundDevice() {
  return new DirectSoundDevice;
}
} // namespace

const AudioDevicePlugin* platformAudioDevicePlugins() {
  static const AudioDevicePlugin plugins[] = {
      {"WaveOut", makeWaveOutDevice, false},
      {"DirectSound8", makeDirectSoundDevice, true},
      {"Null", makeNullAudioDevice, false},
      {nullptr, nullptr, false},
  };
  return plugins;
}

const char* primaryAudioOutputName() {
  return "WaveOut";
}
