#pragma once

#include <cstdint>

#include "CaptureClock.h"
#include "OffscreenContext.h"

class DemoApp;

// The production's frame without a window: an off-screen context with the
// pixel format, projection and default GL state of the production's window,
// the production's callbacks, and the capture's clock in place of the music.
// It draws one frame at a time by index and sees the production's quit.
// One per process: the production keeps its state for good.
class OffscreenFrame {
public:
  // Loads the production (its initialise callback) from data/ in the
  // working folder; throws the production's message texts.
  OffscreenFrame(double fromSeconds, int framesPerSecond);
  // Runs the production's finish callback.
  ~OffscreenFrame();
  OffscreenFrame(const OffscreenFrame&) = delete;
  OffscreenFrame& operator=(const OffscreenFrame&) = delete;

  // Draws frame `index` to the end; rgba() then holds it.
  void draw(int64_t index);
  const uint8_t* rgba() const { return context.rgba(); }
  int width() const { return context.width(); }
  int height() const { return context.height(); }
  double musicTime() { return clock.getTime(); }
  // True once the production has asked to quit.
  bool quitPosted() const;

private:
  void release();

  CaptureClock clock;
  DemoApp* application; // made first: the context takes its settings
  OffscreenContext context;
};
