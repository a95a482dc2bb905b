#pragma once

#include <string>

// A folder holding the default data set in data/, made once per test program.
const std::string& defaultSetFolder();
// Its data folder.
std::string defaultDataFolder();
std::string readBytes(const std::string& path);
