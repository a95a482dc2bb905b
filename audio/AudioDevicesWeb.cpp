#include "AudioDevice.h"
#include "NullAudioDevice.h"
#include "WebAudioDevice.h"

namespace {
AudioDevice* makeNullAudioDevice() {
  return new NullAudioDevice;
}
AudioDevice* makeWebAudioDevice() {
  return new WebAudioDevice;
}
} // namespace

const AudioDevicePlugin* platformAudioDevicePlugins() {
  static const AudioDevicePlugin plugins[] = {
      {"WebAudio", makeWebAudioDevice, false},
      {"Null", makeNullAudioDevice, false},
      {nullptr, nullptr, false},
  };
  return plugins;
}

const char* primaryAudioOutputName() {
  return "WebAudio";
}
