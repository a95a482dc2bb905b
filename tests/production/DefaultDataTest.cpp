#include <gtest/gtest.h>

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <set>

#include "DefaultData.h"
#include "DefaultSet.h"
#include "LwoObject.h"
#include "Pictures.h"
#include "PngImage.h"
#include "TempDir.h"

namespace {

std::string dataFile(const char* name) {
  return defaultDataFolder() + "/" + name;
}

// The colour of pixel (x, y) of an 8-bit RGB or RGBA picture.
std::vector<int> colourAt(const PngImage& image, uint32_t x, uint32_t y) {
  const uint32_t bytes = static_cast<uint32_t>(image.bitsPerPixel) / 8;
  const unsigned char* p = image.pixels + (static_cast<size_t>(y) * image.width + x) * bytes;
  return {p[0], p[1], p[2]};
}

std::vector<int> colour(const uint8_t (&c)[3]) {
  return {c[0], c[1], c[2]};
}

} // namespace

TEST(DefaultData, EveryRunWritesTheSameBytes) {
  TempDir again;
  defaultdata::write(again.path());
  std::vector<std::string> names(std::begin(defaultdata::pictureFiles), std::end(defaultdata::pictureFiles));
  names.push_back(defaultdata::musicFile);
  names.push_back(defaultdata::objectFile);
  for (const std::string& name : names) {
    const std::string first = readBytes(defaultDataFolder() + "/" + name);
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_TRUE(first == readBytes(again.path() + "/data/" + name)) << name << " differs between runs";
  }
}

TEST(DefaultData, MusicIsLongEnoughStereoAt44100Hertz) {
  OggVorbis_File vorbis;
  ASSERT_EQ(ov_fopen(dataFile(defaultdata::musicFile).c_str(), &vorbis), 0);
  EXPECT_EQ(ov_info(&vorbis, -1)->rate, 44100);
  EXPECT_EQ(ov_info(&vorbis, -1)->channels, 2);
  EXPECT_GE(ov_time_total(&vorbis, -1), 85.0);
  ov_clear(&vorbis);
}

TEST(DefaultData, PicturesAreTexturesWithTheirOwnCornerMarkers) {
  std::set<std::vector<int>> corners;
  for (const DefaultPicture& picture : defaultPictures) {
    SCOPED_TRACE(picture.fileName);
    PngImage image(dataFile(picture.fileName).c_str());
    EXPECT_EQ(image.width, 512u);
    EXPECT_EQ(image.height, 512u);
    EXPECT_EQ(image.bitDepth, 8);
    EXPECT_EQ(image.bitsPerPixel, 8 * picture.channels);
    // First stored row at the top: the markers sit in rows 0 to 47.
    EXPECT_EQ(colourAt(image, 24, 24), colour(picture.topLeft));
    EXPECT_EQ(colourAt(image, 487, 24), colour(picture.topRight));
    EXPECT_NE(colourAt(image, 24, 487), colour(picture.topLeft));
    EXPECT_NE(colourAt(image, 487, 487), colour(picture.topRight));
    corners.insert(colour(picture.topLeft));
    corners.insert(colour(picture.topRight));
  }
  EXPECT_EQ(corners.size(), 8u) << "every corner marker is unique";
}

TEST(DefaultData, PicturesLookDifferentFromEachOther) {
  std::vector<std::string> contents;
  for (const char* name : defaultdata::pictureFiles) {
    PngImage image(dataFile(name).c_str());
    // Compare the middle rows, away from the markers.
    const size_t row = static_cast<size_t>(image.width) * static_cast<size_t>(image.bitsPerPixel / 8);
    contents.emplace_back(reinterpret_cast<const char*>(image.pixels) + 200 * row, 100 * row);
  }
  for (size_t a = 0; a < contents.size(); ++a)
    for (size_t b = a + 1; b < contents.size(); ++b)
      EXPECT_NE(contents[a], contents[b]);
}

TEST(DefaultData, ObjectIsOneLayerOfTrianglesWithAnOpaqueAndATranslucentSurface) {
  LwoObject object;
  object.load(dataFile(defaultdata::objectFile).c_str());
  const Mesh& mesh = object.mesh;
  EXPECT_GE(mesh.triangleCount, 2000);
  EXPECT_LE(mesh.triangleCount, 10000);
  EXPECT_LT(mesh.pointCount, 65280);
  ASSERT_EQ(mesh.surfaces.size(), 2u);
  EXPECT_EQ(mesh.surfaces[0].opacity, 0);
  EXPECT_GT(mesh.surfaces[1].opacity, 0);
  EXPECT_LT(mesh.surfaces[1].opacity, 255);
  uint32_t grouped = 0;
  for (const SurfaceGroup& group : mesh.surfaceGroups) {
    EXPECT_GT(group.triangleCount, 0u);
    grouped += group.triangleCount;
  }
  EXPECT_EQ(grouped, static_cast<uint32_t>(mesh.triangleCount));
  // Small enough to turn in front of the picture without leaving the screen.
  for (const Vec3& p : mesh.points)
    for (float c : p)
      EXPECT_LT(std::fabs(c), 0.17f);
}
