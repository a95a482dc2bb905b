#include "Capture.h"

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

#include "CaptureClock.h"
#include "CaptureSink.h"
#include "CaptureWindow.h"
#include "DemoApp.h"
#include "MusicReader.h"
#include "OutputFiles.h"
#include "ProductionInfo.h"
#include "Progress.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// For the production's paths, which are relative to the working folder.
class WorkingFolder {
public:
  explicit WorkingFolder(const std::string& folder) : previous(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
  std::filesystem::path previous;
};

// Frames before `to`: the frame at `to` itself (to a nanosecond) is not drawn.
int64_t frameLimit(const CaptureOptions& options) {
  if (!std::isfinite(options.to)) return std::numeric_limits<int64_t>::max();
  const double frames = std::ceil((options.to - options.from) * options.fps - 1e-9);
  return std::max<int64_t>(1, static_cast<int64_t>(frames));
}

// For the progress line: a production with an end quits with its first
// frame past it.
int64_t expectedFrames(const CaptureOptions& options, double endSeconds) {
  if (!(endSeconds > 0.0)) return frameLimit(options);
  const double ahead = (endSeconds - options.from) * options.fps;
  const int64_t production = ahead < 0.0 ? 1 : static_cast<int64_t>(std::floor(ahead)) + 2;
  return std::min(production, frameLimit(options));
}

// The production's application object, made as its entry makes it, on the
// capture's window and clock; it plays no sound (the sink writes the music).
DemoApp* captureApplication(const ProductionInfo& production, CaptureWindow& window, CaptureClock& clock) {
  DemoApp* app = new DemoApp(production.title, production.width, production.height, production.colourBits,
                             production.depthBits, false);
  *production.application = app;
  app->frameWindow = &window;
  DemoApp::audioOutput = 0;
  app->setCallbacks(production.init, production.frame, production.finish);
  app->audioProvider = &clock;
  return app;
}

} // namespace

CaptureResult capture(const ProductionInfo& production, const CaptureOptions& options,
                      std::FILE* progressStream) {
  const Clock::time_point start = Clock::now();
  av_log_set_level(AV_LOG_ERROR); // the progress line is the capture's only chatter
  const std::string videoName = std::string(production.name) + ".mp4";
  OutputFiles files(options.out, [&videoName](const std::string& name) {
    return name == videoName || name == "music.wav" || CaptureSink::isStillName(name);
  });
  WorkingFolder working(options.folder);
  // In the production's own order: the music first, then the frame, then the rest.
  MusicReader music(production.musicFile, options.from);
  VideoSettings video = options.video;
  video.width = production.width;
  video.height = production.height;
  video.fps = options.fps;
  CaptureSink sink(files, videoName, video, options.stills, music);
  Progress progress(progressStream, expectedFrames(options, production.endSeconds));
  CaptureClock clock(options.from, options.fps);
  CaptureWindow window(clock, sink, progress, frameLimit(options));
  DemoApp* app = captureApplication(production, window, clock);
  try {
    app->run();
  } catch (...) {
    app->audioProvider = nullptr;
    throw;
  }
  app->audioProvider = nullptr;
  sink.finish();
  files.commit();

  CaptureResult result;
  result.frames = window.frames();
  result.musicSeconds = static_cast<double>(result.frames) / options.fps;
  result.seconds = secondsSince(start);
  result.times = window.times();
  const StageTimes& writer = sink.times();
  result.times.readBack -= writer.waiting;
  result.times.waiting = writer.waiting;
  result.times.convert = writer.convert;
  result.times.encode = writer.encode;
  result.times.music = writer.music;
  result.times.stills = writer.stills;
  progress.finish(result.frames, clock.getTime(), result.musicSeconds);
  return result;
}
