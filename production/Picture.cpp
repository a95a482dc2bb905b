#include "Production.h"

namespace {

// Texture coordinate and position of each corner. The quad is turned half
// about the X axis below, so t = 0 ends at the top and s = 0 at the left.
struct Corner {
  GLfloat s, t, x, y;
};
const Corner corners[4] = {
    {0.0f, 0.0f, -0.78f, -0.58f},
    {0.0f, 1.0f, -0.78f, 0.58f},
    {1.0f, 1.0f, 0.78f, 0.58f},
    {1.0f, 0.0f, 0.78f, -0.58f},
};

} // namespace

void drawPicture(GLuint textureName) {
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -1.4f);
  glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
  glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
  glBindTexture(GL_TEXTURE_2D, textureName);
  glBegin(GL_QUADS);
  for (const Corner& corner : corners) {
    glTexCoord2f(corner.s, corner.t);
    glVertex2f(corner.x, corner.y);
  }
  glEnd();
}
