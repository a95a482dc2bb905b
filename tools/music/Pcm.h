#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace music {

// Interleaved float samples, nominally in [-1, 1].
struct Pcm {
  int sampleRate = 44100;
  int channels = 2;
  std::vector<float> samples;

  Pcm() = default;
  Pcm(int rate, int channelCount, size_t frames)
      : sampleRate(rate), channels(channelCount), samples(frames * static_cast<size_t>(channelCount)) {}

  size_t frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
  double seconds() const { return static_cast<double>(frames()) / sampleRate; }
  float& at(size_t frame, int channel) { return samples[frame * static_cast<size_t>(channels) + channel]; }
  float at(size_t frame, int channel) const {
    return samples[frame * static_cast<size_t>(channels) + channel];
  }
};

// Rounded and clipped to 16 bits.
std::vector<int16_t> toInt16(const Pcm& pcm);
// 16-bit signed little-endian bytes, channels interleaved: the raw playback format.
std::string toBytes(const Pcm& pcm);

} // namespace music
