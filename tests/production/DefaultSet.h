#pragma once

#include <string>

// A folder holding the default data set in data/: the build's own where it
// makes one, else made once per test program. Tests copy it before changing it.
const std::string& defaultSetFolder();
// Its data folder.
std::string defaultDataFolder();
std::string readBytes(const std::string& path);
