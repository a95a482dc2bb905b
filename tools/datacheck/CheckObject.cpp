#include <cstdint>
#include <fstream>

#include "DataCheck.h"
#include "LwoObject.h"

namespace datacheck {
namespace {

// Big-endian fields of one chunk's data.
class Fields {
public:
  Fields(const std::string& data, size_t begin, size_t limit) : bytes(&data), at(begin), end(limit) {}
  bool more() const { return at < end; }
  size_t position() const { return at; }
  uint32_t number(int count) {
    uint32_t value = 0;
    for (int i = 0; i < count && at < end; ++i)
      value = (value << 8) | static_cast<uint8_t>((*bytes)[at++]);
    return value;
  }
  std::string id() {
    const size_t begin = at;
    at = std::min(at + 4, end);
    return bytes->substr(begin, at - begin);
  }
  // A variable-length index: two bytes, or four after a leading 0xFF.
  uint32_t index(bool& isLong) {
    isLong = more() && static_cast<uint8_t>((*bytes)[at]) == 0xFF;
    return isLong ? number(4) & 0xFFFFFFu : number(2);
  }

private:
  const std::string* bytes;
  size_t at;
  size_t end;
};

// What the reader does not report itself: layers and the form of indices,
// from the chunk list walked the way the reader walks it (no pad bytes).
struct Layout {
  int layers = 0;
  int pointLists = 0;
  uint32_t points = 0;
  bool longIndices = false;
  bool missingPoints = false;
};

void scanPolygons(Fields polygons, Layout& layout) {
  if (polygons.id() != "FACE") return;
  while (polygons.more()) {
    const uint32_t corners = polygons.number(2) & 0x3FFu; // the high six bits are flags
    for (uint32_t i = 0; i < corners && polygons.more(); ++i) {
      bool isLong = false;
      const uint32_t point = polygons.index(isLong);
      layout.longIndices = layout.longIndices || isLong;
      layout.missingPoints = layout.missingPoints || point >= layout.points;
    }
  }
}

Layout scan(const std::string& file) {
  Layout layout;
  Fields form(file, 12, file.size());
  while (form.more()) {
    const std::string id = form.id();
    const uint32_t size = form.number(4);
    const size_t begin = form.position();
    const size_t end = std::min(file.size(), begin + size);
    if (id == "LAYR") ++layout.layers;
    if (id == "PNTS") {
      ++layout.pointLists;
      layout.points = size / 12;
    }
    if (id == "POLS") scanPolygons(Fields(file, begin, end), layout);
    form = Fields(file, end, file.size());
  }
  return layout;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string bytes(static_cast<size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::vector<std::string> checkLayout(const std::string& path) {
  std::vector<std::string> problems;
  const Layout layout = scan(readAll(path));
  if (layout.layers > 1 || layout.pointLists > 1)
    problems.push_back(path + ": has " + std::to_string(std::max(layout.layers, layout.pointLists)) +
                       " layers, the production reads one; merge them into one layer");
  if (layout.longIndices)
    problems.push_back(path +
                       ": uses 4-byte point indices, the production reads 2-byte ones; keep the object "
                       "under 65280 points and save it with 2-byte indices");
  if (layout.missingPoints)
    problems.push_back(path + ": has polygons naming points that do not exist; export it again");
  return problems;
}

std::vector<std::string> checkMesh(const std::string& path, const Mesh& mesh) {
  std::vector<std::string> problems;
  if (mesh.triangleCount == 0) {
    problems.push_back(path + ": has no triangles (POLS FACE); triangulate it and export it again");
    return problems;
  }
  int32_t surfaced = 0;
  for (const SurfaceGroup& group : mesh.surfaceGroups)
    surfaced += static_cast<int32_t>(group.triangleCount);
  if (mesh.surfaces.empty())
    problems.push_back(path + ": has no surfaces (TAGS); give its polygons a surface");
  else if (surfaced < mesh.triangleCount)
    problems.push_back(
        path + ": " + std::to_string(mesh.triangleCount - surfaced) + " of " +
        std::to_string(mesh.triangleCount) +
        " triangles have no surface and are not drawn; give every polygon a surface (PTAG SURF)");
  return problems;
}

} // namespace

std::vector<std::string> checkObject(const std::string& path) {
  LwoObject object;
  try {
    object.load(path.c_str());
  } catch (const char* message) {
    return {loaderProblem(path, message, "an LWO2 object of one layer of triangles")};
  }
  std::vector<std::string> problems = checkLayout(path);
  std::vector<std::string> more = checkMesh(path, object.mesh);
  problems.insert(problems.end(), more.begin(), more.end());
  return problems;
}

} // namespace datacheck
