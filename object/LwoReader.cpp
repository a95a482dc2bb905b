// The chunk loop of the LWO2 reader and the geometry chunks.
#include <algorithm>
#include <cstring>

#include "LwoIds.h"
#include "LwoObject.h"
#include "NameMatch.h"

namespace {

// Smallest entries with 2-byte indices: an entry is read only when at least
// this much of the chunk is left, as many as the chunk's size holds.
const size_t triangleBytes = 2 + 3 * 2;
const size_t longestTriangleBytes = 2 + 3 * 4;
const size_t polygonTagBytes = 2 + 2;
const size_t pointUvBytes = 2 + 4 + 4;
const size_t polygonUvBytes = 2 + 2 + 4 + 4;
const size_t longestPolygonTagBytes = 4 + 2;

const char* const notTriangles = "Only triangles are supported, convert to triangulated object.";

} // namespace

void LwoObject::readChunks() {
  while (readChunkHeader(chunk)) {
    const char* id = chunk.id;
    if (isId(id, "POLS")) {
      const size_t inFile = bytesLeftInFile();
      ChunkStream stream(file.get(), scratch.data(), scratch.size(), chunk.size);
      readPolygons(stream, inFile == unknownSize ? 0 : std::min<size_t>(chunk.size, inFile));
      stream.skipRest();
    } else if (isId(id, "TAGS") || isId(id, "PNTS") || isId(id, "PTAG") || isId(id, "CLIP") ||
               isId(id, "VMAP") || isId(id, "VMAD") || isId(id, "SURF")) {
      readChunkData(chunk.size);
      ByteReader data(chunkData.get(), chunkBytes);
      if (isId(id, "TAGS"))
        readTags(data);
      else if (isId(id, "PNTS"))
        readPoints(data);
      else if (isId(id, "PTAG"))
        readPolygonTags(data);
      else if (isId(id, "CLIP"))
        readClip(data);
      else if (isId(id, "VMAP"))
        readUvMap(data);
      else if (isId(id, "VMAD"))
        readPolygonUvs(data);
      else
        readSurface(data);
    } else {
      skip(chunk.size);
    }
    if (chunk.size % 2 != 0) skip(1); // the pad byte that an odd size does not count
  }
}

void LwoObject::readTags(ByteReader data) {
  while (!data.atEnd()) {
    LwoSurface surface;
    copyName(surface.name, data.name());
    mesh.surfaces.push_back(surface);
  }
}

void LwoObject::readPoints(ByteReader data) {
  size_t count = data.remaining() / 12;
  mesh.points.resize(count);
  const uint8_t* at = data.position(); // count whole points are there
  for (Vec3& point : mesh.points) {
    point = {bigF4(at), bigF4(at + 4), -bigF4(at + 8)};
    at += 12;
  }
  mesh.drawPoints = mesh.points;
  mesh.pointCount = static_cast<int32_t>(count);
}

void LwoObject::readPolygons(ChunkStream& stream, size_t expectedBytes) {
  ByteReader head = stream.window(4);
  char type[4];
  head.id(type);
  stream.keep(head);
  mesh.triangleCount = 0;
  faces.clear();
  facesMaxIndex = 0;
  if (!isId(type, "FACE")) return;
  if (expectedBytes > 4) faces.reserve((expectedBytes - 4) / triangleBytes);
  for (;;) {
    // A triangle is decoded in place when it lies whole in the window; at
    // the chunk's end, field by field while the smallest one's bytes are left.
    ByteReader data = stream.window(longestTriangleBytes);
    const bool last = stream.atLastWindow();
    while (data.remaining() >= longestTriangleBytes) {
      const uint8_t* at = data.position();
      // All 16 bits: flag bits in the high six make it something else than a triangle.
      if (bigU2(at) != 3) throw notTriangles;
      uint32_t a, b, c;
      at = bigVx(bigVx(bigVx(at + 2, a), b), c);
      data.advanceTo(at);
      addFace(a, b, c);
    }
    while (last && data.remaining() >= triangleBytes) {
      if (data.u2() != 3) throw notTriangles;
      uint32_t a = data.vx(), b = data.vx(), c = data.vx();
      if (!data.complete()) return; // cut off by the chunk's end
      addFace(a, b, c);
    }
    if (last) return;
    stream.keep(data);
  }
}

void LwoObject::readPolygonTags(ByteReader data) {
  char type[4];
  data.id(type);
  if (!isId(type, "SURF")) return;
  const size_t faceCount = faces.size(), surfaceCount = mesh.surfaces.size();
  // Two passes over the entries, counting and then copying: cheaper than
  // keeping them in a list of their own.
  auto forEachEntry = [&](auto take) {
    ByteReader entries = data;
    while (entries.remaining() >= longestPolygonTagBytes) {
      uint32_t polygon;
      const uint8_t* at = bigVx(entries.position(), polygon);
      uint16_t tag = bigU2(at);
      entries.advanceTo(at + 2);
      if (polygon < faceCount && tag < surfaceCount) take(polygon, tag);
    }
    while (entries.remaining() >= polygonTagBytes) {
      uint32_t polygon = entries.vx();
      uint16_t tag = entries.u2();
      if (!entries.complete()) break;
      if (polygon < faceCount && tag < surfaceCount) take(polygon, tag);
    }
  };
  std::vector<uint32_t> counts(surfaceCount, 0);
  forEachEntry([&](uint32_t, uint16_t tag) { ++counts[tag]; });
  // One group per surface, empty ones too, so that group i is surface i.
  mesh.surfaceGroups.assign(surfaceCount, SurfaceGroup{});
  for (size_t s = 0; s < surfaceCount; ++s) {
    SurfaceGroup& group = mesh.surfaceGroups[s];
    group.surfaceIndex = static_cast<uint32_t>(s);
    group.triangleCount = counts[s];
    group.triangles.reserve(counts[s]);
  }
  forEachEntry([&](uint32_t polygon, uint16_t tag) {
    const Face& face = faces[polygon];
    // Built in place, for the reason addFace gives.
    LwoTriangle& triangle = mesh.surfaceGroups[tag].triangles.emplace_back();
    triangle.index[0] = face.index[0], triangle.index[1] = face.index[1], triangle.index[2] = face.index[2];
  });
  groupsMaxIndex = facesMaxIndex;
}

void LwoObject::readUvMap(ByteReader data) {
  char type[4];
  data.id(type);
  if (!isId(type, "TXUV")) return;
  data.u2(); // dimension: two for TXUV
  UvMap map;
  copyName(map.name, data.name());
  while (data.remaining() >= pointUvBytes) {
    uint32_t point = data.vx();
    UvPair pair;
    pair.u = data.f4();
    pair.v = data.f4();
    if (!data.complete()) break;
    ++map.entryCount;
    if (point < mesh.points.size()) map.setPointUv(point, pair);
  }
  mesh.uvMaps.push_back(std::move(map));
}

void LwoObject::readPolygonUvs(ByteReader data) {
  char type[4];
  data.id(type);
  if (!isId(type, "TXUV")) return;
  data.u2(); // dimension
  int found = findUvMap(mesh.uvMaps, data.name());
  if (found < 0) return; // no VMAP of that name before it
  UvMap& map = mesh.uvMaps[static_cast<size_t>(found)];
  map.perPolygon = true;
  while (data.remaining() >= polygonUvBytes) {
    uint32_t point = data.vx();
    uint32_t polygon = data.vx();
    UvPair pair;
    pair.u = data.f4();
    pair.v = data.f4();
    if (!data.complete()) break;
    if (point < mesh.points.size() && polygon < faces.size()) map.setPolygonUv(point, polygon, pair);
  }
}
