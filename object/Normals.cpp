#include <cmath>

#include "MeshObject.h"

namespace {

// v scaled to unit length; zero when v has no usable length (zero, too
// small to invert, or not finite), so that no NaN or infinity comes out.
inline Vec3 unitOrZero(const Vec3& v) {
  double x = static_cast<double>(v[0]), y = static_cast<double>(v[1]), z = static_cast<double>(v[2]);
  double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0.0) || !std::isfinite(length)) return {0.0f, 0.0f, 0.0f};
  float inverse = static_cast<float>(1.0 / length);
  if (!std::isfinite(inverse)) return {0.0f, 0.0f, 0.0f};
  return {v[0] * inverse, v[1] * inverse, v[2] * inverse};
}

inline bool isZero(const Vec3& v) {
  return v[0] == 0.0f && v[1] == 0.0f && v[2] == 0.0f;
}

inline Vec3 unitFaceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
  Vec3 a = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
  Vec3 b = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
  // Not the plain cross product: the y and z components are negated, which is
  // what the object's look (sphere mapping from these normals) was made with.
  Vec3 n = {a[1] * b[2] - a[2] * b[1], a[0] * b[2] - a[2] * b[0], a[1] * b[0] - a[0] * b[1]};
  return unitOrZero(n);
}

} // namespace

Vec3 faceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
  return unitFaceNormal(p0, p1, p2);
}

void MeshObject::computeNormals() {
  size_t count = mesh.points.size();
  mesh.pointCount = static_cast<int32_t>(count);
  mesh.normalCount = mesh.pointCount;
  mesh.vertexNormals.assign(count, Vec3{0.0f, 0.0f, 0.0f});
  std::vector<int32_t> uses(count, 0);

  // One pass: each triangle's normal, then its share of its corners' sums,
  // added in the same order as two separate passes would.
  const Vec3* points = mesh.points.data();
  Vec3* sums = mesh.vertexNormals.data();
  for (SurfaceGroup& group : mesh.surfaceGroups) {
    for (LwoTriangle& triangle : group.triangles) {
      const uint32_t* index = triangle.index;
      const Vec3 normal = unitFaceNormal(points[index[0]], points[index[1]], points[index[2]]);
      triangle.normal = normal;
      if (isZero(normal)) continue; // a triangle without area has no say
      for (uint32_t corner : triangle.index) {
        Vec3& sum = sums[corner];
        for (int axis = 0; axis < 3; ++axis)
          sum[axis] += normal[axis];
        ++uses[corner];
      }
    }
  }
  for (size_t p = 0; p < count; ++p) {
    if (uses[p] == 0) continue; // no triangle touches it: stays zero
    Vec3& normal = mesh.vertexNormals[p];
    float divisor = static_cast<float>(uses[p]);
    for (float& component : normal)
      component /= divisor;
    normal = unitOrZero(normal);
  }
}
