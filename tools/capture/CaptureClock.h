#pragma once

#include <cstdint>

#include "AudioProvider.h"

// The music clock of a capture: frame k of N per second, starting at S
// seconds, is drawn at S + k / N. The time comes from one division of the
// frame index, so frame 200 at 10 per second reads exactly 20.0; adding 1/N
// frame after frame would drift off it. It plays nothing.
class CaptureClock : public AudioProvider {
public:
  CaptureClock(double fromSeconds, int framesPerSecond);

  void setFrame(int64_t frameIndex) { frame = frameIndex; }
  double timeOf(int64_t frameIndex) const;

  double getTime() override { return timeOf(frame); }
  // Silence: the capture takes the music from its own decoder.
  bool fill(uint8_t* buffer, uint32_t bytes) override;

private:
  double from;
  int fps;
  int64_t frame = 0;
};
