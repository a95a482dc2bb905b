// How far the playback clock strays from what an output says it has played:
// any of the platform's outputs ("SDL2" and "Null" natively; "WaveOut",
// "DirectSound8" and "Null" on Windows). "Null"'s position is the millisecond
// timer. A measuring program, not a test; the other outputs need a sound
// server (scripts/with-test-services.sh).
//
// bench_clock [OUTPUT] [--seconds S] [--trace FILE]
//
// Plays test music through OUTPUT (default: the platform's primary output)
// for S seconds (default 25) after a two-second warm-up and samples, every
// 10 ms, the Ogg Vorbis source's clock and the output's play position;
// prints the median difference, the worst distance from that median, how
// often the clock went backwards, and how little was left queued ahead of
// the position (a refill late enough to be heard lets that reach zero).
// Then it seeks, alternately 5 s forward and back, and reads the clock every
// 10 ms after each seek: the first reading must be the seek's target, and no
// later one may be less than the one before; likewise across a pause of a
// second. It prints the steps back, how long the clock held at its first
// reading after a seek, and the readings across the first seek and the pause.
// --trace writes every sample before the seeks to FILE ("time clock position
// latency", in seconds), timed on the clock that a native recorder of the
// sink reads, so that the two can be laid side by side, and keeps the music
// in FILE.ogg.

#include <algorithm>
#include <atomic>
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

const double bytesPerSecond = 176400.0;
// Until the first refill, the clock also counts the output's start-up latency.
const double warmUpSeconds = 2.0;
// Seeks after the sampling: how many, how far, and how long each is watched.
const int seekCount = 8;
const double seekSeconds = 5.0;
const double afterSeekSeconds = 1.5;
const double pausedSeconds = 1.0;
// Readings across the first seek that are printed.
const size_t tracedReadings = 30;

struct Result {
  double medianMs = 0.0;
  double worstFromMedianMs = 0.0;
  size_t samples = 0;
  size_t backwardSteps = 0;
  // The least the output had taken and not yet played.
  double leastAheadMs = 1e9;
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

// The source as the output sees it, counting what the output has taken.
class CountingSource : public AudioProvider {
public:
  explicit CountingSource(AudioProvider* counted) : AudioProvider(nullptr), inner(counted) {}
  double getTime() override { return inner->getTime(); }
  bool fill(uint8_t* buffer, uint32_t bytes) override {
    bool more = inner->fill(buffer, bytes);
    taken += bytes;
    return more;
  }
  bool seek(double seconds) override { return inner->seek(seconds); }
  void reportPlayed(uint64_t streamByte, uint32_t atMs) override { inner->reportPlayed(streamByte, atMs); }
  void reportPaused(uint64_t streamByte, uint32_t atMs) override { inner->reportPaused(streamByte, atMs); }
  void reportResumed() override { inner->reportResumed(); }
  void setOutputLatency(double seconds) override {
    inner->setOutputLatency(seconds);
    AudioProvider::setOutputLatency(seconds);
  }
  std::atomic<uint64_t> taken{0};

private:
  AudioProvider* inner;
};

// What the output has played, in seconds.
struct Position {
  PlayedPosition output;
  bool timer = false; // the Null output: the timer since start
  uint32_t startMs = 0;
  double seconds() {
    if (timer) return static_cast<double>(readMillisecondTimer() - startMs) * 0.001;
    return output.seconds();
  }
};

struct SeekResult {
  size_t seeks = 0;
  // Readings less than the one before, after each seek's own step.
  size_t backwardSteps = 0;
  double largestBackMs = 0.0;
  // The first reading after a seek against the seek's target.
  double worstFirstMs = 0.0;
  // How long the clock stayed at its first reading after a seek.
  double leastHoldMs = 1e9;
  double mostHoldMs = 0.0;
  std::vector<double> trace; // the reading before the first seek, then those after it
  // Across a pause: the reading before it, then every fifth; the resume came before `resumedAt`.
  std::vector<double> pauseTrace;
  size_t resumedAt = 0;
};

double secondsSince(std::chrono::steady_clock::time_point begin) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

void countBackward(double previous, double clock, SeekResult& result) {
  if (clock >= previous) return;
  ++result.backwardSteps;
  result.largestBackMs = std::max(result.largestBackMs, (previous - clock) * 1000.0);
}

void watchSeek(AudioDevice* output, CountingSource* source, bool traced, SeekResult& result) {
  const double before = source->getTime();
  const double target = std::max(0.0, before + (result.seeks % 2 == 0 ? seekSeconds : -seekSeconds));
  const auto begin = std::chrono::steady_clock::now();
  output->seek(target);
  const double first = source->getTime();
  double previous = first;
  ++result.seeks;
  result.worstFirstMs = std::max(result.worstFirstMs, std::fabs(previous - target) * 1000.0);
  if (traced) result.trace = {before, previous};
  bool holding = true;
  while (secondsSince(begin) < afterSeekSeconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const double clock = source->getTime();
    countBackward(previous, clock, result);
    if (holding && clock != first) {
      holding = false;
      const double heldMs = secondsSince(begin) * 1000.0;
      result.leastHoldMs = std::min(result.leastHoldMs, heldMs);
      result.mostHoldMs = std::max(result.mostHoldMs, heldMs);
    }
    if (traced && result.trace.size() < tracedReadings) result.trace.push_back(clock);
    previous = clock;
  }
}

// Paused for a second: the clock runs on to what the output had played and
// holds; resumed, it holds until the music is heard again.
void watchPause(AudioDevice* output, CountingSource* source, SeekResult& result) {
  double previous = source->getTime();
  result.pauseTrace = {previous};
  output->pause();
  const auto begin = std::chrono::steady_clock::now();
  for (int i = 1; secondsSince(begin) < pausedSeconds + afterSeekSeconds; ++i) {
    if (!result.resumedAt && secondsSince(begin) >= pausedSeconds) {
      output->resume();
      result.resumedAt = result.pauseTrace.size();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const double clock = source->getTime();
    countBackward(previous, clock, result);
    if (i % 5 == 0) result.pauseTrace.push_back(clock);
    previous = clock;
  }
}

SeekResult seekAcross(AudioDevice* output, CountingSource* source) {
  SeekResult result;
  for (int i = 0; i < seekCount; ++i)
    watchSeek(output, source, i == 0, result);
  watchPause(output, source, result);
  return result;
}

void printSeeks(const SeekResult& r) {
  std::printf(
      "seeks: %zu, alternately %.0f s forward and back, and a pause; after each seek's own step and "
      "across the pause %zu backward steps (largest %.1f ms); first reading minus the target: worst %.1f ms; "
      "held there %.0f to %.0f ms\nreadings across the first seek (every 10 ms): ",
      r.seeks, seekSeconds, r.backwardSteps, r.largestBackMs, r.worstFirstMs, r.leastHoldMs, r.mostHoldMs);
  for (size_t i = 0; i < r.trace.size(); ++i)
    std::printf(i == 0 ? "%.3f" : i == 1 ? " | %.3f" : " %.3f", r.trace[i]);
  std::printf("\nreadings across a pause of %.0f s and the resume (every 50 ms): ", pausedSeconds);
  for (size_t i = 0; i < r.pauseTrace.size(); ++i)
    std::printf(i == 0 ? "%.3f" : i == 1 || i == r.resumedAt ? " | %.3f" : " %.3f", r.pauseTrace[i]);
  std::printf("\n");
}

// Into `path`, or a temporary file when it is empty.
std::string writeMusic(double seconds, std::string path) {
  if (path.empty()) path = (std::filesystem::temp_directory_path() / "zeph_bench_clock.ogg").string();
  music::writeFileBytes(path, music::encodeVorbis(music::renderTestMusic(seconds)));
  return path;
}

Result sample(CountingSource* source, Position& position, double seconds, std::FILE* trace) {
  Result result;
  std::vector<double> differences, againstWall;
  double previous = -1e9;
  auto begin = std::chrono::steady_clock::now();
  for (;;) {
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (elapsed > warmUpSeconds + seconds) break;
    double clock = source->getTime();
    double played = position.seconds();
    if (trace)
      std::fprintf(trace, "%.6f %.6f %.6f %.6f\n", monotonicSeconds(), clock, played,
                   source->getOutputLatency());
    if (clock < previous) ++result.backwardSteps;
    previous = clock;
    if (elapsed >= warmUpSeconds) {
      const double taken = static_cast<double>(source->taken.load()) / bytesPerSecond;
      result.leastAheadMs = std::min(result.leastAheadMs, (taken - played) * 1000.0);
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

bool offered(const std::string& name) {
  for (const AudioDevicePlugin* plugin = platformAudioDevicePlugins(); plugin->name; ++plugin)
    if (name == plugin->name) return true;
  return false;
}

} // namespace

int main(int argc, char** argv) {
  double seconds = 25.0;
  std::string name = primaryAudioOutputName();
  std::FILE* trace = nullptr;
  std::string kept; // the music, kept beside the trace
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--seconds" && i + 1 < argc)
      seconds = std::atof(argv[++i]);
    else if (std::string(argv[i]) == "--trace" && i + 1 < argc) {
      trace = std::fopen(argv[++i], "w");
      kept = std::string(argv[i]) + ".ogg";
    } else
      name = argv[i];
  }
  if (!offered(name)) {
    std::fprintf(stderr, "usage: bench_clock [OUTPUT] [--seconds S] [--trace FILE]; OUTPUT is one of");
    for (const AudioDevicePlugin* plugin = platformAudioDevicePlugins(); plugin->name; ++plugin)
      std::fprintf(stderr, " %s", plugin->name);
    std::fprintf(stderr, "\n");
    return 2;
  }
  try {
    // Music to spare: the output decodes two seconds ahead, and the seeks go forward and back.
    std::string musicPath =
        writeMusic(warmUpSeconds + seconds + seekCount * afterSeekSeconds + seekSeconds + 4.0, kept);
    AudioProvider* music = createAudioProvider(createAudioFile(musicPath.c_str(), -1));
    CountingSource source(music);
    AudioDevice* output = createAudioDevice(name, &source, outputWindow());
    Position position{PlayedPosition(output)};
    position.timer = name == "Null";
    position.startMs = readMillisecondTimer();
    output->start();
    Result r = sample(&source, position, seconds, trace);
    if (trace) std::fclose(trace);
    SeekResult seeks = seekAcross(output, &source);
    output->close();
    std::printf("%s: clock minus play position over %.0f s (%zu samples): median %+.1f ms, worst %.1f ms "
                "from the median, %zu backward steps; clock minus wall clock: worst %.1f ms from its median; "
                "reported latency %.1f ms; least queued ahead of the position %.0f ms\n",
                name.c_str(), seconds, r.samples, r.medianMs, r.worstFromMedianMs, r.backwardSteps,
                r.worstFromWallMs, source.getOutputLatency() * 1000.0, r.leastAheadMs);
    printSeeks(seeks);
    std::error_code stillOpen; // the source never closes its file
    if (kept.empty()) std::filesystem::remove(musicPath, stillOpen);
    return 0;
  } catch (const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 2;
  }
}
