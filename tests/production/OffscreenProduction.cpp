#include "OffscreenProduction.h"

#include <filesystem>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "DemoApp.h"
#include "LwoObject.h"
#include "MillisecondTimer.h"
#include "Production.h"
#include "Texture.h"

namespace {

uint32_t stoppedTimer() {
  return 500000u;
}

} // namespace

OffscreenProduction::OffscreenProduction(const std::string& folder)
    : gl(640, 480), previousFolder(std::filesystem::current_path().string()) {
  std::filesystem::current_path(folder);
  musicPath = (std::filesystem::path(previousFolder) / folder / "data/tovi_does_brask.ogg").string();
  objectAngle = 0.0f;
  app = new DemoApp("zeph", 640, 480, 32, 16, false);
  initProduction(app);
  setMusicTime(-1.0);
}

OffscreenProduction::~OffscreenProduction() {
  app->audioProvider = nullptr;
  setMillisecondTimer(nullptr);
  std::filesystem::current_path(previousFolder);
}

void OffscreenProduction::setMusicTime(double seconds) {
  setMillisecondTimer(stoppedTimer);
  std::unique_ptr<AudioFile> file(createAudioFile(musicPath.c_str(), -1));
  std::unique_ptr<AudioProvider> source(createAudioProvider(file.get()));
  if (seconds >= 0.0) {
    // The clock holds where the output reports playing: the end of what was decoded.
    const auto frames = static_cast<uint32_t>(seconds * 44100.0 + 0.5);
    std::vector<uint8_t> pcm(static_cast<size_t>(frames) * 4);
    source->fill(pcm.data(), static_cast<uint32_t>(pcm.size()));
    source->reportPlayed(pcm.size(), stoppedTimer());
  } else {
    source->setOutputLatency(-seconds); // not heard before then
  }
  app->audioProvider = source.get();
  // The source before the file it reads.
  music = std::move(source);
  musicFile = std::move(file);
}

void OffscreenProduction::drawFrame() {
  ::drawFrame(app);
  gl.finish();
}

void OffscreenProduction::drawExpected(int picture, float angle, Object object) {
  Texture* const pictures[] = {logoTexture, voteTexture, duOgsaaTexture, zeph0Texture};
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  if (picture >= 0) drawPicture(pictures[picture]->textureName);
  if (object == Object::Whole) glClear(GL_DEPTH_BUFFER_BIT);
  if (object != Object::None) {
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glLoadIdentity();
    sceneObject->drawAt(0.45f, -0.36f, -1.4f, 2.0f, 2.0f, 2.0f, 0.0f, angle, 0.0f);
  }
  gl.finish();
}

std::vector<uint8_t> OffscreenProduction::rgb() const {
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(gl.width()) * static_cast<size_t>(gl.height()) * 3);
  for (int y = 0; y < gl.height(); ++y) {
    for (int x = 0; x < gl.width(); ++x) {
      out.push_back(gl.red(x, y));
      out.push_back(gl.green(x, y));
      out.push_back(gl.blue(x, y));
    }
  }
  return out;
}
