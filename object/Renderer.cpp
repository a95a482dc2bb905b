// Immediate-mode drawing of a MeshObject, in up to four passes chosen by drawFlags.
#include <GL/gl.h>

#include <cmath>
#include <cstdint>

#include "MeshObject.h"

namespace {

enum : uint16_t { smoothBit = 8, flatBit = 4, wireframeBit = 2, pointsBit = 1 };

void blendOn() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void color(const uint8_t rgb[3], uint8_t opacity) {
  if (opacity != 0)
    glColor4ub(rgb[0], rgb[1], rgb[2], opacity);
  else
    glColor3ub(rgb[0], rgb[1], rgb[2]);
}

// Ambient then diffuse through colour material; the diffuse colour stays current.
void surfaceColors(const LwoSurface& surface) {
  glColorMaterial(GL_FRONT, GL_AMBIENT);
  color(surface.color, surface.opacity);
  glColorMaterial(GL_FRONT, GL_DIFFUSE);
  color(surface.diffuseColor, surface.opacity);
}

// Toward zero, then the low 8 bits; values beyond any integer give 0.
GLubyte truncatedByte(float value) {
  if (!(std::fabs(value) < 2147483648.0f)) return 0;
  return static_cast<GLubyte>(static_cast<int32_t>(value));
}

void fadedColor(const uint8_t rgb[3], float fade) {
  glColor4ub(truncatedByte(rgb[0] * fade), truncatedByte(rgb[1] * fade), truncatedByte(rgb[2] * fade),
             truncatedByte(fade));
}

} // namespace

void MeshObject::drawAt(float x, float y, float z, float sx, float sy, float sz, float rx, float ry,
                        float rz) {
  position[0] = x, position[1] = y, position[2] = z;
  scale[0] = sx, scale[1] = sy, scale[2] = sz;
  rotation[0] = rx, rotation[1] = ry, rotation[2] = rz;
  render();
}

void MeshObject::draw() {
  render();
}

void MeshObject::render() const {
  glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
  glPushMatrix();
  glTranslatef(position[0], position[1], position[2]);
  glScalef(scale[0], scale[1], scale[2]);
  glRotatef(rotation[0], 1.0f, 0.0f, 0.0f);
  glRotatef(rotation[1], 0.0f, 1.0f, 0.0f);
  glRotatef(rotation[2], 0.0f, 0.0f, 1.0f);
  if (drawFlags & smoothBit) smoothPass();
  if (drawFlags & flatBit) flatPass();
  if (drawFlags & wireframeBit) wireframePass();
  if (drawFlags & pointsBit) pointsPass();
  glPopMatrix();
  glPopAttrib();
}

void MeshObject::smoothPass() const {
  glEnable(GL_COLOR_MATERIAL);
  for (const SurfaceGroup& group : mesh.surfaceGroups) {
    const LwoSurface& surface = mesh.surfaces[group.surfaceIndex];
    if (surface.opacity != 0)
      blendOn();
    else
      glDisable(GL_BLEND);
    surfaceColors(surface);
    glBegin(GL_TRIANGLES);
    for (const LwoTriangle& triangle : group.triangles) {
      for (uint32_t corner : triangle.index) {
        glNormal3fv(mesh.vertexNormals[corner].data());
        glVertex3fv(mesh.drawPoints[corner].data());
      }
    }
    glEnd();
  }
}

void MeshObject::flatPass() const {
  const bool fadeOff = fade == -1.0f;
  for (const SurfaceGroup& group : mesh.surfaceGroups) {
    const LwoSurface& surface = mesh.surfaces[group.surfaceIndex];
    if (fadeOff) {
      glEnable(GL_COLOR_MATERIAL);
      if (surface.opacity != 0)
        blendOn();
      else
        glDisable(GL_BLEND);
      surfaceColors(surface);
    } else {
      glColorMaterial(GL_FRONT, GL_AMBIENT);
      fadedColor(surface.color, fade);
      glColorMaterial(GL_FRONT, GL_DIFFUSE);
      fadedColor(surface.diffuseColor, fade);
    }
    glBegin(GL_TRIANGLES);
    for (const LwoTriangle& triangle : group.triangles) {
      glNormal3fv(triangle.normal.data());
      for (uint32_t corner : triangle.index)
        glVertex3fv(mesh.drawPoints[corner].data());
    }
    glEnd();
  }
}

void MeshObject::wireframePass() const {
  glDisable(GL_LIGHTING);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glBegin(GL_TRIANGLES);
  for (const SurfaceGroup& group : mesh.surfaceGroups) {
    for (const LwoTriangle& triangle : group.triangles) {
      for (uint32_t corner : triangle.index)
        glVertex3fv(mesh.drawPoints[corner].data());
    }
  }
  glEnd();
}

void MeshObject::pointsPass() const {
  glDisable(GL_LIGHTING);
  glPointSize(2.0f);
  glBegin(GL_POINTS);
  for (const Vec3& point : mesh.drawPoints)
    glVertex3fv(point.data());
  glEnd();
}
