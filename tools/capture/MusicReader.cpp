#include "MusicReader.h"

#include <cmath>
#include <vector>

#include "AudioFile.h"
#include "AudioProvider.h"

MusicReader::MusicReader(const std::string& path, double fromSeconds)
    : file(createAudioFile(path.c_str(), -1)), source(createAudioProvider(file.get())) {
  // Whole sample frames only: a fill of a byte count that is not a multiple
  // of a frame would leave the source holding part of one.
  auto skip = static_cast<uint64_t>(std::llround(fromSeconds * sampleRate));
  std::vector<int16_t> scratch(static_cast<size_t>(sampleRate) * 2);
  while (skip > 0) {
    const auto frames = static_cast<uint32_t>(skip < sampleRate ? skip : sampleRate);
    read(scratch.data(), frames);
    skip -= frames;
  }
}

MusicReader::~MusicReader() = default;

void MusicReader::read(int16_t* out, uint32_t frames) {
  // The source writes exactly what is asked: music, then silence once it ends.
  source->fill(reinterpret_cast<uint8_t*>(out), frames * bytesPerFrame);
}
