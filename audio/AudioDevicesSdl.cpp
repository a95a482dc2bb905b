#include "AudioDevice.h"
#include "NullAudioDevice.h"
#include "SdlAudioDevice.h"

namespace {
AudioDevice* makeNullAudioDevice() {
  return new NullAudioDevice;
}
AudioDevice* makeSdlAudioDevice() {
  return new SdlAudioDevice;
}
} // namespace

const AudioDevicePlugin* platformAudioDevicePlugins() {
  static const AudioDevicePlugin plugins[] = {
      {"SDL2", makeSdlAudioDevice, false},
      {"Null", makeNullAudioDevice, false},
      {nullptr, nullptr, false},
  };
  return plugins;
}

const char* primaryAudioOutputName() {
  return "SDL2";
}
