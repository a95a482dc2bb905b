#include "Progress.h"

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration span) {
  return std::chrono::duration<double>(span).count();
}

} // namespace

Progress::Progress(std::FILE* stream, int64_t expectedFrames)
    : out(stream), expected(expectedFrames > 0 ? expectedFrames : 1), terminal(isatty(fileno(stream)) != 0),
      start(Clock::now()), lastPrint(start) {}

void Progress::update(int64_t frames, double musicSeconds) {
  const Clock::time_point now = Clock::now();
  if (terminal) {
    if (now - lastPrint < std::chrono::milliseconds(200)) return;
    lastPrint = now;
    print(frames, musicSeconds, "\r");
    return;
  }
  const int64_t tenths = frames * 10 / expected;
  if (tenths <= tenthsPrinted) return;
  tenthsPrinted = tenths;
  print(frames, musicSeconds, "\n");
}

void Progress::print(int64_t frames, double musicSeconds, const char* end) {
  const double elapsed = seconds(Clock::now() - start);
  const double rate = elapsed > 0.0 ? static_cast<double>(frames) / elapsed : 0.0;
  const int64_t left = expected > frames ? expected - frames : 0;
  const double remaining = rate > 0.0 ? static_cast<double>(left) / rate : 0.0;
  std::fprintf(out, "frame %lld, music %.2f s, %.1f fps, %.0f s left   %s", static_cast<long long>(frames),
               musicSeconds, rate, remaining, end);
  std::fflush(out);
}

void Progress::finish(int64_t frames, double musicSeconds, double musicLength) {
  const double elapsed = seconds(Clock::now() - start);
  if (terminal) print(frames, musicSeconds, "\n");
  std::fprintf(out, "%lld frames, %.2f s of music, in %.1f s: %.2f x real time\n",
               static_cast<long long>(frames), musicLength, elapsed,
               elapsed > 0.0 ? musicLength / elapsed : 0.0);
  std::fflush(out);
}
