// Textures drawn in an off-screen GL context and read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OffscreenGl.h"
#include "PngImage.h"
#include "PngWriter.h"
#include "TempDir.h"
#include "Texture.h"

namespace {

// Four solid quarters, 3 x 3 pixels each: 6 pixels of RGB make 18-byte rows,
// which GL's default row alignment of 4 would misread.
std::vector<uint8_t> quarters(const std::vector<std::vector<uint8_t>>& colours) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const std::vector<uint8_t>& colour = colours[static_cast<size_t>((y / 3) * 2 + x / 3)];
      pixels.insert(pixels.end(), colour.begin(), colour.end());
    }
  return pixels;
}

// Fills the viewport with the bound texture, t = 0 at the top edge.
void drawTexturedScreen() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, 1);
  glTexCoord2f(0, 1);
  glVertex2f(-1, -1);
  glTexCoord2f(1, 1);
  glVertex2f(1, -1);
  glTexCoord2f(1, 0);
  glVertex2f(1, 1);
  glEnd();
}

// Colour at the middle of each quarter of the screen: top left, top right, bottom left, bottom right.
std::vector<uint32_t> quarterPixels(const OffscreenGl& gl) {
  gl.finish();
  int x0 = gl.width() / 4, x1 = 3 * gl.width() / 4, y0 = gl.height() / 4, y1 = 3 * gl.height() / 4;
  return {gl.pixel(x0, y0), gl.pixel(x1, y0), gl.pixel(x0, y1), gl.pixel(x1, y1)};
}

GLint levelWidth() {
  GLint width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  return width;
}

class TextureTest : public testing::Test {
protected:
  OffscreenGl gl;
  TempDir dir;
};

TEST_F(TextureTest, RgbPictureShowsTopRowAtTheTop) {
  std::string path = dir.file("rgb.png");
  writeRgbPng(path, 6, 6, quarters({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}}));
  PngImage image(path.c_str());
  Texture texture(image);
  EXPECT_EQ(levelWidth(), 6);
  drawTexturedScreen();
  EXPECT_EQ(quarterPixels(gl), (std::vector<uint32_t>{0xff0000ff, 0x00ff00ff, 0x0000ffff, 0xffff00ff}));
}

TEST_F(TextureTest, RgbaPictureKeepsItsAlpha) {
  std::string path = dir.file("rgba.png");
  writeRgbaPng(path, 6, 6,
               quarters({{10, 20, 30, 40}, {50, 60, 70, 80}, {90, 100, 110, 120}, {130, 140, 150, 160}}));
  PngImage image(path.c_str());
  Texture texture(image);
  drawTexturedScreen();
  EXPECT_EQ(quarterPixels(gl), (std::vector<uint32_t>{0x0a141e28, 0x323c4650, 0x5a646e78, 0x828c96a0}));
}

TEST_F(TextureTest, OtherFormatsGiveATextureWithoutImage) {
  // 16-bit grey + alpha has 32 bits per pixel like 8-bit RGBA but is not one.
  struct Case {
    int colourType;
    int bitDepth;
    size_t bytesPerPixel;
  } cases[] = {{0, 8, 1}, {3, 8, 1}, {4, 8, 2}, {4, 16, 4}, {2, 16, 6}, {6, 16, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "colour type " << c.colourType << ", depth " << c.bitDepth);
    PngPicture picture;
    picture.width = 4;
    picture.height = 4;
    picture.colourType = c.colourType;
    picture.bitDepth = c.bitDepth;
    picture.rows.assign(16 * c.bytesPerPixel, 0x40);
    if (c.colourType == 3) picture.palette.assign(3 * 256, 0x40);
    std::string path = dir.file("other.png");
    writePng(path, picture);
    PngImage image(path.c_str());
    Texture texture(image);
    EXPECT_NE(texture.textureName, 0u);
    EXPECT_EQ(levelWidth(), 0);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    drawTexturedScreen(); // an incomplete texture leaves the fragment's own colour: white
    EXPECT_EQ(quarterPixels(gl), (std::vector<uint32_t>(4, 0xffffffff)));
  }
}

TEST_F(TextureTest, LastTextureStaysBoundWithTexturingOn) {
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  std::string path = dir.file("rgb.png");
  writeRgbPng(path, 4, 4, std::vector<uint8_t>(48, 0x80));
  PngImage image(path.c_str());
  std::vector<GLuint> names;
  for (int i = 0; i < 4; ++i)
    names.push_back(Texture(image).textureName);
  for (size_t i = 1; i < names.size(); ++i)
    EXPECT_NE(names[i], names[i - 1]);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), names.back());
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLint parameters[4] = {};
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &parameters[0]);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &parameters[1]);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &parameters[2]);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &parameters[3]);
  EXPECT_EQ(parameters[0], GL_LINEAR);
  EXPECT_EQ(parameters[1], GL_LINEAR);
  EXPECT_EQ(parameters[2], GL_REPEAT);
  EXPECT_EQ(parameters[3], GL_REPEAT);
  GLint alignment = 0; // the upload's own setting is not left behind
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
}

} // namespace
