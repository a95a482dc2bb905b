#pragma once

#include <string>
#include <vector>

#include "Json.h"

// One file kind that `zephtool inspect` understands.
struct Inspector {
  const char* format;
  // The name extensions (lower case, with the dot) the production reads with this kind's loader.
  std::vector<std::string> extensions;
  // True when the first bytes say it is of this kind; asked only for other names.
  bool (*recognises)(const std::string& head);
  // Reads the file with the system's own loader; throws its message text.
  Json (*inspect)(const std::string& path, bool geometry);
};

// Each file kind lives in its own file.
extern const Inspector audioInspector;
extern const Inspector pngInspector;
extern const Inspector lwoInspector;
