#include "PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <new>

namespace {

const char* const corruptFile = "[png] corrupt or unreadable file";
const char* const tooLarge = "[png] image too large for memory";
const char* const outOfMemory = "[png] not enough memory for the image";

// The largest block one object can span on the target (under 2 GiB in a
// 32-bit build), and never more than 4 GiB, beyond any picture GL can take.
constexpr uint64_t fourGiB = uint64_t{1} << 32;
constexpr uint64_t maxBlockBytes = uint64_t{PTRDIFF_MAX} < fourGiB ? uint64_t{PTRDIFF_MAX} : fourGiB;

struct Decoded {
  unsigned char* pixels;
  uint32_t width;
  uint32_t height;
  int32_t bitsPerPixel;
  int32_t colourType;
  int32_t bitDepth;
};

// Whether `height` rows of `rowBytes` fit in one block; computed without overflow.
bool blockFits(png_size_t rowBytes, uint32_t height) {
  return rowBytes == 0 || height <= maxBlockBytes / rowBytes;
}

// libpng reports errors by a longjmp back to the setjmp below, so this
// function holds plain data only: no destructor can be jumped over.
// Returns the failure text, or nullptr with `out` filled.
const char* decode(std::FILE* file, Decoded* out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return "[png] png_create_read_struct";
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return "png_create_info_struct";
  }
  unsigned char* volatile block = nullptr; // set after the setjmp, read after a longjmp
  if (setjmp(png_jmpbuf(png))) {
    delete[] block;
    png_destroy_read_struct(&png, &info, nullptr);
    return corruptFile;
  }

  png_init_io(png, file);
  png_set_sig_bytes(png, 4);
  // Ancillary chunks leave no trace in the pixels: skip them unread, so that
  // no chunk's declared length (up to 2 GiB, even in a tiny file) sizes an
  // allocation. libpng still reads IHDR, PLTE, tRNS, IDAT and IEND.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(png, info);
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
  // Adam7 files: every pass writes its pixels into the same full-size rows.
  int passes = png_set_interlace_handling(png);
  int32_t bitsPerPixel = png_get_channels(png, info) * bitDepth;
  png_size_t rowBytes = png_get_rowbytes(png, info);

  if (!blockFits(rowBytes, height)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return tooLarge;
  }
  size_t size = rowBytes * height;
  // Cleared only where rows end inside a byte: libpng leaves the unused low
  // bits of such a row's last byte as they were, and writes every other byte.
  const bool partialBytes = (uint64_t{width} * static_cast<uint32_t>(bitsPerPixel)) % 8 != 0;
  block = partialBytes ? new (std::nothrow) unsigned char[size]() : new (std::nothrow) unsigned char[size];
  if (!block) {
    png_destroy_read_struct(&png, &info, nullptr);
    return outOfMemory;
  }
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 row = 0; row < height; ++row)
      png_read_row(png, block + row * rowBytes, nullptr);
  png_read_end(png, info);
  png_destroy_read_struct(&png, &info, nullptr);

  out->pixels = block;
  out->width = width;
  out->height = height;
  out->bitsPerPixel = bitsPerPixel;
  out->colourType = colourType;
  out->bitDepth = bitDepth;
  return nullptr;
}

} // namespace

PngImage::PngImage(const char* fileName) {
  std::FILE* file = std::fopen(fileName, "rb");
  if (!file) throw "[png] file does not exist";
  png_byte signature[4];
  if (std::fread(signature, 1, sizeof signature, file) < sizeof signature) {
    std::fclose(file);
    throw "[png] read error";
  }
  if (png_sig_cmp(signature, 0, sizeof signature) != 0) {
    std::fclose(file);
    throw "[png] this file is not an png!";
  }
  Decoded decoded{};
  const char* failure = decode(file, &decoded);
  std::fclose(file);
  if (failure) throw failure;
  pixels = decoded.pixels;
  width = decoded.width;
  height = decoded.height;
  bitsPerPixel = decoded.bitsPerPixel;
  colourType = decoded.colourType;
  bitDepth = decoded.bitDepth;
}

PngImage::~PngImage() {
  delete[] pixels;
}
