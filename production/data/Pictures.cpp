#include "Pictures.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr float pi = 3.14159265f;
constexpr float size = static_cast<float>(pictureSize);
constexpr float centre = size / 2.0f;

// A stable pseudo-random value in [0, 1) per integer position.
float hash(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFFFFu) / 16777216.0f;
}

float smoothstep(float edge0, float edge1, float x) {
  const float t = std::fmin(std::fmax((x - edge0) / (edge1 - edge0), 0.0f), 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Night sky over a neon grid, a striped sun and the title; the caption on a
// dark panel at the lower left.
Canvas drawLogo() {
  constexpr float horizon = 318.0f;
  Canvas canvas(pictureSize, pictureSize);
  canvas.shade([](float x, float y, Colour) {
    if (y < horizon) {
      const float t = y / horizon;
      Colour sky = t < 0.6f ? mix(rgb(8, 6, 36), rgb(62, 18, 92), t / 0.6f)
                            : mix(rgb(62, 18, 92), rgb(214, 64, 128), (t - 0.6f) / 0.4f);
      const int cx = static_cast<int>(x) / 4;
      const int cy = static_cast<int>(y) / 4;
      if (hash(cx, cy) > 0.985f && y < horizon - 60.0f) sky = mix(sky, rgb(255, 255, 255), hash(cy, cx));
      return sky;
    }
    // Ground: lines of a grid running to the horizon.
    const float depth = (y - horizon) / (size - horizon);
    const float z = 1.0f / std::fmax(depth, 0.02f);
    const float u = (x - centre) * z / 48.0f;
    const float across = std::fabs(u - std::round(u)) / (z * 0.02f);
    const float along = std::fabs(z * 1.5f - std::round(z * 1.5f)) / (z * 0.03f);
    const float glow = std::fmax(1.0f - std::fmin(across, along), 0.0f);
    const Colour ground = mix(rgb(18, 2, 34), rgb(40, 6, 60), depth);
    return mix(ground, mix(rgb(255, 60, 200), rgb(60, 230, 255), depth), glow);
  });
  // The sun, cut into bars towards the horizon.
  canvas.shade([](float x, float y, Colour old) {
    const float r = std::hypot(x - centre, y - horizon);
    if (y >= horizon || r > 132.0f) return old;
    const float t = (y - (horizon - 132.0f)) / 132.0f;
    const float bars = std::sin((horizon - y) * 0.32f * (1.2f - t));
    if (t > 0.45f && bars < (t - 0.45f) * 1.6f - 0.6f) return old;
    const float edge = std::fmin(1.0f, 132.0f - r);
    return mix(old, mix(rgb(255, 236, 110), rgb(255, 70, 120), t), edge);
  });
  canvas.title(96, 18, "zeph", rgb(200, 255, 255), rgb(40, 120, 255), rgb(20, 0, 40));
  canvas.title(240, 3, "a production", rgb(255, 255, 255), rgb(255, 200, 240), rgb(40, 0, 40));
  canvas.rect(16, 404, 284, 488, rgb(10, 0, 24), 0.75f);
  canvas.rect(16, 402, 284, 404, rgb(60, 230, 255), 0.8f);
  const Colour cyan = rgb(140, 240, 255);
  canvas.label(26, 416, 3, "eighty seconds", cyan, cyan, rgb(0, 0, 0));
  canvas.label(26, 452, 3, "of music", cyan, cyan, rgb(0, 0, 0));
  return canvas;
}

// A poster: sunburst, a banner under the big letters, and a ballot box with
// a ticked paper at the lower left.
Canvas drawVote() {
  Canvas canvas(pictureSize, pictureSize);
  canvas.shade([](float x, float y, Colour) {
    const float angle = std::atan2(y - 300.0f, x - centre);
    const bool ray = std::sin(angle * 12.0f) > 0.0f;
    const float vignette = 1.0f - 0.55f * smoothstep(120.0f, 420.0f, std::hypot(x - centre, y - 300.0f));
    return scaled(ray ? rgb(214, 40, 52) : rgb(246, 226, 190), vignette);
  });
  // Shapes of the box and paper, moved from the middle to the lower left.
  auto moved = [](std::vector<float> xy) {
    for (size_t i = 0; i < xy.size(); i += 2) {
      xy[i] -= 110.0f;
      xy[i + 1] += 10.0f;
    }
    return xy;
  };
  // The paper, ticked, going into the slot.
  canvas.polygon(moved({204.0f, 178.0f, 330.0f, 194.0f, 314.0f, 330.0f, 188.0f, 314.0f}), rgb(252, 252, 244));
  canvas.line(116.0f, 260.0f, 140.0f, 290.0f, 9.0f, rgb(20, 150, 60));
  canvas.line(140.0f, 290.0f, 190.0f, 220.0f, 9.0f, rgb(20, 150, 60));
  canvas.line(104.0f, 210.0f, 190.0f, 222.0f, 2.0f, rgb(150, 150, 170));
  // The box: front, top and slot.
  canvas.polygon(moved({140.0f, 300.0f, 372.0f, 300.0f, 372.0f, 470.0f, 140.0f, 470.0f}), rgb(28, 46, 112));
  canvas.polygon(moved({140.0f, 300.0f, 372.0f, 300.0f, 400.0f, 276.0f, 168.0f, 276.0f}), rgb(64, 96, 186));
  canvas.polygon(moved({372.0f, 300.0f, 400.0f, 276.0f, 400.0f, 446.0f, 372.0f, 470.0f}), rgb(18, 30, 78));
  canvas.polygon(moved({200.0f, 292.0f, 318.0f, 292.0f, 330.0f, 283.0f, 212.0f, 283.0f}), rgb(8, 10, 30));
  canvas.text(86, 382, 5, "VOTE", rgb(255, 255, 255));
  canvas.title(24, 16, "VOTE", rgb(255, 230, 90), rgb(255, 150, 20), rgb(60, 0, 0));
  canvas.rect(0, 146, pictureSize, 180, rgb(28, 46, 112), 0.9f);
  canvas.title(154, 3, "every voice counts", rgb(255, 255, 255), rgb(255, 255, 255), rgb(0, 0, 0));
  return canvas;
}

// Patterns: a warped chequerboard, rings of moire and a heart; the caption
// at the lower left.
Canvas drawDuOgsaa() {
  Canvas canvas(pictureSize, pictureSize);
  canvas.shade([](float x, float y, Colour) {
    const float wx = x + 10.0f * std::sin(y / 37.0f);
    const float wy = y + 10.0f * std::sin(x / 41.0f);
    const bool dark =
        (static_cast<int>(std::floor(wx / 32.0f)) + static_cast<int>(std::floor(wy / 32.0f))) & 1;
    Colour base = dark ? rgb(10, 70, 86) : rgb(24, 126, 140);
    const float rings = std::sin(std::hypot(x - 120.0f, y - 140.0f) / 4.0f) +
                        std::sin(std::hypot(x - 400.0f, y - 380.0f) / 4.5f);
    return mix(base, rgb(255, 150, 40), 0.35f * smoothstep(0.8f, 1.8f, rings));
  });
  // Heart: two lobes and a point, with a highlight.
  const Colour red = rgb(232, 30, 92);
  canvas.disc(217.0f, 170.0f, 50.0f, red);
  canvas.disc(295.0f, 170.0f, 50.0f, red);
  canvas.polygon({170.0f, 189.0f, 342.0f, 189.0f, 256.0f, 292.0f}, red);
  canvas.polygon({174.0f, 176.0f, 338.0f, 176.0f, 338.0f, 197.0f, 174.0f, 197.0f}, red);
  canvas.disc(205.0f, 153.0f, 14.0f, rgb(255, 200, 220), 0.8f);
  canvas.ring(256.0f, 218.0f, 124.0f, 4.0f, rgb(255, 240, 200), 0.9f);
  canvas.ring(256.0f, 218.0f, 136.0f, 2.0f, rgb(255, 240, 200), 0.6f);
  canvas.title(20, 8, "du ogsaa", rgb(255, 255, 255), rgb(255, 220, 160), rgb(0, 30, 40));
  canvas.label(40, 410, 5, "you too", rgb(255, 230, 120), rgb(255, 160, 60), rgb(0, 30, 40));
  return canvas;
}

// The old-school plasma, five rings, and a band of shade with the closing words.
Canvas drawZeph0() {
  Canvas canvas(pictureSize, pictureSize);
  canvas.shade([](float x, float y, Colour) {
    const float v = std::sin(x / 16.0f) + std::sin(y / 23.0f) + std::sin((x + y) / 29.0f) +
                    std::sin(std::hypot(x - 300.0f, y - 200.0f) / 13.0f);
    const float a = v * pi * 0.5f;
    return Colour{0.5f + 0.5f * std::sin(a), 0.5f + 0.5f * std::sin(a + 2.1f),
                  0.5f + 0.5f * std::sin(a + 4.2f)};
  });
  for (int i = 0; i < 5; ++i)
    canvas.ring(100.0f + 78.0f * static_cast<float>(i), 58.0f, 26.0f, 3.0f, rgb(255, 255, 255), 0.7f);
  canvas.rect(0, 110, pictureSize, 250, rgb(0, 0, 0), 0.6f);
  canvas.rect(0, 106, pictureSize, 110, rgb(255, 255, 255), 0.8f);
  canvas.rect(0, 250, pictureSize, 254, rgb(255, 255, 255), 0.8f);
  canvas.title(128, 12, "zeph0", rgb(255, 255, 255), rgb(170, 220, 255), rgb(0, 0, 0));
  canvas.title(220, 3, "thanks for watching", rgb(255, 255, 200), rgb(255, 255, 200), rgb(0, 0, 0));
  return canvas;
}

} // namespace

const DefaultPicture defaultPictures[4] = {
    {"zeph-logo.png", 3, drawLogo},
    {"vote.png", 3, drawVote},
    {"du_ogsaa.png", 4, drawDuOgsaa},
    {"zeph0.png", 3, drawZeph0},
};

std::vector<uint8_t> renderPicture(const DefaultPicture& picture) {
  return picture.draw().bytes(picture.channels);
}
