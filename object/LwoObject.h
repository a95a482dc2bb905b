#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "ByteReader.h"
#include "MeshObject.h"

// A MeshObject read from an LWO2 file: one layer of triangles, its surfaces,
// still-image clip names and texture uv maps.
class LwoObject : public MeshObject {
public:
  static constexpr size_t scratchSize = 80000;

  LwoObject();

  // Reads the file into the object. Throws "Could not open LWO2 file.", the
  // FORM and LWO2 tag messages, or the triangles-only message. A file that
  // ends early gives what was read up to there.
  void load(const char* path);

  // Reading state, public as the object's data is.
  struct FileCloser {
    void operator()(FILE* stream) const { std::fclose(stream); }
  };
  std::unique_ptr<FILE, FileCloser> file;
  std::vector<uint8_t> scratch; // every skip reads through it
  ChunkHeader chunk;
  int32_t bounds[6] = {0, 0, 0, 0, 0, 0}; // max x, min x, max y, min y, max z, min z

  // Big-endian fields from the file.
  uint32_t readU4();
  uint16_t readU2();
  float readF4();
  // False when the file ended within the header.
  bool readChunkHeader(ChunkHeader& header);

private:
  void readChunks();
  // Reads up to `size` bytes of chunk data (through scratch) into chunkData.
  void readChunkData(uint32_t size);
  void skip(uint32_t size);

  void readTags(ByteReader data);
  void readPoints(ByteReader data);
  void readPolygons(ByteReader data);
  void readPolygonTags(ByteReader data);
  void readClip(ByteReader data);
  void readUvMap(ByteReader data);
  void readPolygonUvs(ByteReader data);
  void readSurface(ByteReader data);
  void readSurfaceBlock(ByteReader block, LwoSurface& surface);

  void dropBrokenTriangles();
  void computeBounds();

  std::vector<uint8_t> chunkData;
  std::vector<LwoTriangle> faces; // the FACE list in file order, while reading
};
