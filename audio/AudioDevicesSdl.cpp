#include "AudioDevice.h"
#include "SdlAudioDevice.h"

namespace {
AudioDevice* makeSdlAudioDevice() {
  return new SdlAudioDevice;
}
} // namespace

const AudioDevicePlugin* platformAudioDevicePlugins() {
  static const AudioDevicePlugin plugins[] = {
      {"SDL2", makeSdlAudioDevice, false},
      {nullptr, nullptr, false},
  };
  return plugins;
}

const char* primaryAudioOutputName() {
  return "SDL2";
}
