#include "AudioEngineLatency.h"

#include <windows.h>
// after windows.h, which they need
#include <audioclient.h>
#include <mmdeviceapi.h>

#include <thread>

namespace {

// REFERENCE_TIME counts 100 ns.
double seconds(REFERENCE_TIME time) {
  return static_cast<double>(time) * 1e-7;
}

template <class T> void release(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

// A shared-mode stream in the engine's own format, initialised but never
// started, answers for the default render endpoint.
double queryEngine() {
  IMMDeviceEnumerator* enumerator = nullptr;
  IMMDevice* device = nullptr;
  IAudioClient* client = nullptr;
  WAVEFORMATEX* format = nullptr;
  double latency = 0.0;
  REFERENCE_TIME stream = 0, period = 0, minimum = 0;
  if (SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                 __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(&enumerator))) &&
      SUCCEEDED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device)) &&
      SUCCEEDED(
          device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, reinterpret_cast<void**>(&client))) &&
      SUCCEEDED(client->GetMixFormat(&format)) &&
      SUCCEEDED(client->Initialize(AUDCLNT_SHAREMODE_SHARED, 0, 0, 0, format, nullptr)) &&
      SUCCEEDED(client->GetStreamLatency(&stream)) && SUCCEEDED(client->GetDevicePeriod(&period, &minimum)))
    latency = seconds(stream) + seconds(period);
  if (format) CoTaskMemFree(format);
  release(client);
  release(device);
  release(enumerator);
  return latency;
}

} // namespace

double audioEngineLatency() {
  // On a thread of its own, so that the caller's COM apartment stays as it was.
  double latency = 0.0;
  std::thread query([&latency] {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
    latency = queryEngine();
    CoUninitialize();
  });
  query.join();
  // Anything beyond a second is not a latency but a fault.
  return latency > 0.0 && latency < 1.0 ? latency : 0.0;
}
