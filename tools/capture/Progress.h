#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

// The capture's progress on a stream: frame, music time, frames per second
// and the time left. On a terminal one line is rewritten in place, a few
// times a second; elsewhere (a log) one line is written per tenth of the run.
class Progress {
public:
  Progress(std::FILE* out, int64_t expectedFrames);

  void update(int64_t frames, double musicSeconds);
  // The final line, with the whole run's speed against real time.
  void finish(int64_t frames, double musicSeconds, double musicLength);

private:
  void print(int64_t frames, double musicSeconds, const char* end);

  std::FILE* out;
  int64_t expected;
  bool terminal;
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point lastPrint;
  int64_t tenthsPrinted = 0;
};
