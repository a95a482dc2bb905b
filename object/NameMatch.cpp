#include "NameMatch.h"

#include <cstring>

namespace {

bool beginsWith(const char* text, const std::string& prefix) {
  return std::strncmp(text, prefix.c_str(), prefix.size()) == 0;
}

} // namespace

int findSurface(const std::vector<LwoSurface>& surfaces, const std::string& name) {
  for (size_t i = 0; i < surfaces.size(); ++i)
    if (name == surfaces[i].name) return static_cast<int>(i);
  for (size_t i = 0; i < surfaces.size(); ++i)
    if (beginsWith(surfaces[i].name, name)) return static_cast<int>(i);
  return -1;
}

int findUvMap(const std::vector<UvMap>& maps, const std::string& name) {
  for (size_t i = maps.size(); i-- > 0;)
    if (name == maps[i].name) return static_cast<int>(i);
  for (size_t i = maps.size(); i-- > 0;)
    if (beginsWith(maps[i].name, name)) return static_cast<int>(i);
  return -1;
}
