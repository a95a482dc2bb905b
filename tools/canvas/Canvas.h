#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Colours in the range 0 to 1 per channel.
struct Colour {
  float r, g, b;
};

Colour mix(Colour a, Colour b, float t);
Colour scaled(Colour c, float factor);
// From 0 to 255 bytes, as pictures are usually designed.
constexpr Colour rgb(int r, int g, int b) {
  return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f};
}

// A box of pixels, right and bottom exclusive.
struct PixelBox {
  int left, top, right, bottom;
  bool overlaps(const PixelBox& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

// A picture being drawn: a colour per pixel, row 0 at the top, and the few
// shapes a data maker draws pictures with, with soft edges.
class Canvas {
public:
  Canvas(int width, int height, Colour fill = {0.0f, 0.0f, 0.0f});

  int width() const { return w; }
  int height() const { return h; }
  Colour& at(int x, int y) {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
  }
  Colour at(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
  }

  // Every pixel becomes shader(x, y, old colour), sampled at the pixel's centre.
  template <class Shader> void shade(Shader&& shader) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        at(x, y) = shader(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, at(x, y));
  }

  // Blends `colour` over one pixel; pixels outside the canvas are ignored.
  void blend(int x, int y, Colour colour, float alpha);
  void rect(int x0, int y0, int x1, int y1, Colour colour, float alpha = 1.0f);
  void disc(float cx, float cy, float radius, Colour colour, float alpha = 1.0f);
  void ring(float cx, float cy, float radius, float halfWidth, Colour colour, float alpha = 1.0f);
  void line(float x0, float y0, float x1, float y1, float halfWidth, Colour colour, float alpha = 1.0f);
  // A convex polygon, corners in either winding order.
  void polygon(const std::vector<float>& xy, Colour colour, float alpha = 1.0f);
  // Text in the built-in font, each font pixel `scale` pixels wide, with a
  // vertical gradient from `top` to `bottom`; (x, y) is its top-left corner.
  void text(int x, int y, int scale, const std::string& text, Colour top, Colour bottom, float alpha = 1.0f);
  void text(int x, int y, int scale, const std::string& line, Colour colour) {
    text(x, y, scale, line, colour, colour);
  }
  // The same with a shadow a third of a font pixel down and right.
  void label(int x, int y, int scale, const std::string& line, Colour top, Colour bottom, Colour shadow);
  // A label centred horizontally on the canvas.
  void title(int y, int scale, const std::string& line, Colour top, Colour bottom, Colour shadow);
  // Where text has been drawn, one box per call, so that a layout can be checked.
  const std::vector<PixelBox>& textAreas() const { return texts; }

  // 8-bit samples, rows top first: RGB for 3 channels, RGB with opaque alpha for 4.
  std::vector<uint8_t> bytes(int channels) const;

private:
  // Paints where distance(x, y) < 0 inside the box, softening one pixel of edge.
  template <class Distance>
  void paint(float x0, float y0, float x1, float y1, Distance&& distance, Colour colour, float alpha);

  int w;
  int h;
  std::vector<Colour> pixels;
  std::vector<PixelBox> texts;
};
