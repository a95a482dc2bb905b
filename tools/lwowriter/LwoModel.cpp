// A whole object in the layout LightWave writes.
#include "LwoWriter.h"

namespace {

void writeSurface(LwoWriter& w, const LwoModel::Surface& surface) {
  w.chunk("SURF");
  writeSurfaceStart(w, surface.name);
  writeColor(w, surface.color[0], surface.color[1], surface.color[2]);
  writeLevel(w, "DIFF", surface.diffuse);
  if (surface.specular != 0.0f) writeLevel(w, "SPEC", surface.specular);
  if (surface.transparency != 0.0f) writeLevel(w, "TRAN", surface.transparency);
  w.end();
}

} // namespace

std::string writeLwo(const LwoModel& model) {
  LwoWriter w;
  w.longIndices = model.longIndices;
  std::vector<std::string> names;
  for (const auto& surface : model.surfaces)
    names.push_back(surface.name);
  writeTags(w, names);
  writeLayer(w, 0);
  writePoints(w, model.points);
  writeBoundingBox(w, model.points);

  std::vector<std::vector<uint32_t>> polygons;
  std::vector<LwoPolygonTag> tags;
  polygons.reserve(model.triangles.size());
  tags.reserve(model.triangles.size());
  for (const auto& triangle : model.triangles) {
    polygons.push_back({triangle.index[0], triangle.index[1], triangle.index[2]});
    tags.push_back({static_cast<uint32_t>(tags.size()), triangle.surface});
  }
  writePolygons(w, "FACE", polygons);
  writePolygonTags(w, "SURF", tags);
  for (const auto& surface : model.surfaces)
    writeSurface(w, surface);
  return w.finish();
}
