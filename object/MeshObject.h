#pragma once

#include <cstdint>

#include "Mesh.h"

// A drawable object: its mesh and the transform it is drawn with.
class MeshObject {
public:
  MeshObject() = default;
  MeshObject(const MeshObject&) = delete;
  MeshObject& operator=(const MeshObject&) = delete;

  // Stores position, scale and rotation (degrees about x, y, z), then draws.
  virtual void drawAt(float x, float y, float z, float sx, float sy, float sz, float rx, float ry, float rz);
  // Draws with the stored transform. Needs a current GL context with the
  // modelview matrix selected; leaves matrix, enables, polygon mode and
  // current colour as it found them.
  virtual void draw();
  virtual ~MeshObject() = default;

  // A unit normal for every triangle of every group and an averaged one for
  // every point.
  void computeNormals();

  Mesh mesh;
  float position[3] = {0.0f, 0.0f, 0.0f};
  float scale[3] = {1.0f, 1.0f, 1.0f};
  float rotation[3] = {0.0f, 0.0f, 0.0f};
  uint16_t drawFlags = 8; // 8 smooth, 4 flat, 2 wireframe, 1 points
  float fade = -1.0f;     // -1: off

private:
  void render() const;
  void smoothPass() const;
  void flatPass() const;
  void wireframePass() const;
  void pointsPass() const;
};

// The unit normal of the triangle p0, p1, p2 as the renderer uses it: the
// first component of (p1 - p0) x (p2 - p0), the other two negated. Zero for a
// triangle without area.
Vec3 faceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2);
