#pragma once

#include <cstdint>

class AudioFile;

// An audio source: PCM on request (16-bit signed little-endian, two channels
// interleaved, 44100 Hz) and the playback clock in seconds.
class AudioProvider {
public:
  explicit AudioProvider(AudioFile* file) : file(file) {}
  AudioProvider(const AudioProvider&) = delete;
  AudioProvider& operator=(const AudioProvider&) = delete;
  virtual ~AudioProvider() = default;

  virtual double getTime() = 0;
  // Writes up to `bytes` bytes; what it cannot fill is silence.
  virtual bool fill(uint8_t* buffer, uint32_t bytes) = 0;

  // How far ahead of the audible position the output decodes, in seconds.
  // Outputs set it when they open; the clock subtracts it.
  virtual void setOutputLead(double seconds) { outputLead = seconds; }
  double getOutputLead() const { return outputLead; }

protected:
  AudioFile* file;
  double outputLead = 2.0;
};

// Chooses the source by a case-sensitive substring of the file's name:
// ".raw" first, then ".ogg". Throws
// "No plugin found for desired AudioProvider found!" otherwise.
AudioProvider* createAudioProvider(AudioFile* file);
