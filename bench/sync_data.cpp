// sync_data DIR: a data folder for the end-to-end sync benchmark (bench/sync.sh).
// The music is silent but for a click at exactly 20, 40 and 60 s, where the
// pictures change; each picture is one flat colour, so one pixel of the window
// tells which is shown. The object is not written: the script copies the
// default one.
#include <cmath>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "Pcm.h"
#include "PngWriter.h"
#include "VorbisEncoder.h"

namespace {

constexpr int rate = 44100;
constexpr double musicSeconds = 85.0; // past the production's 80 s end
constexpr double clickSeconds[] = {20.0, 40.0, 60.0};
constexpr double clickLength = 0.005;
constexpr double clickHertz = 1000.0;
constexpr double pi = 3.14159265358979323846;

// A 5 ms sine burst starting at zero phase on the click's exact sample.
music::Pcm clickTrack() {
  music::Pcm pcm(rate, 2, static_cast<size_t>(musicSeconds * rate));
  for (double start : clickSeconds) {
    const size_t first = static_cast<size_t>(std::lround(start * rate));
    const size_t frames = static_cast<size_t>(clickLength * rate);
    for (size_t i = 0; i < frames; ++i) {
      const float value =
          static_cast<float>(0.8 * std::sin(2.0 * pi * clickHertz * static_cast<double>(i) / rate));
      pcm.at(first + i, 0) = value;
      pcm.at(first + i, 1) = value;
    }
  }
  return pcm;
}

void writeFlat(const std::string& path, uint8_t r, uint8_t g, uint8_t b) {
  constexpr uint32_t size = 256;
  std::vector<uint8_t> rgb;
  rgb.reserve(size * size * 3);
  for (uint32_t i = 0; i < size * size; ++i)
    rgb.insert(rgb.end(), {r, g, b});
  writeRgbPng(path, size, size, rgb);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: sync_data DIR (writes DIR/data/)\n";
    return 2;
  }
  const std::string data = std::string(argv[1]) + "/data/";
  try {
    music::writeFileBytes(data + "tovi_does_brask.ogg", music::encodeVorbis(clickTrack()));
    writeFlat(data + "zeph-logo.png", 200, 40, 40);
    writeFlat(data + "vote.png", 40, 200, 40);
    writeFlat(data + "du_ogsaa.png", 40, 40, 200);
    writeFlat(data + "zeph0.png", 200, 200, 40);
  } catch (const char* message) {
    std::cerr << message << std::endl;
    return 1;
  }
  return 0;
}
