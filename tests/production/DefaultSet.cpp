#include "DefaultSet.h"

#include <fstream>
#include <sstream>

#include "DefaultData.h"
#include "TempDir.h"

const std::string& defaultSetFolder() {
#ifdef ZEPH_BUILT_DEFAULT_SET
  // The set that the build made with zephtool make-data.
  static const std::string built = ZEPH_BUILT_DEFAULT_SET;
  return built;
#else
  static TempDir folder;
  static const bool made = (defaultdata::write(folder.path()), true);
  (void)made;
  return folder.path();
#endif
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
