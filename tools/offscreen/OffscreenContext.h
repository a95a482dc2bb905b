#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A current OpenGL context that renders into memory of its own: RGBA with a
// depth buffer of `depthBits`, the pixel format the frame asks its window for.
// Throws a message text when Mesa cannot make one.
class OffscreenContext {
public:
  OffscreenContext(int width, int height, int depthBits);
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  int width() const { return w; }
  int height() const { return h; }
  // Red, green, blue, alpha of every pixel, top row first; complete once
  // drawing has finished (glFinish).
  const uint8_t* rgba() const { return buffer.data(); }

private:
  int w;
  int h;
  std::vector<uint8_t> buffer;
  void* context = nullptr;
};
