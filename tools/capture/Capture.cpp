#include "Capture.h"

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

#include "CaptureSink.h"
#include "DefaultData.h"
#include "MusicReader.h"
#include "OffscreenFrame.h"
#include "OutputFiles.h"
#include "Progress.h"
#include "Timeline.h"

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

bool isCaptureFile(const std::string& name) {
  return name == "zeph.mp4" || name == "music.wav" || CaptureSink::isStillName(name);
}

// Frames before `to`: the frame at `to` itself (to a nanosecond) is not drawn.
int64_t frameLimit(const CaptureOptions& options) {
  if (!std::isfinite(options.to)) return std::numeric_limits<int64_t>::max();
  const double frames = std::ceil((options.to - options.from) * options.fps - 1e-9);
  return std::max<int64_t>(1, static_cast<int64_t>(frames));
}

// For the progress line: the production ends with its first frame past the
// last picture.
int64_t expectedFrames(const CaptureOptions& options) {
  const double ahead = (timeline::endSeconds - options.from) * options.fps;
  const int64_t production = ahead < 0.0 ? 1 : static_cast<int64_t>(std::floor(ahead)) + 2;
  return std::min(production, frameLimit(options));
}

} // namespace

CaptureResult capture(const CaptureOptions& options, std::FILE* progressStream) {
  const Clock::time_point start = Clock::now();
  av_log_set_level(AV_LOG_ERROR); // the progress line is the capture's only chatter
  OutputFiles files(options.out, isCaptureFile);
  WorkingFolder working(options.folder);
  // In the production's own order: the music first, then the frame, then the rest.
  MusicReader music(std::string("data/") + defaultdata::musicFile, options.from);
  OffscreenFrame frame(options.from, options.fps);

  VideoSettings video = options.video;
  video.width = frame.width();
  video.height = frame.height();
  video.fps = options.fps;
  CaptureSink sink(files, video, options.stills, music);
  Progress progress(progressStream, expectedFrames(options));
  CaptureResult result;
  const int64_t limit = frameLimit(options);
  while (result.frames < limit && !frame.quitPosted()) {
    Clock::time_point stage = Clock::now();
    frame.draw(result.frames);
    result.times.draw += secondsSince(stage);
    stage = Clock::now();
    sink.push(frame.rgba());
    result.times.readBack += secondsSince(stage);
    ++result.frames;
    progress.update(result.frames, frame.musicTime());
  }
  sink.finish();
  files.commit();

  result.musicSeconds = static_cast<double>(result.frames) / options.fps;
  result.seconds = secondsSince(start);
  const StageTimes& writer = sink.times();
  result.times.readBack -= writer.waiting;
  result.times.waiting = writer.waiting;
  result.times.convert = writer.convert;
  result.times.encode = writer.encode;
  result.times.music = writer.music;
  result.times.stills = writer.stills;
  progress.finish(result.frames, frame.musicTime(), result.musicSeconds);
  return result;
}
