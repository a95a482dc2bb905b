#pragma once

#include <cstdint>

// One PNG picture decoded into a single block of raw pixels, exactly as the
// file stores them: top row first, rows of libpng's row byte count back to
// back, channels in file order, 16-bit samples high byte first, palette
// indices kept (the palette is dropped). Interlaced files hold the whole
// picture, not the pass images.
class PngImage {
public:
  // Decodes `fileName`; throws a static message text when it cannot.
  explicit PngImage(const char* fileName);
  ~PngImage();
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;

  unsigned char* pixels = nullptr;
  uint32_t width = 0;
  uint32_t height = 0;
  int32_t bitsPerPixel = 0; // channels x bit depth
  // The file's own format, so that a texture can tell 8-bit RGBA from
  // 16-bit grey + alpha (both 32 bits per pixel).
  int32_t colourType = 0; // PNG_COLOR_TYPE_*
  int32_t bitDepth = 0;
};
