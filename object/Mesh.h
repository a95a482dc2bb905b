#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// x, y, z of a point or a normal.
using Vec3 = std::array<float, 3>;

struct UvPair {
  float u = 0.0f;
  float v = 0.0f;
};

// A chunk or sub-chunk header as stored: the ID's four bytes as they are and
// the size in host order.
struct ChunkHeader {
  char id[4] = {0, 0, 0, 0};
  uint32_t size = 0;
};

struct LwoTriangle {
  uint32_t index[3] = {0, 0, 0}; // into Mesh::points
  Vec3 normal = {0.0f, 0.0f, 0.0f};
};

// The triangles of one surface, in the order of the file's PTAG entries.
struct SurfaceGroup {
  uint32_t triangleCount = 0;
  uint32_t surfaceIndex = 0;
  std::vector<LwoTriangle> triangles;
};

struct LwoSurface {
  char name[64] = {};
  int16_t imageIndex = 0;
  int32_t uvMapIndex = -1; // -1: no uv map
  int16_t projection = 0;
  uint8_t color[3] = {0, 0, 0};
  uint8_t diffuseColor[3] = {0, 0, 0};
  float specular = 0.0f;
  uint8_t opacity = 0; // 0 means opaque
};

// A texture map. VMAP gives a pair per point, VMAD overrides it for single
// triangles. Both are kept sparsely, by what the file names: a dense block of
// pairs per point and triangle does not fit in memory for large objects.
struct UvMap {
  char name[64] = {};
  int32_t entryCount = 0;                         // entries of the VMAP chunk
  bool perPolygon = false;                        // a VMAD has named the map
  std::unordered_map<uint32_t, UvPair> pointUv;   // by point
  std::unordered_map<uint64_t, UvPair> polygonUv; // by point (high half) and triangle

  // The pair of `point` on `triangle` (FACE list order): the triangle's own
  // when a VMAD gave one, else the point's; {0, 0} when the map has neither.
  UvPair uv(uint32_t point, uint32_t triangle) const;
  void setPointUv(uint32_t point, UvPair value);
  void setPolygonUv(uint32_t point, uint32_t triangle, UvPair value);
};

struct Mesh {
  char name[64] = {};
  int32_t pointCount = 0;
  int32_t normalCount = 0;
  int32_t triangleCount = 0;
  std::vector<Vec3> points;     // rest positions, z negated from the file
  std::vector<Vec3> drawPoints; // what is drawn; a copy of points
  std::vector<Vec3> vertexNormals;
  std::vector<std::optional<std::string>> clipNames; // no value where the path has no last piece
  std::vector<SurfaceGroup> surfaceGroups;
  std::vector<LwoSurface> surfaces;
  std::vector<UvMap> uvMaps;
};
