#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "OffscreenGl.h"
#include "SphereMap.h"

namespace {

struct Case {
  const char* name;
  float translate[3];
  float scale[3];
  float angle, axis[3];
  float vertex[3];
  float normal[3]; // not of unit length in some cases: GL_NORMALIZE stays off
};

const Case cases[] = {
    {"identity", {0, 0, 0}, {1, 1, 1}, 0, {0, 1, 0}, {0.2f, -0.3f, -2.0f}, {0, 0, 1}},
    {"as the production draws",
     {0.45f, -0.36f, -1.4f},
     {2, 2, 2},
     37,
     {0, 1, 0},
     {0.1f, 0.2f, -0.05f},
     {0.6f, 0.0f, 0.8f}},
    {"tilted, long normal", {0, 0, -3}, {1, 1, 1}, 30, {1, 0, 0}, {-0.5f, 0.4f, 0.3f}, {0, 1.5f, 1.5f}},
    {"uneven scale",
     {0.3f, 0.1f, -2},
     {1, 2, 0.5f},
     70,
     {0.3f, 1, 0.2f},
     {0.2f, -0.1f, 0.4f},
     {-0.3f, 0.5f, 0.8f}},
};

// The texture coordinates Mesa generates for one point, to 1/256: the point
// is drawn with a texture whose texel (i, j) is red i, green j, alpha 255.
void glSphereMap(const OffscreenGl& gl, const Case& c, float& s, float& t) {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBegin(GL_POINTS);
  glNormal3fv(c.normal);
  glVertex3fv(c.vertex);
  glEnd();
  gl.finish();
  int found = 0;
  for (int y = 0; y < gl.height(); ++y) {
    for (int x = 0; x < gl.width(); ++x) {
      if (gl.alpha(x, y) == 0) continue;
      s = (gl.red(x, y) + 0.5f) / 256.0f;
      t = (gl.green(x, y) + 0.5f) / 256.0f;
      ++found;
    }
  }
  ASSERT_EQ(found, 1) << "the test's point did not land on one pixel";
}

void bindCoordinateTexture() {
  std::vector<uint8_t> texels(256 * 256 * 4);
  for (int j = 0; j < 256; ++j) {
    for (int i = 0; i < 256; ++i) {
      uint8_t* texel = &texels[static_cast<size_t>(j * 256 + i) * 4];
      texel[0] = static_cast<uint8_t>(i), texel[1] = static_cast<uint8_t>(j), texel[2] = 0, texel[3] = 255;
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnable(GL_TEXTURE_2D);
}

TEST(SphereMapGlTest, CoordinatesMatchGlSphereMap) {
  OffscreenGl gl;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10, 10, -10, 10, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glDisable(GL_NORMALIZE);
  glDisable(GL_DEPTH_TEST);
  bindCoordinateTexture();
  for (const Case& c : cases) {
    glLoadIdentity();
    glTranslatef(c.translate[0], c.translate[1], c.translate[2]);
    glScalef(c.scale[0], c.scale[1], c.scale[2]);
    glRotatef(c.angle, c.axis[0], c.axis[1], c.axis[2]);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    float glS = 0.0f, glT = 0.0f, s = 0.0f, t = 0.0f;
    glSphereMap(gl, c, glS, glT);
    SphereMap(modelview).coords(c.vertex, c.normal, s, t);
    // Half a texel, and a little for Mesa's own rounding.
    EXPECT_NEAR(s, glS, 0.6 / 256) << c.name;
    EXPECT_NEAR(t, glT, 0.6 / 256) << c.name;
  }
}

} // namespace
