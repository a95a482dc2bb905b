// The capture's speed. First the whole production, 60 frames per second,
// MP4 only, as `zephtool capture` runs it: its ratio to real time (2 or more
// is the goal) and the time per frame of each stage on its thread. Then each
// stage alone, with the whole process's CPU time per frame, which holds on a
// busy machine where the wall clock does not.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "Capture.h"
#include "CaptureClock.h"
#include "DefaultData.h"
#include "DemoApp.h"
#include "FrameSetup.h"
#include "Mp4Writer.h"
#include "MusicReader.h"
#include "OffscreenContext.h"
#include "Platform.h"
#include "ProductionInfo.h"

namespace {

namespace fs = std::filesystem;

const int fps = 60;
const int64_t productionFrames = 80 * fps;

fs::path scratch() {
  static const fs::path folder =
      fs::temp_directory_path() / ("zeph-bench-capture-" + std::to_string(getpid()));
  fs::create_directories(folder);
  return folder;
}

double processCpuSeconds() {
  rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void wholeProduction(benchmark::State& state) {
  CaptureOptions options;
  options.folder = ZEPH_DEFAULT_SET;
  options.out = (scratch() / "whole").string();
  options.fps = fps;
  CaptureResult result;
  double cpu = 0.0;
  for (auto _ : state) {
    const double cpuBefore = processCpuSeconds();
    result = capture(productionInfo(), options, stderr);
    cpu = processCpuSeconds() - cpuBefore;
  }
  const double perFrame = 1000.0 / static_cast<double>(result.frames);
  state.counters["x_real_time"] = result.musicSeconds / result.seconds;
  state.counters["cpu_s"] = cpu;
  state.counters["draw_ms"] = result.times.draw * perFrame;
  state.counters["readback_ms"] = result.times.readBack * perFrame;
  state.counters["colour_ms"] = result.times.convert * perFrame;
  state.counters["h264_ms"] = result.times.encode * perFrame;
  state.counters["music_ms"] = result.times.music * perFrame;
  state.counters["waited_ms"] = result.times.waiting * perFrame;
}

void ignoreQuit() {}

// The production in a context of its own, its frames drawn one by one at
// the capture's music times, for the stages alone.
class LoadedProduction {
public:
  LoadedProduction() {
    const ProductionInfo& production = productionInfo();
    DemoApp* app = new DemoApp(production.title, production.width, production.height, production.colourBits,
                               production.depthBits, false);
    *production.application = app;
    context = std::make_unique<OffscreenContext>(production.width, production.height, production.depthBits);
    app->setupProjection();
    applyDefaultGlState();
    app->audioProvider = &clock;
    setQuitHandler(ignoreQuit);
    production.init(app);
  }
  void draw(int64_t index) {
    clock.setFrame(index);
    productionInfo().frame(*productionInfo().application);
    glFinish();
  }
  const uint8_t* rgba() const { return context->rgba(); }
  int width() const { return context->width(); }
  int height() const { return context->height(); }

private:
  CaptureClock clock{0.0, fps};
  std::unique_ptr<OffscreenContext> context;
};

// Loaded once (after the whole capture, which has one of its own).
LoadedProduction& frame() {
  static std::unique_ptr<LoadedProduction> loaded;
  if (!loaded) {
    const fs::path previous = fs::current_path();
    fs::current_path(ZEPH_DEFAULT_SET);
    loaded = std::make_unique<LoadedProduction>();
    fs::current_path(previous);
  }
  return *loaded;
}

size_t frameBytes() {
  return static_cast<size_t>(frame().width()) * static_cast<size_t>(frame().height()) * 4;
}

void draw(benchmark::State& state) {
  int64_t index = 0;
  for (auto _ : state)
    frame().draw(index++ % productionFrames);
}

// What the capture does: a copy out of the memory the context renders into.
void readBackCopy(benchmark::State& state) {
  frame().draw(1500);
  std::vector<uint8_t> pixels(frameBytes());
  for (auto _ : state) {
    std::memcpy(pixels.data(), frame().rgba(), pixels.size());
    benchmark::DoNotOptimize(pixels.data());
  }
}

// Its peer: asking GL for the pixels.
void readBackGl(benchmark::State& state) {
  frame().draw(1500);
  std::vector<uint8_t> pixels(frameBytes());
  for (auto _ : state) {
    glReadPixels(0, 0, frame().width(), frame().height(), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    benchmark::DoNotOptimize(pixels.data());
  }
}

// Two seconds of the production's frames, for the encoder.
const std::vector<std::vector<uint8_t>>& recordedFrames() {
  static std::vector<std::vector<uint8_t>> frames;
  for (int64_t index = 1500; frames.size() < 2 * fps; ++index) {
    frame().draw(index);
    frames.emplace_back(frame().rgba(), frame().rgba() + frameBytes());
  }
  return frames;
}

VideoSettings videoSettings(const char* preset) {
  VideoSettings settings;
  settings.width = frame().width();
  settings.height = frame().height();
  settings.fps = fps;
  if (preset) settings.preset = preset;
  return settings;
}

void colourConversion(benchmark::State& state) {
  Mp4Writer mp4((scratch() / "colour.mp4").string(), videoSettings(nullptr));
  const auto& frames = recordedFrames();
  size_t index = 0;
  for (auto _ : state)
    mp4.video().convert(frames[index++ % frames.size()].data());
}

const char* const presets[] = {"ultrafast", "veryfast", "medium"};

void encodeH264(benchmark::State& state) {
  const char* preset = presets[state.range(0)];
  state.SetLabel(std::string(preset) + (preset == VideoSettings().preset ? " (the capture's)" : ""));
  const std::string path = (scratch() / (std::string(preset) + ".mp4")).string();
  Mp4Writer mp4(path, videoSettings(preset));
  const auto& frames = recordedFrames();
  size_t index = 0;
  for (auto _ : state) {
    mp4.video().convert(frames[index++ % frames.size()].data());
    mp4.video().encode();
  }
  mp4.finish();
  state.counters["kbit_per_s"] =
      static_cast<double>(fs::file_size(path)) * 8.0 / 1000.0 / (static_cast<double>(index) / fps);
}

// One video frame's share of the music: decoding and AAC.
void music(benchmark::State& state) {
  const std::string musicPath = std::string(ZEPH_DEFAULT_SET) + "/data/" + defaultdata::musicFile;
  MusicReader reader(musicPath, 0.0);
  Mp4Writer mp4((scratch() / "music.mp4").string(), videoSettings(nullptr));
  const uint32_t samples = MusicReader::sampleRate / fps;
  std::vector<int16_t> pcm(samples * 2);
  for (auto _ : state) {
    reader.read(pcm.data(), samples);
    mp4.writeAudio(pcm.data(), samples);
  }
}

void perFrame(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}

} // namespace

BENCHMARK(wholeProduction)->Iterations(1)->Unit(benchmark::kSecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(draw)->Apply(perFrame)->Iterations(600);
BENCHMARK(readBackCopy)->Apply(perFrame);
BENCHMARK(readBackGl)->Apply(perFrame);
BENCHMARK(colourConversion)->Apply(perFrame);
BENCHMARK(encodeH264)->Apply(perFrame)->DenseRange(0, 2)->Iterations(600);
BENCHMARK(music)->Apply(perFrame);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(scratch(), ignored);
  return 0;
}
