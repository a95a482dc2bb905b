// Chunks and sub-chunks laid out as LightWave writes them.
#include <algorithm>

#include "LwoWriter.h"

void writeTags(LwoWriter& w, const std::vector<std::string>& names) {
  w.chunk("TAGS");
  for (const std::string& name : names)
    w.s0(name);
  w.end();
}

void writeLayer(LwoWriter& w, uint16_t number, const std::string& name) {
  w.chunk("LAYR").u2(number).u2(0).f4(0.0f).f4(0.0f).f4(0.0f).s0(name).end();
}

void writePoints(LwoWriter& w, const std::vector<LwoPoint>& points) {
  w.chunk("PNTS");
  for (const LwoPoint& p : points)
    w.f4(p[0]).f4(p[1]).f4(p[2]);
  w.end();
}

void writeBoundingBox(LwoWriter& w, const std::vector<LwoPoint>& points) {
  LwoPoint low = {0.0f, 0.0f, 0.0f};
  LwoPoint high = {0.0f, 0.0f, 0.0f};
  if (!points.empty()) low = high = points.front();
  for (const LwoPoint& p : points) {
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], p[axis]);
      high[axis] = std::max(high[axis], p[axis]);
    }
  }
  w.chunk("BBOX").f4(low[0]).f4(low[1]).f4(low[2]).f4(high[0]).f4(high[1]).f4(high[2]).end();
}

void writePolygons(LwoWriter& w, const char* type, const std::vector<std::vector<uint32_t>>& polygons,
                   uint16_t flags) {
  w.chunk("POLS").id(type);
  for (const auto& polygon : polygons) {
    w.u2(static_cast<uint16_t>((flags << 10) | (polygon.size() & 0x3FF)));
    for (uint32_t index : polygon)
      w.vx(index);
  }
  w.end();
}

void writePolygonTags(LwoWriter& w, const char* type, const std::vector<LwoPolygonTag>& entries) {
  w.chunk("PTAG").id(type);
  for (const LwoPolygonTag& entry : entries)
    w.vx(entry.polygon).u2(entry.tag);
  w.end();
}

void writePointMap(LwoWriter& w, const char* type, uint16_t dimension, const std::string& name,
                   const std::vector<LwoPointValue>& entries) {
  w.chunk("VMAP").id(type).u2(dimension).s0(name);
  for (const LwoPointValue& entry : entries) {
    w.vx(entry.point);
    for (float value : entry.values)
      w.f4(value);
  }
  w.end();
}

void writePolygonMap(LwoWriter& w, const char* type, uint16_t dimension, const std::string& name,
                     const std::vector<LwoPolygonValue>& entries) {
  w.chunk("VMAD").id(type).u2(dimension).s0(name);
  for (const LwoPolygonValue& entry : entries) {
    w.vx(entry.point).vx(entry.polygon);
    for (float value : entry.values)
      w.f4(value);
  }
  w.end();
}

void writeClip(LwoWriter& w, uint32_t index, const std::string& stillPath, bool flag) {
  w.chunk("CLIP").u4(index);
  w.subChunk("STIL").s0(stillPath).end();
  if (flag) w.subChunk("FLAG").u2(0).u2(0).end();
  w.end();
}

void writeEnvelope(LwoWriter& w, uint32_t index) {
  w.chunk("ENVL").vx(index);
  w.subChunk("PRE ").u2(1).end();
  w.subChunk("POST").u2(1).end();
  w.subChunk("KEY ").f4(0.0f).f4(1.0f).end();
  w.subChunk("SPAN").id("TCB ").f4(0.0f).f4(0.0f).f4(0.0f).end();
  w.end();
}

void writeSurfaceStart(LwoWriter& w, const std::string& name, const std::string& parent) {
  w.s0(name).s0(parent);
}

void writeColor(LwoWriter& w, float r, float g, float b) {
  w.subChunk("COLR").f4(r).f4(g).f4(b).vx(0).end();
}

void writeLevel(LwoWriter& w, const char* id, float value) {
  w.subChunk(id).f4(value).vx(0).end();
}

void writeTextureBlock(LwoWriter& w, const LwoTextureBlock& block) {
  w.subChunk("BLOK");
  w.subChunk("IMAP").s0("\x80");
  w.subChunk("CHAN").id("COLR").end();
  w.subChunk("ENAB").u2(1).end();
  w.end();
  w.subChunk("TMAP");
  w.subChunk("CNTR").f4(0.0f).f4(0.0f).f4(0.0f).vx(0).end();
  w.subChunk("SIZE").f4(1.0f).f4(1.0f).f4(1.0f).vx(0).end();
  w.subChunk("ROTA").f4(0.0f).f4(0.0f).f4(0.0f).vx(0).end();
  w.subChunk("CSYS").u2(0).end();
  w.end();
  w.subChunk("PROJ").u2(block.projection).end();
  w.subChunk("AXIS").u2(2).end();
  w.subChunk("IMAG").vx(block.image).end();
  w.subChunk("WRAP").u2(1).u2(1).end();
  if (!block.uvMap.empty()) w.subChunk("VMAP").s0(block.uvMap).end();
  w.subChunk("AAST").u2(1).f4(1.0f).end();
  w.subChunk("PIXB").u2(1).end();
  w.end();
}
