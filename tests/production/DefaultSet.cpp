#include "DefaultSet.h"

#include <fstream>
#include <sstream>

#include "DefaultData.h"
#include "TempDir.h"

const std::string& defaultSetFolder() {
  static TempDir folder;
  static const bool made = (defaultdata::write(folder.path()), true);
  (void)made;
  return folder.path();
}

std::string defaultDataFolder() {
  return defaultSetFolder() + "/data";
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}
