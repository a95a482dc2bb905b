// Decoding Ogg Vorbis: the source's fill of one second against a bare
// ov_read loop into one buffer, and how many times faster than real time.
#include <benchmark/benchmark.h>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "Ratios.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

std::string musicPath;
const double musicSeconds = 30.0;
const uint32_t secondBytes = 44100 * 4;

// The source as the production opens it.
struct Source {
  std::unique_ptr<AudioFile> file{createAudioFile(musicPath.c_str(), -1)};
  std::unique_ptr<AudioProvider> provider{createAudioProvider(file.get())};
};

void fillOneSecond(benchmark::State& state) {
  std::vector<uint8_t> buffer(secondBytes);
  auto source = std::make_unique<Source>();
  for (auto _ : state) {
    if (!source->provider->fill(buffer.data(), secondBytes)) {
      state.PauseTiming(); // the music ended: from the start again
      source = std::make_unique<Source>();
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * secondBytes);
}

// vorbisfile on a stdio stream, read until the buffer is full.
struct BareDecoder {
  OggVorbis_File file;
  BareDecoder() {
    if (ov_fopen(musicPath.c_str(), &file) != 0) throw "ov_fopen failed";
  }
  ~BareDecoder() { ov_clear(&file); }
  bool read(char* buffer, uint32_t bytes) {
    uint32_t offset = 0;
    int section = 0;
    while (offset < bytes) {
      long n = ov_read(&file, buffer + offset, static_cast<int>(bytes - offset), 0, 2, 1, &section);
      if (n <= 0) return false;
      offset += static_cast<uint32_t>(n);
    }
    return true;
  }
};

void bareOvRead(benchmark::State& state) {
  std::vector<char> buffer(secondBytes);
  auto decoder = std::make_unique<BareDecoder>();
  for (auto _ : state) {
    if (!decoder->read(buffer.data(), secondBytes)) {
      state.PauseTiming();
      decoder = std::make_unique<BareDecoder>();
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * secondBytes);
}

BENCHMARK(fillOneSecond)->Name("vorbis/fill_1s")->Unit(benchmark::kMillisecond);
BENCHMARK(bareOvRead)->Name("vorbis/ov_read_1s")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  musicPath = (std::filesystem::temp_directory_path() / "zeph-bench-music.ogg").string();
  music::writeFileBytes(musicPath, music::encodeVorbis(music::renderTestMusic(musicSeconds)));
  int status = runWithRatios(argc, argv,
                             {{"vorbis fill / bare ov_read", "vorbis/fill_1s", "vorbis/ov_read_1s"},
                              {"vorbis fill 1 s, ms", "vorbis/fill_1s", ""},
                              {"vorbis fill, times real time", "vorbis/fill_1s", "", 1000.0}});
  std::filesystem::remove(musicPath);
  return status;
}
