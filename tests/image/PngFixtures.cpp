#include "PngFixtures.h"

#include <zlib.h>

PngPicture patternPicture(uint32_t width, uint32_t height, int colourType, int bitDepth, bool interlaced) {
  PngPicture picture;
  picture.width = width;
  picture.height = height;
  picture.colourType = colourType;
  picture.bitDepth = bitDepth;
  picture.interlaced = interlaced;
  size_t rowBytes = pngRowBytes(picture);
  // Bits of the last byte that hold no pixel (only below 8 bits per pixel).
  size_t spareBits = rowBytes * 8 - size_t{width} * static_cast<size_t>(bitDepth);
  auto lastMask = static_cast<uint8_t>(bitDepth < 8 ? 0xffu << spareBits : 0xffu);
  picture.rows.resize(rowBytes * height);
  for (uint32_t y = 0; y < height; ++y) {
    for (size_t x = 0; x < rowBytes; ++x)
      picture.rows[y * rowBytes + x] = static_cast<uint8_t>(x * 37 + y * 101 + 11 * (x ^ y));
    picture.rows[y * rowBytes + rowBytes - 1] &= lastMask;
  }
  if (colourType == 3)
    for (int i = 0; i < (1 << bitDepth); ++i)
      for (int c = 0; c < 3; ++c)
        picture.palette.push_back(static_cast<uint8_t>(i * 3 + c * 85));
  return picture;
}

size_t findChunk(const std::string& png, const char* type) {
  size_t offset = 8;
  while (offset + 12 <= png.size()) {
    if (png.compare(offset + 4, 4, type) == 0) return offset;
    offset += 12 + chunkLength(png, offset);
  }
  return std::string::npos;
}

uint32_t chunkLength(const std::string& png, size_t offset) {
  uint32_t length = 0;
  for (size_t i = 0; i < 4; ++i)
    length = length << 8 | static_cast<uint8_t>(png[offset + i]);
  return length;
}

void putBigEndian(std::string& png, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i)
    png[offset + i] = static_cast<char>(value >> (24 - 8 * i));
}

void fixCrc(std::string& png, size_t offset) {
  uint32_t length = chunkLength(png, offset);
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(png.data() + offset + 4), length + 4);
  putBigEndian(png, offset + 8 + length, static_cast<uint32_t>(crc));
}
