// zephtool inspect for LWO2 objects: what the reader makes of the file.
#include <cstring>
#include <memory>

#include "Inspector.h"
#include "LwoObject.h"

namespace {

// FORM with an LWO2 or older LWOB type.
bool recognises(const std::string& head) {
  if (head.size() < 12 || head.compare(0, 4, "FORM") != 0) return false;
  return head.compare(8, 4, "LWO2") == 0 || head.compare(8, 4, "LWOB") == 0;
}

Json number(float value) {
  return ::number(static_cast<double>(value));
}

Json triple(const float values[3]) {
  return Json::array({number(values[0]), number(values[1]), number(values[2])});
}

Json rgb(const uint8_t values[3]) {
  return Json::array({int{values[0]}, int{values[1]}, int{values[2]}});
}

Json surfaceReport(const LwoSurface& surface) {
  return Json::object({{"name", surface.name},
                       {"color", rgb(surface.color)},
                       {"diffuseColor", rgb(surface.diffuseColor)},
                       {"opacity", int{surface.opacity}},
                       {"specular", number(surface.specular)},
                       {"imageIndex", int{surface.imageIndex}},
                       {"uvMapIndex", surface.uvMapIndex},
                       {"projection", int{surface.projection}}});
}

Json groupReport(const SurfaceGroup& group, bool geometry) {
  Json report = Json::object({{"surfaceIndex", group.surfaceIndex}, {"triangleCount", group.triangleCount}});
  if (geometry) {
    Json triangles = Json::array();
    for (const LwoTriangle& t : group.triangles)
      triangles.push_back(Json::array({t.index[0], t.index[1], t.index[2]}));
    report["triangles"] = triangles;
  }
  return report;
}

Json points(const std::vector<Vec3>& list) {
  Json report = Json::array();
  for (const Vec3& p : list)
    report.push_back(triple(p.data()));
  return report;
}

Json inspect(const std::string& path, bool geometry) {
  auto object = std::make_unique<LwoObject>();
  object->load(path.c_str());
  const Mesh& mesh = object->mesh;

  Json bounds = Json::array();
  for (int32_t value : object->bounds)
    bounds.push_back(value);
  Json surfaces = Json::array();
  for (const LwoSurface& surface : mesh.surfaces)
    surfaces.push_back(surfaceReport(surface));
  Json groups = Json::array();
  for (const SurfaceGroup& group : mesh.surfaceGroups)
    groups.push_back(groupReport(group, geometry));
  Json clips = Json::array();
  for (const auto& name : mesh.clipNames)
    clips.push_back(name ? Json(*name) : Json());
  Json maps = Json::array();
  for (const UvMap& map : mesh.uvMaps)
    maps.push_back(
        Json::object({{"name", map.name}, {"entryCount", map.entryCount}, {"perPolygon", map.perPolygon}}));

  Json report = Json::object({{"format", "LWO2"},
                              {"pointCount", mesh.pointCount},
                              {"triangleCount", mesh.triangleCount},
                              {"normalCount", mesh.normalCount},
                              {"bounds", bounds},
                              {"surfaces", surfaces},
                              {"surfaceGroups", groups},
                              {"clipNames", clips},
                              {"uvMaps", maps}});
  if (geometry) {
    report["points"] = points(mesh.points);
    report["vertexNormals"] = points(mesh.vertexNormals);
  }
  return report;
}

} // namespace

const Inspector lwoInspector = {"LWO2", {".lwo"}, recognises, inspect};
