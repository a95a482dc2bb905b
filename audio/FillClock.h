#pragma once

#include <atomic>
#include <cstdint>

// The decoder position and the start time of the fill that reached it,
// published together by the filling thread and read as one pair by the
// clock's thread. The writer never waits; a reader that meets a publish in
// progress retries, which takes a few stores' time.
class FillClock {
public:
  struct Reading {
    double position = 0.0;  // seconds decoded when the fill ended
    uint32_t fillStart = 0; // milliseconds, when that fill began
    bool filled = false;    // false until the first fill has ended
  };

  // Before any fill: the decoder's opening position, no start time.
  void reset(double position);
  // Called by the single filling thread when a fill ends.
  void publish(double position, uint32_t fillStart);
  Reading read() const;

private:
  void write(double position, uint32_t fillStart, bool filled);

  std::atomic<uint32_t> sequence{0}; // odd while a publish is in progress
  std::atomic<double> position{0.0};
  std::atomic<uint32_t> fillStart{0};
  std::atomic<bool> filled{false};
};
