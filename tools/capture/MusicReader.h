#pragma once

#include <cstdint>
#include <memory>
#include <string>

class AudioFile;
class AudioProvider;

// The production's music as its own source decodes it (the source the
// production's entry opens), from a chosen time on: 16-bit stereo at
// 44100 Hz, silence past the music's end. Throws the loaders' message texts.
class MusicReader {
public:
  static constexpr int sampleRate = 44100;
  static constexpr int bytesPerFrame = 4;

  MusicReader(const std::string& path, double fromSeconds);
  ~MusicReader();

  // The next `frames` sample frames.
  void read(int16_t* out, uint32_t frames);

private:
  std::unique_ptr<AudioFile> file;
  std::unique_ptr<AudioProvider> source;
};
