// How far the playback clock strays from the "DirectSound8" output's own play
// position ("WaveOut" too, on request, for comparison). Runs under Wine with
// a sound server and a display (scripts/with-test-services.sh).
//
// bench_directsound_clock [OUTPUT...] [--seconds S]
//
// For each output (default: DirectSound8): plays test music through it for S seconds (default 25)
// and samples, every 2 ms, the source's clock and the position the output
// reports: DirectSound's play cursor (its one-second looping buffer counted
// through), or waveOut's byte position, less the latency the platform
// reports after it. Prints the median and the worst
// difference after the first second, and exits 1 when a median is not
// within 20 ms.

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioProvider.h"
#include "ClockPosition.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

const double warmUpSeconds = 1.0;
const double medianLimitMs = 20.0;

struct Result {
  double medianMs = 0.0;
  double worstMs = 0.0;
  size_t samples = 0;
};

std::string writeMusic(double seconds) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof(folder), folder);
  std::string path = std::string(folder) + "zeph_bench_music.ogg";
  music::writeFileBytes(path, music::encodeVorbis(music::renderTestMusic(seconds)));
  return path;
}

Result measure(const std::string& output, const std::string& musicPath, double seconds) {
  AudioFile* file = createAudioFile(musicPath.c_str(), -1);
  AudioProvider* source = createAudioProvider(file);
  AudioDevice* device = createAudioDevice(output, source, outputWindow());
  PlayedPosition position(device);
  std::vector<double> differences;
  device->start();
  DWORD begin = GetTickCount();
  for (;;) {
    double elapsed = (GetTickCount() - begin) / 1000.0;
    if (elapsed > warmUpSeconds + seconds) break;
    double clock = source->getTime();
    // What is heard: the position less the latency the platform reports after it.
    double heard = position.seconds() - source->getOutputLatency();
    if (elapsed >= warmUpSeconds) differences.push_back((clock - heard) * 1000.0);
    Sleep(2);
  }
  device->close();
  delete device;
  delete source;
  delete file;

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
  std::vector<std::string> outputs;
  double seconds = 25.0;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc)
      seconds = std::atof(argv[++i]);
    else
      outputs.push_back(arg);
  }
  if (outputs.empty()) outputs = {"DirectSound8"};
  try {
    // Music to spare: the output keeps decoding a second or two ahead.
    std::string musicPath = writeMusic(warmUpSeconds + seconds + 4.0);
    int status = 0;
    for (const std::string& output : outputs) {
      Result r = measure(output, musicPath, seconds);
      bool within = std::fabs(r.medianMs) <= medianLimitMs;
      std::printf(
          "%-12s clock minus play position over %.0f s (%zu samples): median %+.1f ms, worst %.1f ms%s\n",
          output.c_str(), seconds, r.samples, r.medianMs, r.worstMs, within ? "" : "  (median over 20 ms)");
      std::fflush(stdout);
      if (!within) status = 1;
    }
    DeleteFileA(musicPath.c_str());
    return status;
  } catch (const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 2;
  }
}
