// libFuzzer over the LWO2 reader: any bytes as a file, loaded and inspected.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "LwoObject.h"

namespace {
std::string path;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char name[] = "/tmp/fuzz-lwo-XXXXXX";
  int descriptor = mkstemp(name);
  if (descriptor < 0) std::abort();
  close(descriptor);
  path = name;
  std::atexit([] { std::remove(path.c_str()); });
  // The surface reader's lines would drown the fuzzer's own output.
  if (!std::freopen("/dev/null", "w", stdout)) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  LwoObject object;
  try {
    object.load(path.c_str());
  } catch (const char*) {
    return 0;
  }
  // What the renderer would read: every index must be inside its array.
  const Mesh& mesh = object.mesh;
  if (mesh.vertexNormals.size() != mesh.points.size() || mesh.drawPoints.size() != mesh.points.size())
    std::abort();
  for (const SurfaceGroup& group : mesh.surfaceGroups) {
    if (group.surfaceIndex >= mesh.surfaces.size() || group.triangleCount != group.triangles.size())
      std::abort();
    for (const LwoTriangle& triangle : group.triangles)
      for (uint32_t index : triangle.index)
        if (index >= mesh.points.size()) std::abort();
  }
  for (const LwoSurface& surface : mesh.surfaces)
    if (surface.uvMapIndex >= static_cast<int32_t>(mesh.uvMaps.size())) std::abort();
  return 0;
}
