#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "ByteReader.h"
#include "ChunkStream.h"
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
  // Reads up to `size` bytes of chunk data straight into chunkData: no more
  // than the file holds, so a declared size beyond its end allocates nothing.
  void readChunkData(uint32_t size);
  // Bytes from here to the end of the file; unknownSize when the stream cannot tell.
  size_t bytesLeftInFile();
  void reserveChunkData(size_t bytes);
  void skip(uint32_t size);

  void readTags(ByteReader data);
  void readPoints(ByteReader data);
  // POLS is read a window at a time: the largest chunk of a large object.
  void readPolygons(ChunkStream& stream, size_t expectedBytes);
  void readPolygonTags(ByteReader data);
  void readClip(ByteReader data);
  void readUvMap(ByteReader data);
  void readPolygonUvs(ByteReader data);
  void readSurface(ByteReader data);
  void readSurfaceBlock(ByteReader block, LwoSurface& surface);

  // Closes the file and frees the reading buffers.
  void releaseReading();
  void dropBrokenTriangles();
  void computeBounds();

  static constexpr size_t unknownSize = SIZE_MAX;
  long fileSize = -1; // -1: the stream cannot tell
  // Not a vector: a vector would clear every byte before the file's bytes overwrite them.
  std::unique_ptr<uint8_t[]> chunkData;
  size_t chunkCapacity = 0;
  size_t chunkBytes = 0;
  // The FACE list in file order, while reading: point indices only, half
  // the size of a triangle with its normal.
  struct Face {
    uint32_t index[3];
  };
  std::vector<Face> faces;
  // Written in place: a face built aside and copied in is read back in wider
  // pieces than it was written, which the processor cannot forward.
  void addFace(uint32_t a, uint32_t b, uint32_t c) {
    facesMaxIndex = std::max({facesMaxIndex, a, b, c});
    Face& face = faces.emplace_back();
    face.index[0] = a, face.index[1] = b, face.index[2] = c;
    ++mesh.triangleCount;
  }
  uint32_t facesMaxIndex = 0;           // the largest point index in faces
  uint32_t groupsMaxIndex = UINT32_MAX; // the same for the groups' triangles
};
