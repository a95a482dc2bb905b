#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "OffscreenContext.h"

// A current OpenGL context rendering into memory, with a depth buffer and
// the frame's default state and projection (45 degrees, near 1, far 1000).
class OffscreenGl {
public:
  OffscreenGl(int width = 64, int height = 48);
  OffscreenGl(const OffscreenGl&) = delete;
  OffscreenGl& operator=(const OffscreenGl&) = delete;

  int width() const { return context.width(); }
  int height() const { return context.height(); }
  // RGBA of the pixel at (x, y), y counted from the top of the picture.
  uint32_t pixel(int x, int y) const;
  uint8_t red(int x, int y) const { return static_cast<uint8_t>(pixel(x, y) >> 24); }
  uint8_t green(int x, int y) const { return static_cast<uint8_t>(pixel(x, y) >> 16); }
  uint8_t blue(int x, int y) const { return static_cast<uint8_t>(pixel(x, y) >> 8); }
  uint8_t alpha(int x, int y) const { return static_cast<uint8_t>(pixel(x, y)); }
  // Finishes drawing so that the pixels can be read.
  void finish() const;

private:
  OffscreenContext context;
};
