// The production's frames in an off-screen context, on the default data set.
#include <gtest/gtest.h>

#include "DefaultSet.h"
#include "LwoObject.h"
#include "OffscreenProduction.h"
#include "Pictures.h"
#include "Production.h"
#include "Texture.h"

namespace {

class ProductionFrames : public ::testing::Test {
protected:
  static void SetUpTestSuite() { production = new OffscreenProduction(defaultSetFolder()); }
  static void TearDownTestSuite() { delete production; }

  static bool near(const OffscreenGl& gl, int x, int y, const uint8_t (&colour)[3]) {
    auto close = [](int a, int b) { return std::abs(a - b) <= 8; };
    return close(gl.red(x, y), colour[0]) && close(gl.green(x, y), colour[1]) &&
           close(gl.blue(x, y), colour[2]);
  }

  static size_t differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t count = 0;
    for (size_t i = 0; i < a.size(); i += 3)
      if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++count;
    return count;
  }

  static OffscreenProduction* production;
};

OffscreenProduction* ProductionFrames::production = nullptr;

} // namespace

TEST_F(ProductionFrames, StartLeavesTheLastPictureBoundAndSphereMappingSet) {
  ASSERT_TRUE(logoTexture && voteTexture && duOgsaaTexture && zeph0Texture && sceneObject);
  EXPECT_GT(sceneObject->mesh.triangleCount, 0);
  production->setMusicTime(-1.0);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), zeph0Texture->textureName);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLint mode[2] = {0, 0};
  glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode[0]);
  glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &mode[1]);
  EXPECT_EQ(mode[0], GL_SPHERE_MAP);
  EXPECT_EQ(mode[1], GL_SPHERE_MAP);
}

TEST_F(ProductionFrames, EachTwentySecondsShowTheirPictureTheRightWayUp) {
  const OffscreenGl& gl = production->gl;
  const double times[] = {10.0, 30.0, 50.0, 70.0};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(defaultPictures[i].fileName);
    production->setMusicTime(times[i]);
    production->drawFrame();
    EXPECT_TRUE(near(gl, 16, 16, defaultPictures[i].topLeft));
    EXPECT_TRUE(near(gl, 623, 16, defaultPictures[i].topRight));
    EXPECT_FALSE(near(gl, 16, 463, defaultPictures[i].topLeft)) << "upside down";
    EXPECT_FALSE(near(gl, 623, 16, defaultPictures[i].topLeft)) << "mirrored";
  }
}

TEST_F(ProductionFrames, BeforeTheMusicStartsOnlyTheObjectIsDrawn) {
  production->setMusicTime(-1.0);
  production->drawFrame();
  const OffscreenGl& gl = production->gl;
  for (int corner : {0, 1}) {
    const int x = corner ? 623 : 16;
    EXPECT_EQ(gl.red(x, 16) | gl.green(x, 16) | gl.blue(x, 16), 0) << "a picture was drawn";
  }
  int lit = 0;
  for (int y = 300; y < 480; ++y)
    for (int x = 400; x < 640; ++x)
      lit += (gl.red(x, y) | gl.green(x, y) | gl.blue(x, y)) != 0;
  EXPECT_GT(lit, 1000) << "no object at the lower right";
}

TEST_F(ProductionFrames, TheObjectTurnsAFixedStepPerFrame) {
  production->setMusicTime(30.0);
  objectAngle = 0.0f;
  production->drawFrame();
  EXPECT_EQ(objectAngle, 0.15f);
  production->drawFrame();
  EXPECT_EQ(objectAngle, 0.15f + 0.15f);
}

TEST_F(ProductionFrames, TheObjectCutsThroughThePicturesPlane) {
  production->setMusicTime(30.0);
  objectAngle = 40.0f;
  production->drawFrame();
  const std::vector<uint8_t> frame = production->rgb();

  using Object = OffscreenProduction::Object;
  production->drawExpected(1, 40.15f, Object::Cut);
  EXPECT_TRUE(frame == production->rgb()) << "the expected frame is what the production draws";
  production->drawExpected(1, 40.15f, Object::Whole);
  const std::vector<uint8_t> whole = production->rgb();
  production->drawExpected(1, 0.0f, Object::None);
  const std::vector<uint8_t> picture = production->rgb();

  const size_t object = differences(whole, picture);
  EXPECT_GT(differences(frame, picture), object / 3) << "the object stands in front of the picture";
  EXPECT_GT(differences(frame, whole), object / 10) << "the picture's plane hides part of the object";
}
