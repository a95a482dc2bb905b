// Start-up of the production on its default data, in a window: from the
// moment the launching script noted (ZEPH_LAUNCH_NS, nanoseconds of the
// system clock) to the first frame on screen, against the sum of the
// loaders' own times for the same files, measured afterwards in the same
// process. Prints one line: start-up ms, loaders ms, ratio.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioProvider.h"
#include "DemoApp.h"
#include "LwoObject.h"
#include "Platform.h"
#include "PngImage.h"
#include "Production.h"

namespace {

using Clock = std::chrono::steady_clock;

double nowSinceEpochMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

double firstFrameMs = -1.0;
int frames = 0;

// The production's frame; the second call comes after the first frame was shown.
void frameThenQuit(DemoApp* demo) {
  if (++frames == 2) {
    firstFrameMs = nowSinceEpochMs();
    postQuit();
    return;
  }
  drawFrame(demo);
}

template <class Load> double timedMs(Load&& load) {
  const Clock::time_point start = Clock::now();
  load();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double loadersMs() {
  double total = 0.0;
  for (const char* picture : {"data/zeph-logo.png", "data/vote.png", "data/du_ogsaa.png", "data/zeph0.png"})
    total += timedMs([picture] { PngImage image(picture); });
  total += timedMs([] {
    LwoObject object;
    object.load("data/bl0ah.lwo");
  });
  total += timedMs([] {
    std::unique_ptr<AudioFile> file(createAudioFile("data/tovi_does_brask.ogg", -1));
    std::unique_ptr<AudioProvider> source(createAudioProvider(file.get()));
  });
  return total;
}

} // namespace

int productionMain() {
  const char* launch = std::getenv("ZEPH_LAUNCH_NS");
  if (!launch) {
    std::fprintf(stderr, "ZEPH_LAUNCH_NS is not set: run bench/startup.sh\n");
    return 2;
  }
  const double launchMs = std::strtod(launch, nullptr) / 1e6;
  try {
    app = new DemoApp("zeph", 640, 480, 32, 16, false);
    app->setCallbacks(initProduction, frameThenQuit, finishProduction);
    app->audioProvider = createAudioProvider(createAudioFile("data/tovi_does_brask.ogg", -1));
    app->run();
    if (app->audioDevice) app->audioDevice->close();
  } catch (const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 1;
  }
  const double startup = firstFrameMs - launchMs;
  const double loaders = loadersMs();
  std::printf("start-up to first frame %.1f ms, loaders %.1f ms, ratio %.1f\n", startup, loaders,
              startup / loaders);
  return 0;
}
