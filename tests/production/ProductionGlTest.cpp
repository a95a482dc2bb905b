// The production's frames in an off-screen context, on the default data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "DefaultSet.h"
#include "LwoObject.h"
#include "OffscreenProduction.h"
#include "Pictures.h"
#include "PngImage.h"
#include "Production.h"
#include "Texture.h"

namespace {

const int width = 640;
const int height = 480;

// Where the centre of screen pixel (x, y) falls on the picture, in picture
// pixels: the quad spans 0.78 by 0.58 either side of the axis, 1.4 in front
// of the eye, under a 45 degree projection at 4:3, first row at the top.
struct Place {
  double u, v;
};
Place placeOnPicture(int x, int y) {
  const double halfHeight = 1.4 * std::tan(22.5 * 3.14159265358979 / 180.0);
  const double halfWidth = halfHeight * 4.0 / 3.0;
  const double across = ((x + 0.5) / width * 2.0 - 1.0) * halfWidth;
  const double down = ((y + 0.5) / height * 2.0 - 1.0) * halfHeight;
  return {(across / 0.78 + 1.0) / 2.0 * pictureSize, (down / 0.58 + 1.0) / 2.0 * pictureSize};
}

bool underObjectArea(int x, int y) {
  const Place place = placeOnPicture(x, y);
  return place.u >= objectArea.left && place.v >= objectArea.top;
}

enum class Turn { None, UpsideDown, Mirrored };

// Mean absolute difference per channel between a frame and a picture file
// (turned as asked) laid over the screen, where the object never is.
double differenceFromFile(const std::vector<uint8_t>& frame, const PngImage& file, Turn turn) {
  const int bytes = file.bitsPerPixel / 8;
  double sum = 0.0;
  int count = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (underObjectArea(x, y)) continue;
      const Place place = placeOnPicture(x, y);
      int u = std::clamp(static_cast<int>(place.u), 0, pictureSize - 1);
      int v = std::clamp(static_cast<int>(place.v), 0, pictureSize - 1);
      if (turn == Turn::UpsideDown) v = pictureSize - 1 - v;
      if (turn == Turn::Mirrored) u = pictureSize - 1 - u;
      const unsigned char* texel = file.pixels + (static_cast<size_t>(v) * pictureSize + u) * bytes;
      const uint8_t* pixel = &frame[(static_cast<size_t>(y) * width + x) * 3];
      for (int c = 0; c < 3; ++c)
        sum += std::abs(int{pixel[c]} - int{texel[c]});
      ++count;
    }
  }
  return sum / (3.0 * count);
}

class ProductionFrames : public ::testing::Test {
protected:
  static void SetUpTestSuite() { production = new OffscreenProduction(defaultSetFolder()); }
  static void TearDownTestSuite() { delete production; }

  static size_t differences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t count = 0;
    for (size_t i = 0; i < a.size(); i += 3)
      if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++count;
    return count;
  }

  static OffscreenProduction* production;
};

OffscreenProduction* ProductionFrames::production = nullptr;

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

// Each picture fills the screen the right way up: the frame is its file,
// not another picture's, nor the file upside down or mirrored.
TEST_F(ProductionFrames, EachTwentySecondsShowTheirPictureTheRightWayUp) {
  std::vector<std::unique_ptr<PngImage>> files;
  for (const DefaultPicture& picture : defaultPictures)
    files.push_back(std::make_unique<PngImage>((defaultSetFolder() + "/data/" + picture.fileName).c_str()));
  const double times[] = {10.0, 30.0, 50.0, 70.0};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(defaultPictures[i].fileName);
    production->setMusicTime(times[i]);
    production->drawFrame();
    const std::vector<uint8_t> frame = production->rgb();
    EXPECT_LT(differenceFromFile(frame, *files[i], Turn::None), 6.0);
    EXPECT_GT(differenceFromFile(frame, *files[i], Turn::UpsideDown), 15.0);
    EXPECT_GT(differenceFromFile(frame, *files[i], Turn::Mirrored), 15.0);
    for (int other = 0; other < 4; ++other) {
      if (other == i) continue;
      EXPECT_GT(differenceFromFile(frame, *files[other], Turn::None), 15.0)
          << defaultPictures[other].fileName;
    }
  }
}

TEST_F(ProductionFrames, BeforeTheMusicStartsOnlyTheObjectIsDrawn) {
  production->setMusicTime(-1.0);
  production->drawFrame();
  const OffscreenGl& gl = production->gl;
  int lit = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool black = (gl.red(x, y) | gl.green(x, y) | gl.blue(x, y)) == 0;
      if (underObjectArea(x, y))
        lit += !black;
      else
        ASSERT_TRUE(black) << "a picture was drawn: " << x << "," << y;
    }
  }
  EXPECT_GT(lit, 1000) << "no object at the lower right";
}

// The pictures keep their texts out of the object's area; the object, at
// every angle, stays in it.
TEST_F(ProductionFrames, TheObjectTurnsInsideTheAreaThePicturesKeepFree) {
  for (int angle = 0; angle < 360; angle += 2) {
    production->drawExpected(-1, static_cast<float>(angle), OffscreenProduction::Object::Whole);
    const OffscreenGl& gl = production->gl;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if ((gl.red(x, y) | gl.green(x, y) | gl.blue(x, y)) == 0) continue;
        ASSERT_TRUE(underObjectArea(x, y))
            << "the object reaches " << x << "," << y << " at " << angle << " degrees";
      }
    }
  }
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

} // namespace
