#include "AudioDevice.h"

void AudioDevice::setFormat(int32_t rate, int32_t bits) {
  sampleRate = rate;
  bitsPerSample = bits;
  bytesPerSample = bits / 8;
  // One second of two-channel audio.
  bufferBytes = sampleRate * bytesPerSample * 2;
}

void AudioDevice::stop() {
  running = false;
}

AudioDevice* createAudioDevice(const std::string& name, AudioProvider* provider, void* window) {
  for (const AudioDevicePlugin* plugin = platformAudioDevicePlugins(); plugin->name; ++plugin) {
    if (name != plugin->name) continue;
    AudioDevice* device = plugin->make();
    device->provider = provider;
    device->setFormat(44100, 16);
    device->open(plugin->takesWindow ? window : nullptr);
    return device;
  }
  throw "No plugin found for desired AudioDevice found!";
}
