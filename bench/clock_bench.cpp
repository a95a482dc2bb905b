// How far the playback clock strays from what an output says it has played:
// the platform's primary output ("WaveOut" on Windows, "SDL2" elsewhere) or
// "Null", whose position is the millisecond timer. A measuring program, not a
// test; the primary output needs a sound server (scripts/with-test-services.sh).
//
// bench_clock [Null] [--seconds S]
//
// Plays test music for S seconds (default 25) after a two-second warm-up and
// samples, every 10 ms, the Ogg Vorbis source's clock and the output's play
// position; prints the median difference, the worst distance from that
// median, and how often the clock went backwards.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioProvider.h"
#include "ClockPosition.h"
#include "MillisecondTimer.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

// Until the first refill, the clock also counts the output's start-up latency.
const double warmUpSeconds = 2.0;

struct Result {
  double medianMs = 0.0;
  double worstFromMedianMs = 0.0;
  size_t samples = 0;
  size_t backwardSteps = 0;
  // The clock against the wall clock: how far it strays from running at real time.
  double worstFromWallMs = 0.0;
};

// The median of `values` and the worst distance from it.
std::pair<double, double> medianAndWorst(const std::vector<double>& values) {
  if (values.empty()) return {0.0, 0.0};
  std::vector<double> sorted = values;
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  const double median = sorted[sorted.size() / 2];
  double worst = 0.0;
  for (double v : values)
    worst = std::max(worst, std::fabs(v - median));
  return {median, worst};
}

// What the output has played, in seconds.
struct Position {
  AudioDevice* output = nullptr;
  bool timer = false; // the Null output: the timer since start
  uint32_t startMs = 0;
  double seconds() const {
    if (timer) return static_cast<double>(readMillisecondTimer() - startMs) * 0.001;
    return playedSeconds(output);
  }
};

std::string writeMusic(double seconds) {
  std::string path = (std::filesystem::temp_directory_path() / "zeph_bench_clock.ogg").string();
  music::writeFileBytes(path, music::encodeVorbis(music::renderTestMusic(seconds)));
  return path;
}

Result sample(AudioProvider* source, const Position& position, double seconds) {
  Result result;
  std::vector<double> differences, againstWall;
  double previous = -1e9;
  auto begin = std::chrono::steady_clock::now();
  for (;;) {
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (elapsed > warmUpSeconds + seconds) break;
    double clock = source->getTime();
    double played = position.seconds();
    if (clock < previous) ++result.backwardSteps;
    previous = clock;
    if (elapsed >= warmUpSeconds) {
      differences.push_back((clock - played) * 1000.0);
      againstWall.push_back((clock - elapsed) * 1000.0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  result.samples = differences.size();
  std::tie(result.medianMs, result.worstFromMedianMs) = medianAndWorst(differences);
  result.worstFromWallMs = medianAndWorst(againstWall).second;
  return result;
}

} // namespace

int main(int argc, char** argv) {
  double seconds = 25.0;
  std::string name = primaryAudioOutputName();
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--seconds" && i + 1 < argc)
      seconds = std::atof(argv[++i]);
    else
      name = argv[i];
  }
  if (name != "Null" && name != primaryAudioOutputName()) {
    std::fprintf(stderr, "usage: bench_clock [Null|%s] [--seconds S]\n", primaryAudioOutputName());
    return 2;
  }
  try {
    // Music to spare: the output decodes two seconds ahead.
    std::string musicPath = writeMusic(warmUpSeconds + seconds + 4.0);
    AudioProvider* source = createAudioProvider(createAudioFile(musicPath.c_str(), -1));
    Position position;
    position.output = createAudioDevice(name, source, nullptr);
    position.timer = name == "Null";
    position.startMs = readMillisecondTimer();
    position.output->start();
    Result r = sample(source, position, seconds);
    position.output->close();
    std::printf("%s: clock minus play position over %.0f s (%zu samples): median %+.1f ms, worst %.1f ms "
                "from the median, %zu backward steps; clock minus wall clock: worst %.1f ms from its median; "
                "reported latency %.1f ms\n",
                name.c_str(), seconds, r.samples, r.medianMs, r.worstFromMedianMs, r.backwardSteps,
                r.worstFromWallMs, source->getOutputLatency() * 1000.0);
    std::error_code stillOpen; // the source never closes its file
    std::filesystem::remove(musicPath, stillOpen);
    return 0;
  } catch (const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 2;
  }
}
