#include "OffscreenGl.h"

#include "DemoApp.h"
#include "FrameSetup.h"

OffscreenGl::OffscreenGl(int width, int height) : context(width, height, 16) {
  // The frame's own set-up, for a client area of this size.
  DemoApp frame("offscreen", width, height, 32, 16, false);
  frame.setupProjection();
  applyDefaultGlState();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void OffscreenGl::finish() const {
  glFinish();
}

uint32_t OffscreenGl::pixel(int x, int y) const {
  const uint8_t* p =
      context.rgba() + (static_cast<size_t>(y) * static_cast<size_t>(width()) + static_cast<size_t>(x)) * 4;
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
