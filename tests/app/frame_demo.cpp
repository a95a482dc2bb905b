// A small production for testing the frame: its own three callbacks, markers
// on standard output that tell the order of events, and a picture that shows
// whether depth testing works.
//
// zeph_frame_demo [--fullscreen] [--music FILE] [--output N] [--quit-after SECONDS]
//                 [--frames N] [--frame-sleep MS] [--refuse-refresh-rates]
// --frame-sleep leaves the processor to the audio path on a loaded machine.
// The music defaults to $ZEPH_DEMO_MUSIC, else data/tovi_does_brask.ogg.

#include <GL/gl.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "DemoApp.h"
#include "DemoProbe.h"
#include "Platform.h"

namespace {

struct Options {
  bool fullscreen = false;
  std::string music;
  int output = -1; // the build's setting
  double quitAfter = -1.0;
  long frames = -1;
  int frameSleep = 0; // milliseconds
  bool refuseRefreshRates = false;
};

// Counts the output's fills, so the markers show when playback began.
class CountingProvider : public AudioProvider {
public:
  explicit CountingProvider(AudioProvider* music) : AudioProvider(nullptr), inner(music) {}
  double getTime() override { return inner->getTime(); }
  bool fill(uint8_t* buffer, uint32_t bytes) override {
    ++fills;
    return inner->fill(buffer, bytes);
  }
  void setOutputLatency(double seconds) override { inner->setOutputLatency(seconds); }
  void reportPlayed(uint64_t streamByte, uint32_t atMs) override { inner->reportPlayed(streamByte, atMs); }
  std::atomic<int> fills{0};

private:
  AudioProvider* inner;
};

Options options;
CountingProvider* music = nullptr;
long frameCount = 0;
int initCount = 0;
const int floodMessages = 100;

void mark(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

int fills() {
  return music ? music->fills.load() : -1;
}
double clock(DemoApp* app) {
  return app->audioProvider ? app->audioProvider->getTime() : 0.0;
}

// A quad at eye depth z whose corners are given in normalised device
// coordinates of the frame's projection (45 degrees, 4:3).
void quadAt(float z, float x0, float x1, float y0, float y1) {
  float halfHeight = -z * std::tan(22.5f * 3.14159265f / 180.0f);
  float halfWidth = halfHeight * 4.0f / 3.0f;
  glBegin(GL_QUADS);
  glVertex3f(x0 * halfWidth, y0 * halfHeight, z);
  glVertex3f(x1 * halfWidth, y0 * halfHeight, z);
  glVertex3f(x1 * halfWidth, y1 * halfHeight, z);
  glVertex3f(x0 * halfWidth, y1 * halfHeight, z);
  glEnd();
}

void initDemo(DemoApp*) {
  ++initCount;
  GLint depth = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  mark("init fills=" + std::to_string(fills()) + " depth=" + std::to_string(depth));
}

// Green near quad drawn first, blue far quad after it, overlapping: the
// overlap stays green only with a working depth buffer.
void drawDemo(DemoApp* app) {
  double t = clock(app);
  float red = static_cast<float>(0.5 * (t / 4.0 - std::floor(t / 4.0)));
  glClearColor(red, 0.25f, 0.125f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glColor3f(0.0f, 1.0f, 0.0f);
  quadAt(-3.0f, -0.6f, 0.12f, -0.5f, 0.5f);
  glColor3f(0.0f, 0.0f, 1.0f);
  quadAt(-4.0f, -0.2f, 0.6f, -0.3f, 0.3f);
  glColor3f(1.0f, 1.0f, 1.0f);

  if (options.frameSleep > 0) std::this_thread::sleep_for(std::chrono::milliseconds(options.frameSleep));
  ++frameCount;
  if (frameCount == 1) mark("start fills=" + std::to_string(fills()) + " " + describeWindow());
  if (frameCount == 3) postOwnMessages(floodMessages);
  if (frameCount == 4) mark(std::string("flood waiting=") + (messageWaiting() ? "yes" : "no"));
  bool timeUp = options.quitAfter >= 0.0 && t > options.quitAfter;
  bool framesDone = options.frames >= 0 && frameCount == options.frames;
  if (timeUp || framesDone) {
    mark("quitting clock=" + std::to_string(t));
    postQuit();
  }
}

void finishDemo(DemoApp* app) {
  mark("finish frames=" + std::to_string(frameCount) +
       " context=" + (contextCurrent(*app) ? "current" : "none"));
}

bool parse(int argc, char** argv) {
  const char* fromEnv = std::getenv("ZEPH_DEMO_MUSIC");
  options.music = fromEnv ? fromEnv : "data/tovi_does_brask.ogg";
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--fullscreen")
      options.fullscreen = true;
    else if (arg == "--refuse-refresh-rates")
      options.refuseRefreshRates = true;
    else if (arg == "--music" && hasValue)
      options.music = argv[++i];
    else if (arg == "--output" && hasValue)
      options.output = std::atoi(argv[++i]);
    else if (arg == "--quit-after" && hasValue)
      options.quitAfter = std::atof(argv[++i]);
    else if (arg == "--frames" && hasValue)
      options.frames = std::atol(argv[++i]);
    else if (arg == "--frame-sleep" && hasValue)
      options.frameSleep = std::atoi(argv[++i]);
    else {
      std::fprintf(stderr, "unknown option %s\n", arg.c_str());
      return false;
    }
  }
  return true;
}

int runDemo() {
  try {
    auto* app = new DemoApp("zeph frame demo", 640, 480, 32, 16, options.fullscreen);
    if (options.output >= 0) DemoApp::audioOutput = options.output;
    if (options.refuseRefreshRates) refuseRefreshRates();
    app->setCallbacks(initDemo, drawDemo, finishDemo);
    music = new CountingProvider(createAudioProvider(createAudioFile(options.music.c_str(), -1)));
    app->audioProvider = music;
    app->run();
    app->run(); // the quit flag is class-wide: this returns at once
    mark("second run init=" + std::to_string(initCount) + " frames=" + std::to_string(frameCount));
    return 1;
  } catch (const char* message) {
    mark(std::string("error ") + message);
    showErrorBox(message);
    return -1;
  }
}

} // namespace

int main(int argc, char** argv) {
  if (!parse(argc, argv)) return 2;
  int status = runDemo();
  mark("exit " + std::to_string(status));
  return status;
}
