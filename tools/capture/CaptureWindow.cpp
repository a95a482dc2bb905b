#include "CaptureWindow.h"

#include <GL/gl.h>

#include "CaptureClock.h"
#include "CaptureSink.h"
#include "DemoApp.h"
#include "OffscreenContext.h"
#include "Platform.h"
#include "Progress.h"

namespace {

// The quit that the production posts, seen without a window's loop.
bool quitSeen = false;
void noteQuit() {
  quitSeen = true;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

CaptureWindow::CaptureWindow(CaptureClock& musicClock, CaptureSink& frameSink, Progress& shown,
                             int64_t frameLimit)
    : clock(musicClock), sink(frameSink), progress(shown), limit(frameLimit) {}

CaptureWindow::~CaptureWindow() {
  setQuitHandler(nullptr);
}

void CaptureWindow::open(DemoApp&) {
  context = std::make_unique<OffscreenContext>(DemoApp::width, DemoApp::height, DemoApp::depthBits);
  quitSeen = false;
  setQuitHandler(noteQuit);
}

WindowMessage CaptureWindow::takeMessage(DemoApp&) {
  if (quitSeen || drawn >= limit) return WindowMessage::Quit;
  clock.setFrame(drawn);
  drawStart = Clock::now();
  return WindowMessage::None;
}

void CaptureWindow::swap(DemoApp&) {
  glFinish();
  spent.draw += secondsSince(drawStart);
  const Clock::time_point handing = Clock::now();
  sink.push(context->rgba());
  spent.readBack += secondsSince(handing);
  ++drawn;
  progress.update(drawn, clock.getTime());
}

void CaptureWindow::close(DemoApp&) {
  setQuitHandler(nullptr);
  context.reset();
}
