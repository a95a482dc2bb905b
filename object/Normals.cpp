#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

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

// Not the plain cross product: the y and z components are negated, which is
// what the object's look (sphere mapping from these normals) was made with.
inline Vec3 faceCross(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
  Vec3 a = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
  Vec3 b = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
  return {a[1] * b[2] - a[2] * b[1], a[0] * b[2] - a[2] * b[0], a[1] * b[0] - a[0] * b[1]};
}

// Vectors a block at a time, one array per component, so that the compiler
// normalises several at once (the square root and division in double
// precision are most of the work).
constexpr size_t blockSize = 256;
struct VectorBlock {
  float x[blockSize] = {}, y[blockSize] = {}, z[blockSize] = {};
  float divisor[blockSize] = {};

  void set(size_t i, const Vec3& v) { x[i] = v[0], y[i] = v[1], z[i] = v[2]; }
  Vec3 get(size_t i) const { return {x[i], y[i], z[i]}; }
};

// value where keep has all bits set, +0 where it has none.
inline float masked(float value, uint32_t keep) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  bits &= keep;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// unitOrZero for every vector of the block, divided first by its divisor when
// `divide`: the same operations in the same order, without branches.
template <bool divide> void unitOrZero(VectorBlock& block) {
  constexpr double infinite = std::numeric_limits<double>::infinity();
  constexpr float infiniteFloat = std::numeric_limits<float>::infinity();
  for (size_t i = 0; i < blockSize; ++i) {
    float vx = block.x[i], vy = block.y[i], vz = block.z[i];
    if (divide) vx /= block.divisor[i], vy /= block.divisor[i], vz /= block.divisor[i];
    double x = static_cast<double>(vx), y = static_cast<double>(vy), z = static_cast<double>(vz);
    double length = std::sqrt(x * x + y * y + z * z);
    float inverse = static_cast<float>(1.0 / length);
    // Positive, finite, invertible: false for NaN too.
    bool usable = (length > 0.0) & (length < infinite) & (inverse < infiniteFloat);
    // Zero by mask rather than by a branch, which would stop vectorising.
    const uint32_t keep = 0u - static_cast<uint32_t>(usable);
    block.x[i] = masked(vx * inverse, keep);
    block.y[i] = masked(vy * inverse, keep);
    block.z[i] = masked(vz * inverse, keep);
  }
}

} // namespace

Vec3 faceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
  return unitOrZero(faceCross(p0, p1, p2));
}

void MeshObject::computeNormals() {
  size_t count = mesh.points.size();
  mesh.pointCount = static_cast<int32_t>(count);
  mesh.normalCount = mesh.pointCount;
  mesh.vertexNormals.assign(count, Vec3{0.0f, 0.0f, 0.0f});
  std::vector<int32_t> uses(count, 0);

  // Each triangle's normal, then its share of its corners' sums, added in
  // triangle order.
  const Vec3* points = mesh.points.data();
  Vec3* sums = mesh.vertexNormals.data();
  VectorBlock block;
  for (SurfaceGroup& group : mesh.surfaceGroups) {
    LwoTriangle* triangles = group.triangles.data();
    for (size_t first = 0, size = group.triangles.size(); first < size; first += blockSize) {
      const size_t n = std::min(blockSize, size - first);
      for (size_t i = 0; i < n; ++i) {
        const uint32_t* index = triangles[first + i].index;
        block.set(i, faceCross(points[index[0]], points[index[1]], points[index[2]]));
      }
      unitOrZero<false>(block);
      for (size_t i = 0; i < n; ++i) {
        LwoTriangle& triangle = triangles[first + i];
        const Vec3 normal = block.get(i);
        triangle.normal = normal;
        if (isZero(normal)) continue; // a triangle without area has no say
        for (uint32_t corner : triangle.index) {
          Vec3& sum = sums[corner];
          sum[0] += normal[0], sum[1] += normal[1], sum[2] += normal[2];
          ++uses[corner];
        }
      }
    }
  }
  // The mean of each point's sum, made unit. A point no triangle touches
  // divides zero by zero and so stays zero.
  for (size_t first = 0; first < count; first += blockSize) {
    const size_t n = std::min(blockSize, count - first);
    for (size_t i = 0; i < n; ++i) {
      block.set(i, sums[first + i]);
      block.divisor[i] = static_cast<float>(uses[first + i]);
    }
    unitOrZero<true>(block);
    for (size_t i = 0; i < n; ++i)
      sums[first + i] = block.get(i);
  }
}
