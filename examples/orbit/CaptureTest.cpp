// orbit as its author checks it: a capture whose frames at 5 s and 20 s of
// music show what the script draws then, the sky behind the cube and then
// the cube alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PngImage.h"
#include "TempDir.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb pixel(const PngImage& image, uint32_t x, uint32_t y) {
  const uint32_t channels = static_cast<uint32_t>(image.bitsPerPixel) / 8;
  const unsigned char* at = image.pixels + (y * image.width + x) * channels;
  return {at[0], at[1], at[2]};
}

bool blue(Rgb c) {
  return c.b > 150 && c.r < 100;
}
bool orange(Rgb c) {
  return c.r > 150 && c.g > 80 && c.b < 80;
}
bool red(Rgb c) {
  return c.r > 100 && c.g < 60 && c.b < 60;
}
bool black(Rgb c) {
  return c.r < 10 && c.g < 10 && c.b < 10;
}

TEST(OrbitCapture, ShowsTheSkyForFifteenSecondsAndTheCubeThroughout) {
  TempDir out;
  const std::string command = std::string(ORBITTOOL) + " capture " + ORBIT_FOLDER + " " + out.path() +
                              " --fps 1 --from 5 --to 20.5 --frames";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_TRUE(std::filesystem::exists(out.file("orbit.mp4")));

  const struct {
    const char* frame;
    bool sky;
  } cases[] = {{"frame-000000.png", true}, {"frame-000015.png", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frame);
    const PngImage frame(out.file(c.frame).c_str());
    ASSERT_EQ(frame.width, 640u);
    const Rgb top = pixel(frame, 20, 20), bottom = pixel(frame, 20, 460), middle = pixel(frame, 320, 240);
    EXPECT_TRUE(c.sky ? blue(top) : black(top)) << top.r << " " << top.g << " " << top.b;
    EXPECT_TRUE(c.sky ? orange(bottom) : black(bottom)) << bottom.r << " " << bottom.g << " " << bottom.b;
    EXPECT_TRUE(red(middle)) << middle.r << " " << middle.g << " " << middle.b;
  }
}

} // namespace
