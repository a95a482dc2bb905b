// setupProjection in an off-screen context.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include "DemoApp.h"
#include "OffscreenGl.h"

namespace {

TEST(DemoAppGl, ProjectionIs45DegreesOverTheFloatAspectRatio) {
  OffscreenGl gl(64, 48);
  DemoApp app("projection", 640, 480, 32, 16, false);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 4.0 / 3.0, 1.0, 1000.0);
  GLfloat expected[16];
  glGetFloatv(GL_PROJECTION_MATRIX, expected);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(1.0f, 2.0f, 3.0f);

  app.setupProjection();
  GLfloat projection[16], modelview[16];
  GLint viewport[4], mode = 0;
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  for (int i = 0; i < 16; ++i)
    EXPECT_FLOAT_EQ(projection[i], expected[i]) << i;
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

} // namespace
