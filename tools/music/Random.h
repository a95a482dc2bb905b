#pragma once

#include <cstdint>

namespace music {

// A fixed pseudo-random generator (xorshift32 after a splitmix step), so that
// noise is the same on every run and every platform.
class Random {
public:
  explicit Random(uint32_t stream) {
    uint32_t z = stream + 0x9e3779b9u;
    z = (z ^ (z >> 16)) * 0x85ebca6bu;
    z = (z ^ (z >> 13)) * 0xc2b2ae35u;
    state = (z ^ (z >> 16)) | 1u;
  }

  uint32_t next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  // Uniform in [-1, 1).
  double bipolar() { return static_cast<double>(next()) / 2147483648.0 - 1.0; }

private:
  uint32_t state;
};

} // namespace music
