#include "AudioDevice.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "AudioProvider.h"

namespace {

// Never destroyed: the exit handler runs among static destructors.
struct OpenDevices {
  std::mutex lock;
  std::vector<AudioDevice*> devices;
};

OpenDevices& openDevices() {
  static OpenDevices* open = new OpenDevices;
  return *open;
}

void closeOpenDevices() {
  std::vector<AudioDevice*> devices;
  {
    std::lock_guard<std::mutex> guard(openDevices().lock);
    devices.swap(openDevices().devices);
  }
  for (AudioDevice* device : devices)
    device->close();
}

} // namespace

AudioDevice::~AudioDevice() {
  OpenDevices& open = openDevices();
  std::lock_guard<std::mutex> guard(open.lock);
  open.devices.erase(std::remove(open.devices.begin(), open.devices.end(), this), open.devices.end());
}

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

bool AudioDevice::seek(double seconds) {
  return provider && provider->seek(seconds);
}

void closeAtExit(AudioDevice* device) {
  static std::once_flag registered;
  std::call_once(registered, [] { std::atexit(closeOpenDevices); });
  OpenDevices& open = openDevices();
  std::lock_guard<std::mutex> guard(open.lock);
  open.devices.push_back(device);
}

AudioDevice* createAudioDevice(const std::string& name, AudioProvider* provider, void* window) {
  for (const AudioDevicePlugin* plugin = platformAudioDevicePlugins(); plugin->name; ++plugin) {
    if (name != plugin->name) continue;
    // An open that throws leaves the output to its destructor, which
    // releases whatever the open had acquired.
    std::unique_ptr<AudioDevice> device(plugin->make());
    device->provider = provider;
    device->setFormat(44100, 16);
    device->open(plugin->takesWindow ? window : nullptr);
    closeAtExit(device.get());
    return device.release();
  }
  throw "No plugin found for desired AudioDevice found!";
}
