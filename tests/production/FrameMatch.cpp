// production_frame_match FOLDER SCREENSHOT PICTURE
// Tells whether a screenshot of the running production (its client area,
// possibly with a few pixels of window border above and left of it) shows
// picture PICTURE (0 to 3) with the object in front of it, cut by the
// picture's plane, at whatever angle the object has turned to. It renders
// the frames the production should draw off screen, finds the angle that
// fits best, and compares that fit with frames without the cut and without
// the object. FOLDER holds the production's data/ folder.
// Exit status 0 when the screenshot matches, 1 when not, 2 on bad input.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "OffscreenProduction.h"
#include "PngImage.h"

namespace {

const int width = 640;
const int height = 480;
// Rows above this never hold the object; the object stays inside this box.
const int objectTop = 200;
const int objectLeft = 300;

struct Screenshot {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<uint8_t> pixels;
  int left = 0; // the client area's place in it
  int top = 0;

  const uint8_t* at(int x, int y) const {
    return &pixels[(static_cast<size_t>(y + top) * static_cast<size_t>(width) +
                    static_cast<size_t>(x + left)) *
                   static_cast<size_t>(channels)];
  }
};

// Mean absolute difference per channel over the rows and columns from (x0, y0).
double difference(const Screenshot& shot, const std::vector<uint8_t>& frame, int x0, int y0, int y1) {
  double sum = 0.0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < width; ++x) {
      const uint8_t* s = shot.at(x, y);
      const uint8_t* f = &frame[(static_cast<size_t>(y) * width + static_cast<size_t>(x)) * 3];
      for (int c = 0; c < 3; ++c)
        sum += std::abs(int{s[c]} - int{f[c]});
    }
  }
  return sum / (3.0 * (width - x0) * (y1 - y0));
}

// Where the client area lies in the screenshot: the offset at which the
// object-free top of the picture fits best.
double placeClientArea(Screenshot& shot, OffscreenProduction& production, int picture) {
  production.drawExpected(picture, 0.0f, OffscreenProduction::Object::None);
  const std::vector<uint8_t> frame = production.rgb();
  double best = 1e9;
  int bestLeft = 0, bestTop = 0;
  for (int top = 0; top + height <= shot.height && top <= 8; ++top) {
    for (int left = 0; left + width <= shot.width && left <= 8; ++left) {
      shot.left = left;
      shot.top = top;
      const double d = difference(shot, frame, 0, 0, objectTop);
      if (d < best) best = d, bestLeft = left, bestTop = top;
    }
  }
  shot.left = bestLeft;
  shot.top = bestTop;
  return best;
}

struct Fit {
  double angle = 0.0;
  double difference = 1e9;
};

// The object's angle that fits the screenshot best: every 2 degrees, then
// around the best in tenths and in hundredths of a degree (the sphere-mapped
// object changes visibly from one hundredth to the next).
Fit bestAngle(const Screenshot& shot, OffscreenProduction& production, int picture,
              OffscreenProduction::Object object) {
  Fit best;
  auto tryAngle = [&](double angle) {
    production.drawExpected(picture, static_cast<float>(angle), object);
    const double d = difference(shot, production.rgb(), objectLeft, objectTop, height);
    if (d < best.difference) best = {angle, d};
  };
  for (int degrees = 0; degrees < 360; degrees += 2)
    tryAngle(degrees);
  for (double step : {0.1, 0.01}) {
    const double around = best.angle;
    for (int i = -20; i <= 20; ++i)
      tryAngle(around + i * step);
  }
  return best;
}

bool load(const char* path, Screenshot& shot) {
  try {
    PngImage image(path);
    if (image.bitDepth != 8 || (image.bitsPerPixel != 24 && image.bitsPerPixel != 32)) return false;
    shot.width = static_cast<int>(image.width);
    shot.height = static_cast<int>(image.height);
    shot.channels = image.bitsPerPixel / 8;
    shot.pixels.assign(image.pixels,
                       image.pixels + static_cast<size_t>(shot.width) * shot.height * shot.channels);
    return shot.width >= width && shot.height >= height;
  } catch (const char* message) {
    std::fprintf(stderr, "%s: %s\n", path, message);
    return false;
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: production_frame_match FOLDER SCREENSHOT PICTURE\n");
    return 2;
  }
  Screenshot shot;
  if (!load(argv[2], shot)) {
    std::fprintf(stderr, "%s: not an 8-bit RGB(A) PNG of at least %d x %d\n", argv[2], width, height);
    return 2;
  }
  const int picture = std::atoi(argv[3]);
  OffscreenProduction production(argv[1]);

  using Object = OffscreenProduction::Object;
  const double top = placeClientArea(shot, production, picture);
  const Fit cut = bestAngle(shot, production, picture, Object::Cut);
  const Fit whole = bestAngle(shot, production, picture, Object::Whole);
  production.drawExpected(picture, 0.0f, Object::None);
  const double none = difference(shot, production.rgb(), objectLeft, objectTop, height);
  std::printf("client at +%d+%d, the picture's top differs by %.2f; below, the object cut at %.2f degrees "
              "differs by %.2f, whole at %.2f degrees by %.2f, no object by %.2f\n",
              shot.left, shot.top, top, cut.angle, cut.difference, whole.angle, whole.difference, none);
  // The cut frame fits closely; the whole object (which differs from the cut
  // one by 1.7 or more at every angle, for the default set) and no object fit
  // clearly worse.
  const bool matches = top < 2.0 && cut.difference < 1.0 && whole.difference > cut.difference + 0.8 &&
                       none > cut.difference + 3.0;
  return matches ? 0 : 1;
}
