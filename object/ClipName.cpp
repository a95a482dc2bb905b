#include "ClipName.h"

#include <vector>

std::optional<std::string> lastPathComponent(const std::string& path) {
  size_t separators = 0;
  for (size_t i = 1; i < path.size(); ++i)
    if (path[i] == '/') ++separators;
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) pieces.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (separators >= pieces.size()) return std::nullopt;
  return pieces[separators];
}
