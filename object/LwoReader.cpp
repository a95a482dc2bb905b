// The chunk loop of the LWO2 reader and the geometry chunks.
#include <cstring>

#include "LwoIds.h"
#include "LwoObject.h"
#include "NameMatch.h"

namespace {

// Smallest entries with 2-byte indices: an entry is read only when at least
// this much of the chunk is left, as many as the chunk's size holds.
const size_t triangleBytes = 2 + 3 * 2;
const size_t polygonTagBytes = 2 + 2;
const size_t pointUvBytes = 2 + 4 + 4;
const size_t polygonUvBytes = 2 + 2 + 4 + 4;

} // namespace

void LwoObject::readChunks() {
  while (readChunkHeader(chunk)) {
    const char* id = chunk.id;
    if (isId(id, "TAGS") || isId(id, "PNTS") || isId(id, "POLS") || isId(id, "PTAG") || isId(id, "CLIP") ||
        isId(id, "VMAP") || isId(id, "VMAD") || isId(id, "SURF")) {
      readChunkData(chunk.size);
      ByteReader data(chunkData.data(), chunkData.size());
      if (isId(id, "TAGS"))
        readTags(data);
      else if (isId(id, "PNTS"))
        readPoints(data);
      else if (isId(id, "POLS"))
        readPolygons(data);
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
  for (Vec3& point : mesh.points) {
    float x = data.f4();
    float y = data.f4();
    float z = data.f4();
    point = {x, y, -z};
  }
  mesh.drawPoints = mesh.points;
  mesh.pointCount = static_cast<int32_t>(count);
}

void LwoObject::readPolygons(ByteReader data) {
  char type[4];
  data.id(type);
  mesh.triangleCount = 0;
  faces.clear();
  if (!isId(type, "FACE")) return;
  faces.reserve(data.remaining() / triangleBytes);
  while (data.remaining() >= triangleBytes) {
    // All 16 bits: flag bits in the high six make it something else than a triangle.
    if (data.u2() != 3) throw "Only triangles are supported, convert to triangulated object.";
    LwoTriangle triangle;
    for (uint32_t& index : triangle.index)
      index = data.vx();
    if (!data.complete()) break; // cut off by the chunk's end
    faces.push_back(triangle);
    ++mesh.triangleCount;
  }
}

void LwoObject::readPolygonTags(ByteReader data) {
  char type[4];
  data.id(type);
  if (!isId(type, "SURF")) return;
  struct Entry {
    uint32_t polygon;
    uint16_t tag;
  };
  std::vector<Entry> entries;
  std::vector<uint32_t> counts(mesh.surfaces.size(), 0);
  while (data.remaining() >= polygonTagBytes) {
    Entry entry;
    entry.polygon = data.vx();
    entry.tag = data.u2();
    if (!data.complete()) break;
    if (entry.polygon >= faces.size() || entry.tag >= mesh.surfaces.size()) continue;
    entries.push_back(entry);
    ++counts[entry.tag];
  }
  // One group per surface, empty ones too, so that group i is surface i.
  mesh.surfaceGroups.assign(mesh.surfaces.size(), SurfaceGroup{});
  for (size_t s = 0; s < mesh.surfaceGroups.size(); ++s) {
    SurfaceGroup& group = mesh.surfaceGroups[s];
    group.surfaceIndex = static_cast<uint32_t>(s);
    group.triangleCount = counts[s];
    group.triangles.reserve(counts[s]);
  }
  for (const Entry& entry : entries)
    mesh.surfaceGroups[entry.tag].triangles.push_back(faces[entry.polygon]);
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
