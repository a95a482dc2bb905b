// How far the playback clock strays from what the platform's primary output
// ("WaveOut" on Windows, "SDL2" elsewhere) says it has played. A measuring
// program, not a test; it needs a sound server (scripts/with-test-services.sh).
//
// bench_clock [--seconds S]
//
// Plays test music for S seconds (default 25) after a two-second warm-up and
// samples, every 10 ms, the Ogg Vorbis source's clock and the output's play
// position; prints the median and the worst difference.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioProvider.h"
#include "ClockPosition.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

// Until the first refill, the clock also counts the output's start-up latency.
const double warmUpSeconds = 2.0;

struct Result {
  double medianMs = 0.0;
  double worstMs = 0.0;
  size_t samples = 0;
};

std::string writeMusic(double seconds) {
  std::string path = (std::filesystem::temp_directory_path() / "zeph_bench_clock.ogg").string();
  music::writeFileBytes(path, music::encodeVorbis(music::renderTestMusic(seconds)));
  return path;
}

std::vector<double> sample(AudioProvider* source, AudioDevice* output, double seconds) {
  std::vector<double> differences;
  auto begin = std::chrono::steady_clock::now();
  for (;;) {
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (elapsed > warmUpSeconds + seconds) return differences;
    double clock = source->getTime();
    double played = playedSeconds(output);
    if (elapsed >= warmUpSeconds) differences.push_back((clock - played) * 1000.0);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Result summarise(std::vector<double> differences) {
  Result result;
  result.samples = differences.size();
  if (differences.empty()) return result;
  for (double d : differences)
    result.worstMs = std::max(result.worstMs, std::fabs(d));
  std::nth_element(differences.begin(), differences.begin() + differences.size() / 2, differences.end());
  result.medianMs = differences[differences.size() / 2];
  return result;
}

} // namespace

int main(int argc, char** argv) {
  double seconds = 25.0;
  if (argc == 3 && std::string(argv[1]) == "--seconds") seconds = std::atof(argv[2]);
  try {
    // Music to spare: the output decodes two seconds ahead.
    std::string musicPath = writeMusic(warmUpSeconds + seconds + 4.0);
    AudioProvider* source = createAudioProvider(createAudioFile(musicPath.c_str(), -1));
    AudioDevice* output = createAudioDevice(primaryAudioOutputName(), source, nullptr);
    output->start();
    Result r = summarise(sample(source, output, seconds));
    output->close();
    std::printf("%s: clock minus play position over %.0f s (%zu samples): median %+.1f ms, worst %.1f ms\n",
                primaryAudioOutputName(), seconds, r.samples, r.medianMs, r.worstMs);
    std::error_code stillOpen; // the source never closes its file
    std::filesystem::remove(musicPath, stillOpen);
    return 0;
  } catch (const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 2;
  }
}
