#include "OffscreenFrame.h"

#include <GL/gl.h>

#include "DemoApp.h"
#include "FrameSetup.h"
#include "Platform.h"
#include "Production.h"

namespace {

// The quit that the production posts, seen without a window's loop.
bool quitSeen = false;
void noteQuit() {
  quitSeen = true;
}

} // namespace

// The production's application object, with the display settings its entry
// gives it; the context takes its size and pixel format from them.
OffscreenFrame::OffscreenFrame(double fromSeconds, int framesPerSecond)
    : clock(fromSeconds, framesPerSecond), application(app = new DemoApp("zeph", 640, 480, 32, 16, false)),
      context(DemoApp::width, DemoApp::height, DemoApp::depthBits) {
  application->setupProjection();
  applyDefaultGlState();
  application->audioProvider = &clock;
  quitSeen = false;
  setQuitHandler(noteQuit);
  application->setCallbacks(initProduction, drawFrame, finishProduction);
  try {
    application->initCallback(application);
  } catch (...) {
    release();
    throw;
  }
}

OffscreenFrame::~OffscreenFrame() {
  application->exitCallback(application);
  release();
}

void OffscreenFrame::release() {
  setQuitHandler(nullptr);
  application->audioProvider = nullptr;
}

void OffscreenFrame::draw(int64_t index) {
  clock.setFrame(index);
  application->frameCallback(application);
  glFinish();
}

bool OffscreenFrame::quitPosted() const {
  return quitSeen;
}
