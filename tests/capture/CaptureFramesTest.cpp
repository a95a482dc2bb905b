// The frames of a capture: the production's own at exact music times.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "CaptureRun.h"
#include "DefaultData.h"
#include "DefaultSet.h"
#include "OffscreenProduction.h"
#include "PngImage.h"
#include "TempDir.h"

namespace {

using Object = OffscreenProduction::Object;

std::vector<uint8_t> readFrame(const std::string& path) {
  PngImage image(path.c_str());
  EXPECT_EQ(image.width, 640u);
  EXPECT_EQ(image.height, 480u);
  EXPECT_EQ(image.bitsPerPixel, 24);
  return std::vector<uint8_t>(image.pixels, image.pixels + size_t{640} * 480 * 3);
}

std::string frameName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06d.png", index);
  return name;
}

// Mean difference per channel between the frame's top rows (where the
// object never reaches) and the picture file as the full-screen quad maps
// it: s across the screen, t down it, or up it when `flipped`.
double differenceFromPicture(const std::vector<uint8_t>& frame, const PngImage& picture, bool flipped) {
  const int channels = picture.bitsPerPixel / 8;
  // Half extents of the view at the quad's distance, and of the quad.
  const double viewX = 0.7732, viewY = 0.5799, quadX = 0.78, quadY = 0.58;
  double sum = 0.0;
  int count = 0;
  for (int y = 0; y < 200; y += 2) {
    for (int x = 8; x < 632; x += 2) {
      const double s = ((x + 0.5) / 640.0 * 2.0 * viewX - viewX + quadX) / (2.0 * quadX);
      double t = ((y + 0.5) / 480.0 * 2.0 * viewY - viewY + quadY) / (2.0 * quadY);
      if (flipped) t = 1.0 - t;
      const auto u = static_cast<size_t>(s * picture.width);
      const auto v = static_cast<size_t>(t * picture.height);
      const unsigned char* texel = picture.pixels + (v * picture.width + u) * static_cast<size_t>(channels);
      const uint8_t* pixel = &frame[(static_cast<size_t>(y) * 640 + static_cast<size_t>(x)) * 3];
      for (int c = 0; c < 3; ++c)
        sum += std::abs(int{pixel[c]} - int{texel[c]});
      count += 3;
    }
  }
  return sum / count;
}

} // namespace

TEST(CaptureFrames, ShowEachPictureTheRightWayUpWithTheObjectAtItsMusicTime) {
  OffscreenProduction expected(defaultSetFolder());
  const double times[] = {10.0, 30.0, 50.0, 70.0};
  for (int picture = 0; picture < 4; ++picture) {
    SCOPED_TRACE(defaultdata::pictureFiles[picture]);
    TempDir out;
    const CaptureRun run = runCapture(defaultSetFolder(), out.path(),
                                      "--fps 20 --frames --from " + std::to_string(times[picture]) +
                                          " --to " + std::to_string(times[picture] + 0.05));
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(listFolder(out.path()), "frame-000000.png music.wav zeph.mp4 ");
    const std::vector<uint8_t> frame = readFrame(out.file(frameName(0)));

    expected.drawExpected(picture, objectAngleOf(0), Object::Cut);
    EXPECT_TRUE(frame == expected.rgb()) << "not the frame the production draws in its window";
    const PngImage file((defaultDataFolder() + "/" + defaultdata::pictureFiles[picture]).c_str());
    const double upright = differenceFromPicture(frame, file, false);
    const double flipped = differenceFromPicture(frame, file, true);
    EXPECT_LT(upright, 6.0);
    EXPECT_LT(upright * 5.0, flipped) << "upside down";
  }
}

// At 10 frames per second frame k is drawn at k / 10 s: frame 200 at exactly
// 20.0 s, where no picture is shown, since the bounds are exclusive.
TEST(CaptureFrames, FollowTheFrameIndexExactlyAndTurnTheObjectOnceAFrame) {
  TempDir out;
  const CaptureRun run = runCapture(defaultSetFolder(), out.path(), "--fps 10 --to 20.15 --frames");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(std::filesystem::exists(out.file(frameName(201))));
  EXPECT_FALSE(std::filesystem::exists(out.file(frameName(202))));

  OffscreenProduction expected(defaultSetFolder());
  struct Case {
    int frame;
    int picture; // -1: none; the object then shows the texture bound last
  };
  // In this order: the last texture bound in the expected frames follows the capture's.
  const Case cases[] = {{0, -1}, {1, 0}, {199, 0}, {200, -1}, {201, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("frame " + std::to_string(c.frame));
    expected.drawExpected(c.picture, objectAngleOf(c.frame), c.picture < 0 ? Object::Whole : Object::Cut);
    EXPECT_TRUE(readFrame(out.file(frameName(c.frame))) == expected.rgb());
  }
}
