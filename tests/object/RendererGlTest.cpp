// The renderer in an off-screen GL context: where and how the object is drawn,
// and what GL state a draw leaves behind.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "LwoTestFiles.h"
#include "OffscreenGl.h"

namespace {

const int width = 160;
const int height = 120;

struct Box {
  int left = width, right = -1, top = height, bottom = -1; // inclusive pixel bounds
  int count = 0;
};

// Pixels of exactly this colour.
Box find(const OffscreenGl& gl, uint8_t r, uint8_t g, uint8_t b) {
  gl.finish();
  Box box;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (gl.red(x, y) != r || gl.green(x, y) != g || gl.blue(x, y) != b) continue;
      box.left = std::min(box.left, x), box.right = std::max(box.right, x);
      box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      ++box.count;
    }
  }
  return box;
}

// Where an eye-space point lands, in pixels from the top left (45 degrees, 4:3).
void project(float x, float y, float z, float& column, float& row) {
  float f = 1.0f / std::tan(22.5f * 3.14159265f / 180.0f);
  float aspect = static_cast<float>(width) / height;
  column = (f / aspect * x / -z + 1.0f) / 2.0f * width;
  row = height - (f * y / -z + 1.0f) / 2.0f * height;
}

void expectCovers(const Box& box, float x0, float y0, float x1, float y1, float z) {
  float left, top, right, bottom;
  project(x0, y1, z, left, top);
  project(x1, y0, z, right, bottom);
  EXPECT_NEAR(box.left, left, 1.5f);
  EXPECT_NEAR(box.right + 1, right, 1.5f);
  EXPECT_NEAR(box.top, top, 1.5f);
  EXPECT_NEAR(box.bottom + 1, bottom, 1.5f);
}

LwoModel::Surface surface(const char* name, float r, float g, float b, float transparency = 0.0f) {
  LwoModel::Surface s;
  s.name = name;
  s.color[0] = r, s.color[1] = g, s.color[2] = b;
  s.transparency = transparency;
  return s;
}

// Squares of side 1 centred at (cx, 0, 0), one per surface, and one lone point.
LwoModel squares(const std::vector<float>& centres, std::vector<LwoModel::Surface> surfaces) {
  LwoModel model;
  for (size_t i = 0; i < centres.size(); ++i) {
    float c = centres[i];
    uint32_t base = static_cast<uint32_t>(model.points.size());
    model.points.insert(
        model.points.end(),
        {{c - 0.5f, -0.5f, 0}, {c + 0.5f, -0.5f, 0}, {c + 0.5f, 0.5f, 0}, {c - 0.5f, 0.5f, 0}});
    uint16_t tag = static_cast<uint16_t>(i);
    model.triangles.push_back({{base, base + 1, base + 2}, tag});
    model.triangles.push_back({{base, base + 2, base + 3}, tag});
  }
  model.points.push_back({0.0f, 0.9f, 0.0f}); // used by no triangle
  model.surfaces = std::move(surfaces);
  return model;
}

std::unique_ptr<LwoObject> load(const LwoModel& model) {
  LoadResult loaded = loadLwo(writeLwo(model));
  EXPECT_EQ(loaded.error, nullptr);
  return std::move(loaded.object);
}

void clear() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

TEST(Renderer, DrawsAtItsPositionAndScale) {
  OffscreenGl gl(width, height);
  auto object = load(squares({0.0f}, {surface("Red", 1, 0, 0)}));
  object->drawAt(0.3f, -0.2f, -4.0f, 2.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  expectCovers(find(gl, 255, 0, 0), -0.7f, -0.7f, 1.3f, 0.3f, -4.0f);
  EXPECT_EQ(object->position[2], -4.0f);
  EXPECT_EQ(object->scale[0], 2.0f);
}

TEST(Renderer, TurnsAboutTheVerticalAxisAsTheProductionDoes) {
  OffscreenGl gl(width, height);
  // A strip in the object's y-z plane, reaching 0.1 along the stored z (which
  // the file gives as -0.1).
  LwoModel model;
  model.points = {{0, -0.1f, 0}, {0, 0.1f, 0}, {0, 0.1f, -0.1f}, {0, -0.1f, -0.1f}};
  model.triangles = {{{0, 1, 2}, 0}, {{0, 2, 3}, 0}};
  model.surfaces = {surface("Red", 1, 0, 0)};
  auto object = load(model);
  // Unturned it reaches from its origin toward the viewer, seen almost edge-on.
  object->drawAt(0.45f, -0.36f, -1.4f, 2.0f, 2.0f, 2.0f, 0.0f, 0.0f, 0.0f);
  Box unturned = find(gl, 255, 0, 0);
  float nearColumn, farColumn, row;
  project(0.45f, 0.0f, -1.4f, farColumn, row);
  project(0.45f, 0.0f, -1.2f, nearColumn, row);
  EXPECT_NEAR(unturned.left, farColumn, 1.5f);
  EXPECT_NEAR(unturned.right + 1, nearColumn, 1.5f);
  clear();
  // A quarter turn about y takes the stored z to x: the strip reaches right of its origin.
  object->drawAt(0.45f, -0.36f, -1.4f, 2.0f, 2.0f, 2.0f, 0.0f, 90.0f, 0.0f);
  expectCovers(find(gl, 255, 0, 0), 0.45f, -0.56f, 0.65f, -0.16f, -1.4f);
}

TEST(Renderer, TurnsAboutZThenYThenX) {
  OffscreenGl gl(width, height);
  // A small octahedron half a unit out along x.
  LwoModel model;
  const float c = 0.5f, r = 0.08f;
  model.points = {{c + r, 0, 0}, {c - r, 0, 0}, {c, r, 0}, {c, -r, 0}, {c, 0, r}, {c, 0, -r}};
  for (uint32_t x : {0u, 1u})
    for (uint32_t y : {2u, 3u})
      for (uint32_t z : {4u, 5u})
        model.triangles.push_back({{x, y, z}, 0});
  model.surfaces = {surface("Red", 1, 0, 0)};
  auto object = load(model);
  // About y it goes to the back, then about x up: (0, 0.5, 0) from its origin.
  object->drawAt(0.0f, 0.0f, -3.0f, 1.0f, 1.0f, 1.0f, 90.0f, 90.0f, 0.0f);
  Box box = find(gl, 255, 0, 0);
  ASSERT_GT(box.count, 0);
  float column, row;
  project(0.0f, 0.5f, -3.0f, column, row);
  EXPECT_NEAR(static_cast<float>(box.left + box.right + 1) / 2.0f, column, 1.5f);
  EXPECT_NEAR(static_cast<float>(box.top + box.bottom + 1) / 2.0f, row, 1.5f);
}

TEST(Renderer, DrawAgainDrawsTheSame) {
  OffscreenGl gl(width, height);
  auto object = load(squares({0.0f}, {surface("Red", 1, 0, 0)}));
  object->drawAt(0.2f, 0.1f, -3.0f, 1.5f, 1.0f, 1.0f, 10.0f, 20.0f, 30.0f);
  Box first = find(gl, 255, 0, 0);
  clear();
  object->draw();
  Box second = find(gl, 255, 0, 0);
  EXPECT_GT(first.count, 100);
  EXPECT_EQ(first.count, second.count);
  EXPECT_EQ(first.left, second.left);
  EXPECT_EQ(first.top, second.top);
}

TEST(Renderer, BlendsTranslucentSurfacesOverWhatIsBehind) {
  OffscreenGl gl(width, height);
  glColor3f(1.0f, 1.0f, 1.0f); // a white wall behind the object
  glBegin(GL_QUADS);
  glVertex3f(-10, -10, -6), glVertex3f(10, -10, -6), glVertex3f(10, 10, -6), glVertex3f(-10, 10, -6);
  glEnd();
  auto object = load(squares({-0.6f, 0.6f}, {surface("Red", 1, 0, 0), surface("Glass", 0, 0, 1, 0.5f)}));
  ASSERT_EQ(object->mesh.surfaces[1].opacity, 128);
  object->drawAt(0.0f, 0.0f, -3.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_GT(find(gl, 255, 0, 0).count, 100); // the opaque square covers the wall
  float column, row;
  project(0.6f, 0.0f, -3.0f, column, row);
  int x = static_cast<int>(column), y = static_cast<int>(row);
  gl.finish();
  EXPECT_NEAR(gl.red(x, y), 127, 2); // half the wall shows through the glass
  EXPECT_NEAR(gl.green(x, y), 127, 2);
  EXPECT_EQ(gl.blue(x, y), 255);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

struct GlState {
  GLboolean colorMaterial, blend, lighting, texture;
  GLint polygonMode[2], modelviewDepth, attribDepth;
  GLfloat color[4], normal[3], modelview[16];
};

GlState state() {
  GlState s;
  s.colorMaterial = glIsEnabled(GL_COLOR_MATERIAL);
  s.blend = glIsEnabled(GL_BLEND);
  s.lighting = glIsEnabled(GL_LIGHTING);
  s.texture = glIsEnabled(GL_TEXTURE_2D);
  glGetIntegerv(GL_POLYGON_MODE, s.polygonMode);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attribDepth);
  glGetFloatv(GL_CURRENT_COLOR, s.color);
  glGetFloatv(GL_CURRENT_NORMAL, s.normal);
  glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
  return s;
}

void expectSame(const GlState& a, const GlState& b) {
  EXPECT_EQ(a.colorMaterial, b.colorMaterial);
  EXPECT_EQ(a.blend, b.blend);
  EXPECT_EQ(a.lighting, b.lighting);
  EXPECT_EQ(a.texture, b.texture);
  EXPECT_EQ(a.polygonMode[0], b.polygonMode[0]);
  EXPECT_EQ(a.polygonMode[1], b.polygonMode[1]);
  EXPECT_EQ(a.modelviewDepth, b.modelviewDepth);
  EXPECT_EQ(a.attribDepth, b.attribDepth);
  EXPECT_EQ(std::memcmp(a.color, b.color, sizeof a.color), 0);
  EXPECT_EQ(std::memcmp(a.normal, b.normal, sizeof a.normal), 0);
  EXPECT_EQ(std::memcmp(a.modelview, b.modelview, sizeof a.modelview), 0);
}

TEST(Renderer, LeavesTheCallersStateAsItWas) {
  OffscreenGl gl(width, height);
  auto object = load(squares({-0.6f, 0.6f}, {surface("Red", 1, 0, 0), surface("Glass", 0, 0, 1, 0.5f)}));
  glTranslatef(0.0f, 0.0f, -3.0f);
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  glNormal3f(0.0f, 1.0f, 0.0f);
  for (bool callerState : {false, true}) {
    if (callerState) {
      glEnable(GL_LIGHTING);
      glEnable(GL_BLEND);
      glEnable(GL_TEXTURE_2D);
      glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    }
    GlState before = state();
    object->drawFlags = 15;
    object->drawAt(0.1f, 0.2f, 0.3f, 2.0f, 2.0f, 2.0f, 5.0f, 6.0f, 7.0f);
    object->fade = 0.5f;
    object->draw();
    object->fade = -1.0f;
    expectSame(before, state());
  }
  GLint blend[2];
  glGetIntegerv(GL_BLEND_SRC, &blend[0]);
  glGetIntegerv(GL_BLEND_DST, &blend[1]);
  EXPECT_EQ(blend[0], GL_SRC_ALPHA); // not part of the saved groups
  EXPECT_EQ(blend[1], GL_ONE_MINUS_SRC_ALPHA);
}

TEST(Renderer, RunsThePassesThatDrawFlagsSelect) {
  OffscreenGl gl(width, height);
  auto object = load(squares({-0.6f, 0.6f}, {surface("Red", 1, 0, 0), surface("Green", 0, 1, 0)}));
  auto drawWith = [&](uint16_t flags) {
    clear();
    object->drawFlags = flags;
    object->drawAt(0.0f, 0.0f, -3.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  };
  drawWith(0);
  EXPECT_EQ(find(gl, 0, 0, 0).count, width * height);

  drawWith(8);
  Box red = find(gl, 255, 0, 0), green = find(gl, 0, 255, 0);
  EXPECT_GT(red.count, 100);
  EXPECT_GT(green.count, 100);

  drawWith(4); // flat: the same colours
  EXPECT_EQ(find(gl, 255, 0, 0).count, red.count);

  // The wireframe goes over the shading in the last colour set (green).
  drawWith(10);
  EXPECT_LT(find(gl, 255, 0, 0).count, red.count);
  EXPECT_GT(find(gl, 0, 255, 0).count, green.count);

  // The points pass draws the lone point too.
  float column, row;
  project(0.0f, 0.9f, -3.0f, column, row);
  auto litNear = [&]() {
    gl.finish();
    int lit = 0;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        lit += gl.green(static_cast<int>(column) + dx, static_cast<int>(row) + dy) > 0;
    return lit;
  };
  drawWith(8);
  EXPECT_EQ(litNear(), 0);
  drawWith(9);
  EXPECT_GT(litNear(), 0);
}

TEST(Renderer, DrawsEmptyGroupsAndObjectsWithoutGroups) {
  OffscreenGl gl(width, height);
  LwoModel model = squares({0.0f}, {surface("Red", 1, 0, 0), surface("Empty", 0, 1, 0, 0.5f)});
  auto object = load(model);
  ASSERT_EQ(object->mesh.surfaceGroups.size(), 2u);
  EXPECT_EQ(object->mesh.surfaceGroups[1].triangleCount, 0u);
  object->drawFlags = 15;
  GlState before = state();
  object->drawAt(0.0f, 0.0f, -3.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  expectSame(before, state());

  LwoObject unloaded; // nothing to draw at all
  unloaded.drawFlags = 15;
  unloaded.draw();
  expectSame(before, state());
}

} // namespace
