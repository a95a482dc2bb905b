#include "CaptureClock.h"

#include <cstring>

CaptureClock::CaptureClock(double fromSeconds, int framesPerSecond)
    : AudioProvider(nullptr), from(fromSeconds), fps(framesPerSecond) {}

double CaptureClock::timeOf(int64_t frameIndex) const {
  return from + static_cast<double>(frameIndex) / fps;
}

bool CaptureClock::fill(uint8_t* buffer, uint32_t bytes) {
  std::memset(buffer, 0, bytes);
  lastFillBytes = 0;
  return false;
}
