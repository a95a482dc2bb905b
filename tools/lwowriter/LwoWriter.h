#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Writes LWO2 files field by field: big-endian numbers, chunks with 4-byte
// sizes, sub-chunks with 2-byte lengths, nested as deep as needed. Sizes are
// filled in when a chunk ends; a chunk of odd size gets its pad byte.
class LwoWriter {
public:
  // Starts the FORM with its type ("LWO2"; "LWOB" for an older file).
  explicit LwoWriter(const char* formType = "LWO2");

  // Write every variable-length index in its 4-byte form, small ones too.
  bool longIndices = false;

  LwoWriter& chunk(const char* id);    // U4 size
  LwoWriter& subChunk(const char* id); // U2 length
  // Ends the innermost chunk: its size, then a pad byte when the size is odd.
  LwoWriter& end();
  // Ends it without the pad byte, as a faulty writer would.
  LwoWriter& endUnpadded();
  // Ends it declaring `size` instead of the true size (no pad byte).
  LwoWriter& endDeclaring(uint32_t size);

  LwoWriter& id(const char* id);
  LwoWriter& u1(uint8_t value);
  LwoWriter& u2(uint16_t value);
  LwoWriter& u4(uint32_t value);
  LwoWriter& f4(float value);
  // A point or polygon index: two bytes below 0xFF00, else four (0xFF, then 24 bits).
  LwoWriter& vx(uint32_t index);
  // Zero-terminated text padded to an even length.
  LwoWriter& s0(const std::string& text);
  LwoWriter& raw(const std::string& bytes);

  // The file: ends the FORM (and any chunk left open).
  std::string finish();

private:
  struct Open {
    size_t sizeAt;
    bool shortSize;
  };
  void close(uint32_t size, bool pad);

  std::string out;
  std::vector<Open> open;
};

// Saves bytes to a file; throws std::runtime_error when it cannot.
void saveFile(const std::string& path, const std::string& bytes);

// Chunks as LightWave writes them. Points are in the file's coordinates.
using LwoPoint = std::array<float, 3>;

void writeTags(LwoWriter& w, const std::vector<std::string>& names);
void writeLayer(LwoWriter& w, uint16_t number, const std::string& name = "");
void writePoints(LwoWriter& w, const std::vector<LwoPoint>& points);
void writeBoundingBox(LwoWriter& w, const std::vector<LwoPoint>& points);
// POLS of `type` ("FACE", "PTCH"): each polygon's vertex count (with `flags`
// in its high six bits) and indices.
void writePolygons(LwoWriter& w, const char* type, const std::vector<std::vector<uint32_t>>& polygons,
                   uint16_t flags = 0);
struct LwoPolygonTag {
  uint32_t polygon;
  uint16_t tag;
};
void writePolygonTags(LwoWriter& w, const char* type, const std::vector<LwoPolygonTag>& entries);
struct LwoPointValue {
  uint32_t point;
  std::vector<float> values;
};
// VMAP of any type; for TXUV the values are u, v.
void writePointMap(LwoWriter& w, const char* type, uint16_t dimension, const std::string& name,
                   const std::vector<LwoPointValue>& entries);
struct LwoPolygonValue {
  uint32_t point;
  uint32_t polygon;
  std::vector<float> values;
};
// VMAD of any type.
void writePolygonMap(LwoWriter& w, const char* type, uint16_t dimension, const std::string& name,
                     const std::vector<LwoPolygonValue>& entries);
// CLIP with a STIL path, followed by LightWave's FLAG sub-chunk when `flag`.
void writeClip(LwoWriter& w, uint32_t index, const std::string& stillPath, bool flag = true);
// An ENVL chunk with a few sub-chunks, for readers to skip.
void writeEnvelope(LwoWriter& w, uint32_t index);

// SURF sub-chunks; call between w.chunk("SURF"), writeSurfaceStart and w.end().
void writeSurfaceStart(LwoWriter& w, const std::string& name, const std::string& parent = "");
void writeColor(LwoWriter& w, float r, float g, float b);
// A level sub-chunk (DIFF, TRAN, SPEC, LUMI, RIND, BUMP, ...): F4 and an envelope index.
void writeLevel(LwoWriter& w, const char* id, float value);
struct LwoTextureBlock {
  uint16_t projection = 5;
  uint32_t image = 1;
  std::string uvMap; // no VMAP sub-chunk when empty
};
// A BLOK as LightWave writes it: IMAP header (ordinal, CHAN, ENAB), TMAP,
// PROJ, AXIS, IMAG, WRAP, [VMAP], AAST, PIXB.
void writeTextureBlock(LwoWriter& w, const LwoTextureBlock& block);

// A whole object: one layer of triangles with their surfaces.
struct LwoModel {
  struct Surface {
    std::string name;
    float color[3] = {1.0f, 1.0f, 1.0f};
    float diffuse = 1.0f;
    float specular = 0.0f;
    float transparency = 0.0f; // no TRAN sub-chunk at 0, so the surface is drawn opaque
  };
  struct Triangle {
    uint32_t index[3];
    uint16_t surface;
  };
  std::vector<LwoPoint> points;
  std::vector<Triangle> triangles;
  std::vector<Surface> surfaces;
  bool longIndices = false;
};

// TAGS, LAYR, PNTS, BBOX, POLS FACE, PTAG SURF and one SURF per surface.
std::string writeLwo(const LwoModel& model);
