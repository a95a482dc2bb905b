#pragma once

#include <atomic>
#include <cstdint>
#include <string>

class AudioProvider;

// An audio output: pulls PCM from its provider by itself, from its own
// thread or the platform's completion notifications.
class AudioDevice {
public:
  AudioDevice() = default;
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  virtual void setFormat(int32_t sampleRate, int32_t bitsPerSample);
  // `window` is the native window handle (HWND on Windows); most outputs
  // ignore it. Failure is thrown.
  virtual int open(void* window) = 0;
  virtual void start() = 0;
  virtual void stop();
  // Every output's close may be called again after the first, doing nothing.
  virtual void close() = 0;
  // Moves playback to `seconds` into the music in one step, under the
  // output's own lock: it drops what it holds of the music before, seeks the
  // source and plays on from there (paused, it stays paused). False, with
  // nothing changed, where the source cannot seek. Before start it seeks
  // the source only.
  virtual bool seek(double seconds);
  // Playback holds where it is, keeping what is queued, and tells the source
  // where it stopped; resume plays on from there. Nothing unless playing.
  virtual void pause() {}
  virtual void resume() {}
  virtual ~AudioDevice();

  AudioProvider* provider = nullptr;
  int32_t bufferBytes = 0;
  int32_t sampleRate = 0;
  int32_t bitsPerSample = 0;
  int32_t bytesPerSample = 0;
  // Written by the main thread, read by the output's own thread.
  std::atomic<bool> running{false};
  // Between pause and resume.
  std::atomic<bool> paused{false};
};

// One output plug-in: its exact name, how to make it, and whether its open
// takes the application's window.
struct AudioDevicePlugin {
  const char* name;
  AudioDevice* (*make)();
  bool takesWindow;
};

// The plug-ins this platform offers, ended by an entry with a null name.
const AudioDevicePlugin* platformAudioDevicePlugins();
// The output that the application's output setting 1 selects here.
const char* primaryAudioOutputName();

// Makes the named output over `provider`, sets the playback format
// (44100 Hz, 16 bits) and opens it; does not start it. Throws
// "No plugin found for desired AudioDevice found!" for an unknown name.
AudioDevice* createAudioDevice(const std::string& name, AudioProvider* provider, void* window);

// Outputs that are open when the process exits are closed then: an output
// thread that went on playing while the runtime and the platform's sound
// libraries are torn down under it crashes the exit. createAudioDevice keeps
// every output it opened here until the output is deleted.
void closeAtExit(AudioDevice* device);
