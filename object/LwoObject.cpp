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
    ~Finish() { object.releaseReading(); }
  } finish{*this};
  fileSize = -1;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) fileSize = std::ftell(file.get());
  if (std::fseek(file.get(), 0, SEEK_SET) != 0) fileSize = -1;

  readChunkHeader(chunk);
  if (std::memcmp(chunk.id, "FORM", 4) != 0) throw "FORM-tag not found! (maybe this is not lightwave-file?)";
  char formType[4] = {0, 0, 0, 0};
  if (std::fread(formType, 1, 4, file.get()) != 4 || std::memcmp(formType, "LWO2", 4) != 0)
    throw "LWO2-tag not found! (is this an pre-lightwave [6] file?)";
  readChunks();
  // Before the normals: their arrays can then take the memory of these.
  releaseReading();
  dropBrokenTriangles();
  computeNormals();
  computeBounds();
}

void LwoObject::releaseReading() {
  file.reset();
  faces = {};
  chunkData.reset();
  chunkCapacity = chunkBytes = 0;
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
  chunkBytes = 0;
  size_t left = size;
  const size_t inFile = bytesLeftInFile();
  if (inFile != unknownSize) {
    left = std::min(left, inFile);
    reserveChunkData(left);
  }
  while (left > 0) {
    // Where the file's size is unknown, the buffer grows with what was read.
    size_t piece = std::min(left, std::max(scratch.size(), chunkBytes));
    reserveChunkData(chunkBytes + piece);
    size_t got = std::fread(chunkData.get() + chunkBytes, 1, piece, file.get());
    chunkBytes += got;
    if (got < piece) break; // the file ends inside the chunk
    left -= got;
  }
}

size_t LwoObject::bytesLeftInFile() {
  long at = fileSize < 0 ? -1 : std::ftell(file.get());
  if (at < 0 || at > fileSize) return unknownSize;
  return static_cast<size_t>(fileSize - at);
}

void LwoObject::reserveChunkData(size_t bytes) {
  if (bytes <= chunkCapacity) return;
  size_t capacity = std::max(bytes, 2 * chunkCapacity);
  std::unique_ptr<uint8_t[]> grown(new uint8_t[capacity]);
  if (chunkBytes > 0) std::memcpy(grown.get(), chunkData.get(), chunkBytes);
  chunkData = std::move(grown);
  chunkCapacity = capacity;
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
  if (groupsMaxIndex < count) return; // every triangle's points exist
  for (SurfaceGroup& group : mesh.surfaceGroups) {
    auto broken = [count](const LwoTriangle& t) {
      return t.index[0] >= count || t.index[1] >= count || t.index[2] >= count;
    };
    group.triangles.erase(std::remove_if(group.triangles.begin(), group.triangles.end(), broken),
                          group.triangles.end());
    group.triangleCount = static_cast<uint32_t>(group.triangles.size());
  }
}

// The integer box of the points, always holding the origin. Truncation
// keeps order, so the box is the truncated extremes (NaN takes no part).
void LwoObject::computeBounds() {
  float maxX = 0.0f, minX = 0.0f, maxY = 0.0f, minY = 0.0f, maxZ = 0.0f, minZ = 0.0f;
  for (const Vec3& point : mesh.points) {
    // std::max and std::min keep their first argument when the second is NaN.
    maxX = std::max(maxX, point[0]), minX = std::min(minX, point[0]);
    maxY = std::max(maxY, point[1]), minY = std::min(minY, point[1]);
    maxZ = std::max(maxZ, point[2]), minZ = std::min(minZ, point[2]);
  }
  const float extremes[6] = {maxX, minX, maxY, minY, maxZ, minZ};
  for (int i = 0; i < 6; ++i)
    bounds[i] = truncated(extremes[i]);
}
