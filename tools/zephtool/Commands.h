#pragma once

#include <string>
#include <vector>

#include "Json.h"

// One file kind that `zephtool inspect` understands.
struct Inspector {
  const char* format;
  // True when the first bytes (or, for an unreadable file, the name) say it is of this kind.
  bool (*recognises)(const std::string& path, const std::string& head);
  // Reads the file with the system's own loader; throws its message text.
  Json (*inspect)(const std::string& path, bool geometry);
};

// Each file kind lives in its own file.
extern const Inspector audioInspector;
extern const Inspector pngInspector;
extern const Inspector lwoInspector;

int decodeCommand(const std::vector<std::string>& args);
int checkCommand(const std::vector<std::string>& args);
int makeDataCommand(const std::vector<std::string>& args);
