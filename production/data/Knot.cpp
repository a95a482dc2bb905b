#include "Knot.h"

#include <cmath>

namespace {

constexpr float pi = 3.14159265f;

using Vec = LwoPoint;

Vec add(Vec a, Vec b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
Vec sub(Vec a, Vec b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec mul(Vec a, float s) {
  return {a[0] * s, a[1] * s, a[2] * s};
}
Vec cross(Vec a, Vec b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec normalised(Vec a) {
  return mul(a, 1.0f / std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]));
}

// Centre line of the (2, 3) torus knot.
Vec knotCentre(float phi) {
  const float r = 0.09f + 0.035f * std::cos(3.0f * phi);
  return {r * std::cos(2.0f * phi), r * std::sin(2.0f * phi), 0.045f * std::sin(3.0f * phi)};
}

// Two triangles for the quad a, b, c, d (in order around it).
void addQuad(LwoModel& model, uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint16_t surface) {
  model.triangles.push_back({{a, b, c}, surface});
  model.triangles.push_back({{a, c, d}, surface});
}

// A tube around the knot's centre line, closed on itself: the rings share
// their points at the seam, so the normals there are smooth too.
void addKnot(LwoModel& model, uint16_t surface) {
  constexpr uint32_t along = 240;
  constexpr uint32_t around = 12;
  constexpr float tube = 0.022f;
  const auto first = static_cast<uint32_t>(model.points.size());
  for (uint32_t i = 0; i < along; ++i) {
    const float phi = 2.0f * pi * static_cast<float>(i) / static_cast<float>(along);
    const Vec centre = knotCentre(phi);
    const Vec tangent = normalised(sub(knotCentre(phi + 0.001f), knotCentre(phi - 0.001f)));
    const Vec side = normalised(cross(tangent, {0.0f, 0.0f, 1.0f}));
    const Vec up = cross(side, tangent);
    for (uint32_t j = 0; j < around; ++j) {
      const float theta = 2.0f * pi * static_cast<float>(j) / static_cast<float>(around);
      model.points.push_back(
          add(centre, add(mul(side, tube * std::cos(theta)), mul(up, tube * std::sin(theta)))));
    }
  }
  auto point = [first](uint32_t i, uint32_t j) { return first + (i % along) * around + j % around; };
  for (uint32_t i = 0; i < along; ++i)
    for (uint32_t j = 0; j < around; ++j)
      addQuad(model, point(i, j), point(i, j + 1), point(i + 1, j + 1), point(i + 1, j), surface);
}

// A sphere whose radius ripples, with one point at each pole.
void addBubble(LwoModel& model, uint16_t surface) {
  constexpr uint32_t rings = 14;
  constexpr uint32_t segments = 24;
  const auto north = static_cast<uint32_t>(model.points.size());
  auto radius = [](float theta, float phi) {
    return 0.046f * (1.0f + 0.12f * std::sin(3.0f * phi) * std::sin(2.0f * theta));
  };
  model.points.push_back({0.0f, radius(0.0f, 0.0f), 0.0f});
  for (uint32_t i = 1; i < rings; ++i) {
    const float theta = pi * static_cast<float>(i) / static_cast<float>(rings);
    for (uint32_t j = 0; j < segments; ++j) {
      const float phi = 2.0f * pi * static_cast<float>(j) / static_cast<float>(segments);
      const float r = radius(theta, phi);
      model.points.push_back(
          {r * std::sin(theta) * std::cos(phi), r * std::cos(theta), r * std::sin(theta) * std::sin(phi)});
    }
  }
  const auto south = static_cast<uint32_t>(model.points.size());
  model.points.push_back({0.0f, -radius(pi, 0.0f), 0.0f});
  auto point = [north](uint32_t ring, uint32_t j) {
    return north + 1 + (ring - 1) * segments + j % segments;
  };
  for (uint32_t j = 0; j < segments; ++j) {
    model.triangles.push_back({{north, point(1, j + 1), point(1, j)}, surface});
    model.triangles.push_back({{south, point(rings - 1, j), point(rings - 1, j + 1)}, surface});
  }
  for (uint32_t i = 1; i + 1 < rings; ++i)
    for (uint32_t j = 0; j < segments; ++j)
      addQuad(model, point(i, j), point(i, j + 1), point(i + 1, j + 1), point(i + 1, j), surface);
}

} // namespace

LwoModel knotModel() {
  LwoModel model;
  LwoModel::Surface chrome;
  chrome.name = "Chrome";
  chrome.color[0] = 0.95f;
  chrome.color[1] = 0.92f;
  chrome.color[2] = 1.0f;
  chrome.specular = 0.6f;
  LwoModel::Surface glass;
  glass.name = "Glass";
  glass.color[0] = 0.55f;
  glass.color[1] = 0.8f;
  glass.color[2] = 1.0f;
  glass.specular = 0.9f;
  glass.transparency = 0.5f;
  model.surfaces = {chrome, glass};
  addKnot(model, 0);
  addBubble(model, 1);
  return model;
}
