#include <gtest/gtest.h>

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <memory>

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

// Mean absolute difference per sample between two pictures' first three channels.
double meanDifference(const PngImage& a, const PngImage& b) {
  const size_t pixels = static_cast<size_t>(a.width) * a.height;
  const size_t aBytes = static_cast<size_t>(a.bitsPerPixel / 8);
  const size_t bBytes = static_cast<size_t>(b.bitsPerPixel / 8);
  double sum = 0.0;
  for (size_t i = 0; i < pixels; ++i)
    for (size_t c = 0; c < 3; ++c)
      sum += std::abs(int{a.pixels[i * aBytes + c]} - int{b.pixels[i * bBytes + c]});
  return sum / (3.0 * static_cast<double>(pixels));
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

// The files hold the drawn pictures, first row at the top, as 512 x 512 textures.
TEST(DefaultData, PicturesAreTheDrawnOnesAs512By512Textures) {
  for (const DefaultPicture& picture : defaultPictures) {
    SCOPED_TRACE(picture.fileName);
    PngImage image(dataFile(picture.fileName).c_str());
    EXPECT_EQ(image.width, 512u);
    EXPECT_EQ(image.height, 512u);
    EXPECT_EQ(image.bitDepth, 8);
    ASSERT_EQ(image.bitsPerPixel, 8 * picture.channels);
    const std::vector<uint8_t> drawn = renderPicture(picture);
    ASSERT_EQ(drawn.size(), static_cast<size_t>(512 * 512 * picture.channels));
    EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), image.pixels));
  }
}

TEST(DefaultData, PicturesLookClearlyDifferentFromEachOther) {
  std::vector<std::unique_ptr<PngImage>> images;
  for (const char* name : defaultdata::pictureFiles)
    images.push_back(std::make_unique<PngImage>(dataFile(name).c_str()));
  for (size_t a = 0; a < images.size(); ++a)
    for (size_t b = a + 1; b < images.size(); ++b)
      EXPECT_GT(meanDifference(*images[a], *images[b]), 40.0)
          << defaultdata::pictureFiles[a] << " and " << defaultdata::pictureFiles[b];
}

// The object turns over the lower right (the production's frames hold it
// to that area); no title or caption may run under it.
TEST(DefaultData, TextsKeepOutOfTheObjectsArea) {
  for (const DefaultPicture& picture : defaultPictures) {
    const Canvas canvas = picture.draw();
    EXPECT_FALSE(canvas.textAreas().empty()) << picture.fileName;
    for (const PixelBox& text : canvas.textAreas())
      EXPECT_FALSE(text.overlaps(objectArea)) << picture.fileName << ": text at " << text.left << ","
                                              << text.top << " to " << text.right << "," << text.bottom;
  }
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
