#include "LwoObject.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Toward zero, saturating where the value does not fit.
int32_t truncated(float value) {
  if (value >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

} // namespace

LwoObject::LwoObject() : scratch(scratchSize) {
  std::strcpy(mesh.name, "object");
}

void LwoObject::load(const char* path) {
  file.reset(std::fopen(path, "rb"));
  if (!file) throw "Could not open LWO2 file.";
  struct Finish {
    LwoObject& object;
    ~Finish() {
      object.file.reset();
      object.faces = {};
      object.chunkData = {};
    }
  } finish{*this};

  readChunkHeader(chunk);
  if (std::memcmp(chunk.id, "FORM", 4) != 0) throw "FORM-tag not found! (maybe this is not lightwave-file?)";
  char formType[4] = {0, 0, 0, 0};
  if (std::fread(formType, 1, 4, file.get()) != 4 || std::memcmp(formType, "LWO2", 4) != 0)
    throw "LWO2-tag not found! (is this an pre-lightwave [6] file?)";
  readChunks();
  dropBrokenTriangles();
  computeNormals();
  computeBounds();
}

uint32_t LwoObject::readU4() {
  uint8_t bytes[4] = {0, 0, 0, 0};
  (void)std::fread(bytes, 1, 4, file.get());
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

uint16_t LwoObject::readU2() {
  uint8_t bytes[2] = {0, 0};
  (void)std::fread(bytes, 1, 2, file.get());
  return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
}

float LwoObject::readF4() {
  uint32_t bits = readU4();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool LwoObject::readChunkHeader(ChunkHeader& header) {
  std::memset(header.id, 0, sizeof header.id);
  (void)std::fread(header.id, 1, 4, file.get());
  header.size = readU4();
  return !std::feof(file.get());
}

void LwoObject::readChunkData(uint32_t size) {
  chunkData.clear();
  size_t left = size;
  while (left > 0) {
    size_t piece = std::min(left, scratch.size());
    size_t got = std::fread(scratch.data(), 1, piece, file.get());
    chunkData.insert(chunkData.end(), scratch.begin(), scratch.begin() + static_cast<std::ptrdiff_t>(got));
    if (got < piece) break; // the file ends inside the chunk
    left -= got;
  }
}

void LwoObject::skip(uint32_t size) {
  size_t left = size;
  while (left > 0) {
    size_t piece = std::min(left, scratch.size());
    size_t got = std::fread(scratch.data(), 1, piece, file.get());
    if (got < piece) break;
    left -= got;
  }
}

// A second PNTS chunk may leave triangles naming points that no longer exist.
void LwoObject::dropBrokenTriangles() {
  const size_t count = mesh.points.size();
  for (SurfaceGroup& group : mesh.surfaceGroups) {
    auto broken = [count](const LwoTriangle& t) {
      return t.index[0] >= count || t.index[1] >= count || t.index[2] >= count;
    };
    group.triangles.erase(std::remove_if(group.triangles.begin(), group.triangles.end(), broken),
                          group.triangles.end());
    group.triangleCount = static_cast<uint32_t>(group.triangles.size());
  }
}

// The integer box of the points, always holding the origin.
void LwoObject::computeBounds() {
  std::fill(std::begin(bounds), std::end(bounds), 0);
  for (const Vec3& point : mesh.points) {
    for (int axis = 0; axis < 3; ++axis) {
      float c = point[axis];
      int32_t& maximum = bounds[2 * axis];
      int32_t& minimum = bounds[2 * axis + 1];
      if (c >= 0.0f) maximum = std::max(maximum, truncated(c));
      if (c < 0.0f) minimum = std::min(minimum, truncated(c));
    }
  }
}
