#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

// A WAV file of 16-bit stereo PCM at 44100 Hz, its sizes filled in by
// finish. Throws std::runtime_error when it cannot write.
class WavWriter {
public:
  explicit WavWriter(const std::string& path);

  void write(const int16_t* pcm, size_t frames);
  void finish();

private:
  void writeHeader();

  std::string path;
  std::ofstream out;
  uint64_t dataBytes = 0;
};
