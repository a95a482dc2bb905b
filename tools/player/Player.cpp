#include "Player.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "AudioDevice.h"
#include "AudioFile.h"
#include "AudioProvider.h"
#include "DemoApp.h"
#include "FailureText.h"
#include "Platform.h"
#include "ProductionInfo.h"
#include "Reload.h"

// Keys: Space pauses and resumes; Left and Right seek 5 s back and forward,
// Page Up and Page Down 20 s, Home goes back to the start; R reloads the
// production's pictures and objects; Escape quits (the frame's own).

namespace {

struct Session {
  const ProductionInfo* production = nullptr;
  DemoApp* app = nullptr;
  AudioProvider* music = nullptr;
  double length = 0.0;
  std::string output;
  std::string problem; // the latest reload's failures
  std::string shownTitle;
  double animationBefore = 0.0; // the production's animation before the latest frame played
  bool drawn = false;
};
Session session;

// The production's tool and this command, for messages.
std::string command() {
  return std::string(session.production->name) + "tool play";
}

void say(const char* format, double seconds) {
  std::printf(format, seconds);
  std::fflush(stdout);
}

// Through the output once it exists, which drops what it holds of the music before.
void seekTo(double seconds) {
  const double target = clampSeek(seconds, session.length);
  AudioDevice* output = session.app->audioDevice;
  if (output ? output->seek(target) : session.music->seek(target))
    say("seek to %.3f s\n", target);
  else
    std::fprintf(stderr, "%s: could not seek to %.3f s\n", command().c_str(), target);
}

bool paused() {
  return session.app->audioDevice && session.app->audioDevice->paused;
}

void togglePause() {
  AudioDevice* output = session.app->audioDevice;
  if (!output) return;
  if (output->paused) {
    output->resume();
    say("resumed at %.3f s\n", session.music->getTime());
  } else {
    output->pause();
    say("paused at %.3f s\n", session.music->getTime());
  }
}

void reload() {
  const std::vector<std::string> problems = reloadProductionData(*session.production);
  session.problem.clear();
  for (const std::string& problem : problems) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    session.problem += (session.problem.empty() ? "" : "; ") + problem;
  }
  std::printf(problems.empty() ? "reloaded\n" : "reloaded with %zu failures\n", problems.size());
  std::fflush(stdout);
}

void onKey(DemoApp*, DemoKey key) {
  const double now = session.music->getTime();
  switch (key) {
  case DemoKey::Space: togglePause(); break;
  case DemoKey::Left: seekTo(now - 5.0); break;
  case DemoKey::Right: seekTo(now + 5.0); break;
  case DemoKey::PageUp: seekTo(now - 20.0); break;
  case DemoKey::PageDown: seekTo(now + 20.0); break;
  case DemoKey::Home: seekTo(0.0); break;
  case DemoKey::R: reload(); break;
  }
}

void showTitle() {
  char text[64];
  std::snprintf(text, sizeof(text), " %.1f s%s", session.music->getTime(), paused() ? " paused" : "");
  std::string title = session.app->title + std::string(text);
  if (!session.problem.empty()) title += " - " + session.problem;
  if (title == session.shownTitle) return;
  setWindowTitle(title.c_str());
  session.shownTitle = title;
}

void playerInit(DemoApp* demo) {
  session.production->init(demo);
  // The frame opens outputs by setting number; the player opens its by name.
  demo->audioDevice = createAudioDevice(session.output, session.music, DemoApp::window);
}

void playerFrame(DemoApp* demo) {
  // Paused, the production draws its latest frame again: the clock holds,
  // and its animation is put back to where that frame moved it from.
  const ProductionInfo& production = *session.production;
  if (production.animation) {
    if (paused() && session.drawn)
      production.setAnimation(session.animationBefore);
    else
      session.animationBefore = production.animation();
  }
  production.frame(demo);
  session.drawn = true;
  showTitle();
}

void playerFinish(DemoApp* demo) {
  session.production->finish(demo);
}

} // namespace

double clampSeek(double seconds, double length) {
  if (!(seconds > 0.0)) return 0.0;
  return std::min(seconds, std::max(length, 0.0));
}

double musicSeconds(const std::string& path) {
  // As the source factory chooses: raw PCM first, then Ogg Vorbis.
  if (path.find(".raw") != std::string::npos) {
    std::error_code error;
    const auto bytes = std::filesystem::file_size(path, error);
    return error ? 0.0 : static_cast<double>(bytes) / 176400.0;
  }
  OggVorbis_File vorbis;
  if (ov_fopen(path.c_str(), &vorbis) != 0) return 0.0;
  const double seconds = ov_time_total(&vorbis, -1);
  ov_clear(&vorbis);
  return seconds > 0.0 ? seconds : 0.0;
}

int runPlayer(const PlayOptions& options) {
  const ProductionInfo& production = productionInfo();
  session.production = &production;
  try {
    std::filesystem::current_path(options.folder);
    // The window's title says what plays; its text outlives the application.
    static const std::string title = std::string(production.title) + " play";
    session.app = new DemoApp(title.c_str(), production.width, production.height, production.colourBits,
                              production.depthBits, options.fullscreen);
    *production.application = session.app;
    DemoApp::audioOutput = 0;
    session.app->setCallbacks(playerInit, playerFrame, playerFinish);
    session.app->keyCallback = onKey;
    session.music = createAudioProvider(createAudioFile(production.musicFile, -1));
    session.length = musicSeconds(production.musicFile);
    session.output = options.output.empty() ? primaryAudioOutputName() : options.output;
    double start = clampSeek(options.from, session.length);
    if (start > 0.0 && !session.music->seek(start)) {
      std::fprintf(stderr, "%s: could not seek to %.3f s\n", command().c_str(), start);
      start = 0.0;
    }
    session.app->audioProvider = session.music;
    say("playing from %.3f s\n", start);
    session.app->run();
    if (session.app->audioDevice) session.app->audioDevice->close();
    return 0;
  } catch (...) {
    std::fprintf(stderr, "%s: %s\n", command().c_str(), failureText().c_str());
    return 1;
  }
}
