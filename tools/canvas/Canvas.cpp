#include "Canvas.h"

#include <algorithm>
#include <cmath>

#include "BitmapFont.h"

Colour mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(Colour c, float factor) {
  return {c.r * factor, c.g * factor, c.b * factor};
}

Canvas::Canvas(int width, int height, Colour fill)
    : w(width), h(height), pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

void Canvas::blend(int x, int y, Colour colour, float alpha) {
  if (x < 0 || y < 0 || x >= w || y >= h || alpha <= 0.0f) return;
  Colour& pixel = at(x, y);
  pixel = mix(pixel, colour, std::min(alpha, 1.0f));
}

void Canvas::rect(int x0, int y0, int x1, int y1, Colour colour, float alpha) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      blend(x, y, colour, alpha);
}

template <class Distance>
void Canvas::paint(float x0, float y0, float x1, float y1, Distance&& distance, Colour colour, float alpha) {
  const int left = std::max(0, static_cast<int>(std::floor(x0)) - 1);
  const int top = std::max(0, static_cast<int>(std::floor(y0)) - 1);
  const int right = std::min(w, static_cast<int>(std::ceil(x1)) + 1);
  const int bottom = std::min(h, static_cast<int>(std::ceil(y1)) + 1);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const float d = distance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
      const float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
      blend(x, y, colour, coverage * alpha);
    }
  }
}

void Canvas::disc(float cx, float cy, float radius, Colour colour, float alpha) {
  paint(
      cx - radius, cy - radius, cx + radius, cy + radius,
      [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; }, colour, alpha);
}

void Canvas::ring(float cx, float cy, float radius, float halfWidth, Colour colour, float alpha) {
  const float outer = radius + halfWidth;
  paint(
      cx - outer, cy - outer, cx + outer, cy + outer,
      [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - radius) - halfWidth; }, colour,
      alpha);
}

void Canvas::line(float x0, float y0, float x1, float y1, float halfWidth, Colour colour, float alpha) {
  const float dx = x1 - x0;
  const float dy = y1 - y0;
  const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
  auto distance = [=](float x, float y) {
    const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / lengthSquared, 0.0f, 1.0f);
    return std::hypot(x - x0 - t * dx, y - y0 - t * dy) - halfWidth;
  };
  paint(std::min(x0, x1) - halfWidth, std::min(y0, y1) - halfWidth, std::max(x0, x1) + halfWidth,
        std::max(y0, y1) + halfWidth, distance, colour, alpha);
}

void Canvas::polygon(const std::vector<float>& xy, Colour colour, float alpha) {
  const size_t n = xy.size() / 2;
  float area = 0.0f;
  for (size_t i = 0; i < n; ++i) {
    const size_t j = (i + 1) % n;
    area += xy[2 * i] * xy[2 * j + 1] - xy[2 * j] * xy[2 * i + 1];
  }
  const float winding = area < 0.0f ? -1.0f : 1.0f;
  // The largest signed distance to the edges' lines is negative inside.
  auto distance = [&](float x, float y) {
    float d = -1e9f;
    for (size_t i = 0; i < n; ++i) {
      const size_t j = (i + 1) % n;
      const float ex = xy[2 * j] - xy[2 * i];
      const float ey = xy[2 * j + 1] - xy[2 * i + 1];
      const float cross = ex * (y - xy[2 * i + 1]) - ey * (x - xy[2 * i]);
      d = std::max(d, -winding * cross / std::hypot(ex, ey));
    }
    return d;
  };
  float x0 = xy[0], x1 = xy[0], y0 = xy[1], y1 = xy[1];
  for (size_t i = 1; i < n; ++i) {
    x0 = std::min(x0, xy[2 * i]);
    x1 = std::max(x1, xy[2 * i]);
    y0 = std::min(y0, xy[2 * i + 1]);
    y1 = std::max(y1, xy[2 * i + 1]);
  }
  paint(x0, y0, x1, y1, distance, colour, alpha);
}

void Canvas::text(int x, int y, int scale, const std::string& line, Colour top, Colour bottom, float alpha) {
  const int height = bitmapfont::glyphHeight * scale;
  texts.push_back({x, y, x + bitmapfont::textWidth(line) * scale, y + height});
  for (size_t i = 0; i < line.size(); ++i) {
    const int left = x + static_cast<int>(i) * bitmapfont::advance * scale;
    for (int row = 0; row < bitmapfont::glyphHeight; ++row) {
      for (int column = 0; column < bitmapfont::glyphWidth; ++column) {
        if (!bitmapfont::pixel(line[i], column, row)) continue;
        for (int py = 0; py < scale; ++py) {
          const int sy = row * scale + py;
          const Colour colour = mix(top, bottom, static_cast<float>(sy) / static_cast<float>(height - 1));
          for (int px = 0; px < scale; ++px)
            blend(left + column * scale + px, y + sy, colour, alpha);
        }
      }
    }
  }
}

void Canvas::label(int x, int y, int scale, const std::string& line, Colour top, Colour bottom,
                   Colour shadow) {
  const int offset = std::max(1, scale / 3);
  text(x + offset, y + offset, scale, line, shadow, shadow, 0.8f);
  text(x, y, scale, line, top, bottom);
}

void Canvas::title(int y, int scale, const std::string& line, Colour top, Colour bottom, Colour shadow) {
  label((w - bitmapfont::textWidth(line) * scale) / 2, y, scale, line, top, bottom, shadow);
}

std::vector<uint8_t> Canvas::bytes(int channels) const {
  std::vector<uint8_t> out;
  out.reserve(pixels.size() * static_cast<size_t>(channels));
  auto byte = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  for (const Colour& c : pixels) {
    out.push_back(byte(c.r));
    out.push_back(byte(c.g));
    out.push_back(byte(c.b));
    if (channels == 4) out.push_back(255);
  }
  return out;
}
