#pragma once

#include <cstdint>

#include "Canvas.h"

// The default set's four pictures, each a scene of its own with its title
// and caption. Nothing in them is there for machines: tests tell them apart
// by what they show.
struct DefaultPicture {
  const char* fileName;
  // 3 for RGB, 4 for RGBA.
  int channels;
  Canvas (*draw)();
};

constexpr int pictureSize = 512;

// Where the production's object turns over the picture, in picture pixels
// (the quad shows the picture over the whole screen, its first row at the
// top): texts keep out of this box, so the object never hides them.
constexpr PixelBox objectArea = {296, 280, pictureSize, pictureSize};

extern const DefaultPicture defaultPictures[4];

// The picture as 8-bit samples, rows top first.
std::vector<uint8_t> renderPicture(const DefaultPicture& picture);
