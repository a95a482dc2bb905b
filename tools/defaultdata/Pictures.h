#pragma once

#include <cstdint>

#include "Canvas.h"

// The default set's four pictures. Each carries two solid marker squares,
// one in its top-left and one in its top-right corner, in colours that no
// other picture's corner has, so a screenshot tells which picture is on
// screen and which way up it is.
struct DefaultPicture {
  const char* fileName;
  uint8_t topLeft[3];
  uint8_t topRight[3];
  // 3 for RGB, 4 for RGBA.
  int channels;
  Canvas (*draw)();
};

constexpr int pictureSize = 512;
constexpr int markerSize = 48;

extern const DefaultPicture defaultPictures[4];

// The picture with its markers, as 8-bit samples, rows top first.
std::vector<uint8_t> renderPicture(const DefaultPicture& picture);
