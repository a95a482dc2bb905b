#pragma once

#include <cstdint>

class AudioDevice;

// What an output itself reports as played, in seconds: the bytes SDL has
// taken from its queue, waveOut's byte position, or DirectSound's play
// cursor counted through the loops of its buffer (read often enough that it
// never goes round twice unseen).
class PlayedPosition {
public:
  explicit PlayedPosition(AudioDevice* output) : device(output) {}
  double seconds();

private:
  AudioDevice* device;
  uint32_t lastCursor = 0;
  uint64_t loops = 0;
};

// The window to open an output with: a hidden one where an output needs one
// (DirectSound's cooperative level), none elsewhere.
void* outputWindow();

// Seconds on the monotonic clock that a native program reads as
// CLOCK_MONOTONIC_RAW (Wine's QueryPerformanceCounter counts it).
double monotonicSeconds();
