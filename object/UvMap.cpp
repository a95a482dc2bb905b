#include "Mesh.h"

namespace {
uint64_t key(uint32_t point, uint32_t triangle) {
  return (uint64_t{point} << 32) | triangle;
}
} // namespace

UvPair UvMap::uv(uint32_t point, uint32_t triangle) const {
  if (!polygonUv.empty()) {
    auto found = polygonUv.find(key(point, triangle));
    if (found != polygonUv.end()) return found->second;
  }
  auto found = pointUv.find(point);
  return found != pointUv.end() ? found->second : UvPair{};
}

void UvMap::setPointUv(uint32_t point, UvPair value) {
  pointUv[point] = value;
}

void UvMap::setPolygonUv(uint32_t point, uint32_t triangle, UvPair value) {
  polygonUv[key(point, triangle)] = value;
}
