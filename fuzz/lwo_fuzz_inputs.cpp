// lwo_fuzz_inputs DIR: writes synthetic LWO2 files for the fuzzer to start
// from: what real files never hold (4-byte indices, odd sizes, parent surface
// names, per-polygon uv values over several maps).
#include <cstdio>
#include <string>

#include "LwoWriter.h"

namespace {

const std::vector<LwoPoint> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

std::string rich(bool longIndices) {
  LwoWriter w;
  w.longIndices = longIndices;
  writeTags(w, {"Body", "Glass", "Skin"});
  writeLayer(w, 0);
  writePoints(w, square);
  writeBoundingBox(w, square);
  writePolygons(w, "FACE", {{0, 1, 2}, {0, 2, 3}});
  writePolygonTags(w, "SURF", {{0, 0}, {1, 2}});
  writePolygonTags(w, "PART", {{0, 0}});
  writePointMap(w, "TXUV", 2, "UV", {{0, {0, 0}}, {1, {1, 0}}, {2, {1, 1}}, {3, {0, 1}}});
  writePointMap(w, "TXUV", 2, "UVb", {{0, {0, 0}}});
  writePolygonMap(w, "TXUV", 2, "UV", {{0, 1, {0.5f, 0.5f}}, {2, 0, {0.25f, 0.75f}}});
  writeClip(w, 1, "images/env.png");
  writeClip(w, 2, "a//b.png", false);
  writeEnvelope(w, 1);
  w.chunk("ODDC").raw("12345").end();
  w.chunk("SURF");
  writeSurfaceStart(w, "Body", "Base");
  writeColor(w, 1.0f, 0.5f, 0.25f);
  writeLevel(w, "DIFF", 0.8f);
  writeLevel(w, "SPEC", 0.3f);
  writeLevel(w, "LUMI", 0.0f);
  w.subChunk("ODDS").raw("xyz").end();
  writeTextureBlock(w, {5, 1, "UV"});
  w.end();
  w.chunk("SURF");
  writeSurfaceStart(w, "Glass");
  writeColor(w, 0.2f, 0.4f, 1.0f);
  writeLevel(w, "DIFF", 1.0f);
  writeLevel(w, "TRAN", 0.5f);
  w.subChunk("BLOK").subChunk("ODDB").raw("x").end().subChunk("IMAG").vx(2).end().end();
  w.end();
  return w.finish();
}

std::string model() {
  LwoModel m;
  for (int i = 0; i < 40; ++i)
    m.points.push_back({static_cast<float>(i % 7), static_cast<float>(i / 7), 0.5f});
  for (uint32_t i = 0; i + 8 < 40; ++i)
    m.triangles.push_back({{i, i + 1, i + 7}, static_cast<uint16_t>(i % 2)});
  m.surfaces = {{"Opaque", {1, 0, 0}, 1.0f, 0.2f, 0.0f}, {"Glass", {0, 0, 1}, 0.9f, 0.0f, 0.5f}};
  return writeLwo(m);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lwo_fuzz_inputs DIR\n");
    return 2;
  }
  std::string dir = argv[1];
  saveFile(dir + "/rich.lwo", rich(false));
  saveFile(dir + "/rich-long-indices.lwo", rich(true));
  saveFile(dir + "/model.lwo", model());
  return 0;
}
