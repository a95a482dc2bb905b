// production_picture_points FOLDER
// Two points of the production's 640 x 480 frame at which a reader can tell
// which of the pictures in FOLDER/data is on screen, or none: where the
// object never reaches, each picture shows a flat patch there (the same
// colour for 3 pixels around, so that another renderer's rounding does not
// matter), and the four patches and black all differ by at least 64 in some
// channel. Prints the points, then each picture's colours at them:
//   X,Y X,Y
//   R,G,B R,G,B      (one line per picture, in the production's order)
// Exit status 0, or 1 when the pictures have no two such points.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "OffscreenProduction.h"

namespace {

const int width = 640;
const int height = 480;
// The object stays right of this column and below this row.
const int objectLeft = 370;
const int objectTop = 250;
const int patch = 3;
const int flatness = 12;
const int minimumContrast = 64;
// Two points this far apart see different parts of a picture.
const int spread = 200;

using Frame = std::vector<uint8_t>;
using Rgb = std::array<int, 3>;

Rgb colourAt(const Frame& frame, int x, int y) {
  const uint8_t* p = &frame[(static_cast<size_t>(y) * width + static_cast<size_t>(x)) * 3];
  return {p[0], p[1], p[2]};
}

int contrast(const Rgb& a, const Rgb& b) {
  int most = 0;
  for (int c = 0; c < 3; ++c)
    most = std::max(most, std::abs(a[c] - b[c]));
  return most;
}

bool flatAround(const Frame& frame, int x, int y) {
  const Rgb centre = colourAt(frame, x, y);
  for (int dy = -patch; dy <= patch; ++dy)
    for (int dx = -patch; dx <= patch; ++dx)
      if (contrast(colourAt(frame, x + dx, y + dy), centre) > flatness) return false;
  return true;
}

// How clearly the point tells the pictures and black apart; 0 when it cannot.
int score(const std::vector<Frame>& frames, int x, int y) {
  std::vector<Rgb> colours{{0, 0, 0}};
  for (const Frame& frame : frames) {
    if (!flatAround(frame, x, y)) return 0;
    colours.push_back(colourAt(frame, x, y));
  }
  int least = 255;
  for (size_t a = 0; a < colours.size(); ++a)
    for (size_t b = a + 1; b < colours.size(); ++b)
      least = std::min(least, contrast(colours[a], colours[b]));
  return least >= minimumContrast ? least : 0;
}

struct Point {
  int x = 0, y = 0, score = 0;
};

// The best point at least `spread` away from `other` (when given).
Point best(const std::vector<Frame>& frames, const Point* other) {
  Point found;
  for (int y = patch; y < height - patch; y += 2) {
    for (int x = patch; x < width - patch; x += 2) {
      if (x + patch >= objectLeft && y + patch >= objectTop) continue;
      if (other && std::abs(x - other->x) + std::abs(y - other->y) < spread) continue;
      const int s = score(frames, x, y);
      if (s > found.score) found = {x, y, s};
    }
  }
  return found;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: production_picture_points FOLDER\n");
    return 2;
  }
  std::vector<Frame> frames;
  try {
    OffscreenProduction production(argv[1]);
    for (int picture = 0; picture < 4; ++picture) {
      production.drawExpected(picture, 0.0f, OffscreenProduction::Object::None);
      frames.push_back(production.rgb());
    }
  } catch (const char* message) {
    std::fprintf(stderr, "production_picture_points: %s\n", message);
    return 2;
  }
  const Point first = best(frames, nullptr);
  const Point second = first.score ? best(frames, &first) : Point{};
  if (!second.score) {
    std::fprintf(stderr, "production_picture_points: the pictures have no two points that tell them apart\n");
    return 1;
  }
  std::printf("%d,%d %d,%d\n", first.x, first.y, second.x, second.y);
  for (const Frame& frame : frames) {
    const Rgb a = colourAt(frame, first.x, first.y);
    const Rgb b = colourAt(frame, second.x, second.y);
    std::printf("%d,%d,%d %d,%d,%d\n", a[0], a[1], a[2], b[0], b[1], b[2]);
  }
  return 0;
}
