#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes PNG files with libpng, for test fixtures and production data. The
// same picture always gives the same bytes (no time stamp, fixed settings).
// Failures throw a static message text.

// A picture in PNG's own sample layout.
struct PngPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  int colourType = 2; // PNG_COLOR_TYPE_*: 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  int bitDepth = 8;   // 1, 2, 4, 8 or 16, as PNG allows for the colour type
  bool interlaced = false;
  // zlib's level, 0 (none) to 9 (smallest); -1 for zlib's own default.
  // Lower levels write much faster, for pictures written by the thousand.
  int compressionLevel = -1;
  // `height` rows of pngRowBytes() bytes each, top row first: samples packed
  // high bits first below 8 bits, 16-bit samples high byte first.
  std::vector<uint8_t> rows;
  // RGB triples of a palette picture.
  std::vector<uint8_t> palette;
};

// Bytes in one row of `picture`.
size_t pngRowBytes(const PngPicture& picture);

// The PNG file of `picture`.
std::string encodePng(const PngPicture& picture);
void writePng(const std::string& path, const PngPicture& picture);

// 8-bit RGB or RGBA pictures from `width` x `height` pixels, top row first.
void writeRgbPng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb);
void writeRgbaPng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& rgba);
