#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PngFixtures.h"
#include "PngImage.h"
#include "TempDir.h"

namespace {

std::string loadFailure(const std::string& path) {
  try {
    PngImage image(path.c_str());
  } catch (const char* message) {
    return message;
  }
  return "(loaded)";
}

std::vector<uint8_t> blockOf(const PngImage& image, size_t bytes) {
  return std::vector<uint8_t>(image.pixels, image.pixels + bytes);
}

struct Format {
  int colourType;
  int bitDepth;
  int bitsPerPixel;
};

// Every colour type and depth PNG allows, with the pixel depth the loader reports.
const Format formats[] = {{0, 1, 1},  {0, 2, 2},   {0, 4, 4},   {0, 8, 8},  {0, 16, 16},
                          {2, 8, 24}, {2, 16, 48}, {3, 1, 1},   {3, 2, 2},  {3, 4, 4},
                          {3, 8, 8},  {4, 8, 16},  {4, 16, 32}, {6, 8, 32}, {6, 16, 64}};

TEST(PngImage, EveryFormatLoadsAsTheFileStoresIt) {
  TempDir dir;
  for (const Format& format : formats) {
    for (bool interlaced : {false, true}) {
      // Odd sizes: partial last bytes, rows not a multiple of 4, every Adam7 pass.
      PngPicture picture = patternPicture(13, 11, format.colourType, format.bitDepth, interlaced);
      std::string path = dir.file("p.png");
      writePng(path, picture);
      SCOPED_TRACE(testing::Message() << "colour type " << format.colourType << ", depth " << format.bitDepth
                                      << (interlaced ? ", interlaced" : ""));
      PngImage image(path.c_str());
      EXPECT_EQ(image.width, 13u);
      EXPECT_EQ(image.height, 11u);
      EXPECT_EQ(image.bitsPerPixel, format.bitsPerPixel);
      EXPECT_EQ(image.colourType, format.colourType);
      EXPECT_EQ(image.bitDepth, format.bitDepth);
      EXPECT_EQ(blockOf(image, picture.rows.size()), picture.rows);
    }
  }
}

TEST(PngImage, RgbRowsLieTopRowFirst) {
  TempDir dir;
  std::vector<uint8_t> rgb(256 * 256 * 3);
  for (size_t i = 0; i < rgb.size(); ++i)
    rgb[i] = static_cast<uint8_t>(i / 768 + i % 3); // row number
  std::string path = dir.file("rgb.png");
  writeRgbPng(path, 256, 256, rgb);
  PngImage image(path.c_str());
  EXPECT_EQ(image.bitsPerPixel, 24);
  EXPECT_EQ(blockOf(image, 196608), rgb);
  EXPECT_EQ(image.pixels[0], 0);
  EXPECT_EQ(image.pixels[768], 1);
}

TEST(PngImage, ChannelsKeepTheFileOrder) {
  TempDir dir;
  std::string path = dir.file("rgba.png");
  writeRgbaPng(path, 1, 1, {10, 20, 30, 40});
  PngImage rgba(path.c_str());
  EXPECT_EQ(rgba.bitsPerPixel, 32);
  EXPECT_EQ(blockOf(rgba, 4), (std::vector<uint8_t>{10, 20, 30, 40}));

  PngPicture wide;
  wide.width = 1;
  wide.height = 1;
  wide.bitDepth = 16;
  wide.rows = {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc};
  writePng(path, wide);
  PngImage rgb16(path.c_str());
  EXPECT_EQ(rgb16.bitsPerPixel, 48);
  EXPECT_EQ(blockOf(rgb16, 6), wide.rows); // high byte first
}

TEST(PngImage, PaletteImagesKeepTheirIndices) {
  TempDir dir;
  PngPicture picture;
  picture.width = 4;
  picture.height = 1;
  picture.colourType = 3;
  picture.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  picture.rows = {2, 0, 1, 2};
  std::string path = dir.file("palette.png");
  writePng(path, picture);
  PngImage image(path.c_str());
  EXPECT_EQ(image.bitsPerPixel, 8);
  EXPECT_EQ(blockOf(image, 4), picture.rows);
}

TEST(PngImage, BitsPastTheLastPixelAreZero) {
  // The file's rows carry ones after the third pixel; the block must not.
  TempDir dir;
  PngPicture picture;
  picture.width = 3;
  picture.height = 2;
  picture.colourType = 0;
  picture.bitDepth = 1;
  picture.rows = {0xff, 0xff};
  for (bool interlaced : {false, true}) {
    picture.interlaced = interlaced;
    std::string path = dir.file("bits.png");
    writePng(path, picture);
    PngImage image(path.c_str());
    EXPECT_EQ(blockOf(image, 2), (std::vector<uint8_t>{0xe0, 0xe0})) << "interlaced " << interlaced;
  }
}

TEST(PngImage, FilesThatAreNotPngAreRefused) {
  TempDir dir;
  EXPECT_EQ(loadFailure(dir.file("missing.png")), "[png] file does not exist");
  for (size_t size = 0; size < 4; ++size)
    EXPECT_EQ(loadFailure(dir.write("short.png", std::string("\x89PNG", size))), "[png] read error") << size;
  EXPECT_EQ(loadFailure(dir.write("gif.png", "GIF89a\x01\x00\x01\x00")), "[png] this file is not an png!");
  EXPECT_EQ(loadFailure(dir.write("jpeg.png", "\xff\xd8\xff\xe0\x00\x10JFIF")),
            "[png] this file is not an png!");
  EXPECT_EQ(loadFailure(dir.write("text.png", "just some text\n")), "[png] this file is not an png!");
}

class DamagedPng : public testing::Test {
protected:
  DamagedPng() {
    std::vector<uint8_t> rgb(64 * 64 * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
      rgb[i] = static_cast<uint8_t>(i * 7919 % 251);
    PngPicture picture;
    picture.width = 64;
    picture.height = 64;
    picture.rows = rgb;
    png = encodePng(picture);
  }
  std::string failureOf(const std::string& bytes) { return loadFailure(dir.write("damaged.png", bytes)); }

  TempDir dir;
  std::string png;
};

TEST_F(DamagedPng, UndamagedLoads) {
  EXPECT_EQ(failureOf(png), "(loaded)");
}

TEST_F(DamagedPng, SignatureOnlyIsCorrupt) {
  EXPECT_EQ(failureOf(png.substr(0, 4)), "[png] corrupt or unreadable file");
  EXPECT_EQ(failureOf(png.substr(0, 8)), "[png] corrupt or unreadable file");
}

TEST_F(DamagedPng, WrongSecondHalfOfTheSignatureIsCorrupt) {
  png[6] = '\n'; // as a line-ending conversion leaves it
  EXPECT_EQ(failureOf(png), "[png] corrupt or unreadable file");
}

TEST_F(DamagedPng, TruncatedImageDataIsCorrupt) {
  size_t idat = findChunk(png, "IDAT");
  ASSERT_NE(idat, std::string::npos);
  EXPECT_EQ(failureOf(png.substr(0, idat + 8 + chunkLength(png, idat) / 2)),
            "[png] corrupt or unreadable file");
  EXPECT_EQ(failureOf(png.substr(0, idat)), "[png] corrupt or unreadable file");
}

TEST_F(DamagedPng, CrcErrorsInCriticalChunksAreCorrupt) {
  std::string badData = png;
  badData[findChunk(png, "IDAT") + 20] ^= 0x01;
  EXPECT_EQ(failureOf(badData), "[png] corrupt or unreadable file");
  std::string badHeader = png;
  badHeader[findChunk(png, "IHDR") + 8 + 13] ^= 0x01; // the CRC itself
  EXPECT_EQ(failureOf(badHeader), "[png] corrupt or unreadable file");
}

TEST_F(DamagedPng, DamagedCompressedDataIsCorrupt) {
  size_t idat = findChunk(png, "IDAT");
  png[idat + 8] = 0x7f; // no valid zlib header
  fixCrc(png, idat);
  EXPECT_EQ(failureOf(png), "[png] corrupt or unreadable file");
}

TEST_F(DamagedPng, HeaderTooLargeForMemoryIsRefusedBeforeAllocating) {
  // 1,000,000 x 1,000,000 RGBA at 16 bits, within libpng's own limits: 8 TB.
  size_t ihdr = findChunk(png, "IHDR");
  putBigEndian(png, ihdr + 8, 1000000);
  putBigEndian(png, ihdr + 12, 1000000);
  png[ihdr + 16] = 16;
  png[ihdr + 17] = 6;
  fixCrc(png, ihdr);
  EXPECT_EQ(failureOf(png), "[png] image too large for memory");
}

} // namespace
