#include "Pcm.h"

#include <cmath>

namespace music {

std::vector<int16_t> toInt16(const Pcm& pcm) {
  std::vector<int16_t> out(pcm.samples.size());
  for (size_t i = 0; i < out.size(); ++i) {
    double scaled = std::round(static_cast<double>(pcm.samples[i]) * 32767.0);
    if (scaled > 32767.0) scaled = 32767.0;
    if (scaled < -32768.0) scaled = -32768.0;
    out[i] = static_cast<int16_t>(scaled);
  }
  return out;
}

std::string toBytes(const Pcm& pcm) {
  std::vector<int16_t> words = toInt16(pcm);
  std::string bytes(words.size() * 2, '\0');
  for (size_t i = 0; i < words.size(); ++i) {
    auto word = static_cast<uint16_t>(words[i]);
    bytes[2 * i] = static_cast<char>(word & 0xff);
    bytes[2 * i + 1] = static_cast<char>(word >> 8);
  }
  return bytes;
}

} // namespace music
