#include "PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <fstream>

namespace {

int channelsOf(int colourType) {
  switch (colourType) {
  case PNG_COLOR_TYPE_GRAY: return 1;
  case PNG_COLOR_TYPE_RGB: return 3;
  case PNG_COLOR_TYPE_PALETTE: return 1;
  case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
  case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
  default: throw "[pngwriter] unknown colour type";
  }
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp) {}

// libpng reports errors by a longjmp back to the setjmp below, so this
// function holds plain data only: no destructor can be jumped over.
const char* encode(const PngPicture* picture, const png_color* palette, int paletteSize, size_t rowBytes,
                   std::string* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return "[pngwriter] png_create_write_struct";
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return "[pngwriter] png_create_info_struct";
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return "[pngwriter] libpng refused the picture";
  }
  png_set_write_fn(png, out, appendBytes, flushNothing);
  png_set_IHDR(png, info, picture->width, picture->height, picture->bitDepth, picture->colourType,
               picture->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (paletteSize > 0) png_set_PLTE(png, info, palette, paletteSize);
  if (picture->compressionLevel >= 0) png_set_compression_level(png, picture->compressionLevel);
  png_write_info(png, info);
  int passes = png_set_interlace_handling(png);
  for (int pass = 0; pass < passes; ++pass)
    for (uint32_t row = 0; row < picture->height; ++row)
      png_write_row(png, picture->rows.data() + row * rowBytes);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return nullptr;
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw "[pngwriter] cannot write the file";
}

PngPicture eightBit(uint32_t width, uint32_t height, int colourType, const std::vector<uint8_t>& pixels) {
  PngPicture picture;
  picture.width = width;
  picture.height = height;
  picture.colourType = colourType;
  picture.bitDepth = 8;
  picture.rows = pixels;
  return picture;
}

} // namespace

size_t pngRowBytes(const PngPicture& picture) {
  size_t bits = size_t{picture.width} * static_cast<size_t>(channelsOf(picture.colourType)) *
                static_cast<size_t>(picture.bitDepth);
  return (bits + 7) / 8;
}

std::string encodePng(const PngPicture& picture) {
  size_t rowBytes = pngRowBytes(picture);
  if (picture.rows.size() != rowBytes * picture.height)
    throw "[pngwriter] pixel data does not match the size";
  if (picture.palette.size() % 3 != 0 || picture.palette.size() > 3 * PNG_MAX_PALETTE_LENGTH)
    throw "[pngwriter] palette is not a list of at most 256 RGB triples";
  std::vector<png_color> palette;
  for (size_t i = 0; i < picture.palette.size(); i += 3)
    palette.push_back({picture.palette[i], picture.palette[i + 1], picture.palette[i + 2]});
  std::string bytes;
  const char* failure = encode(&picture, palette.data(), static_cast<int>(palette.size()), rowBytes, &bytes);
  if (failure) throw failure;
  return bytes;
}

void writePng(const std::string& path, const PngPicture& picture) {
  writeFile(path, encodePng(picture));
}

void writeRgbPng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb) {
  writePng(path, eightBit(width, height, PNG_COLOR_TYPE_RGB, rgb));
}

void writeRgbaPng(const std::string& path, uint32_t width, uint32_t height,
                  const std::vector<uint8_t>& rgba) {
  writePng(path, eightBit(width, height, PNG_COLOR_TYPE_RGB_ALPHA, rgba));
}
