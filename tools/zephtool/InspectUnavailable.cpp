// `zephtool inspect` in builds without nlohmann-json and OpenSSL (the MinGW
// cross builds, which use zephtool only for its other commands).
#include <iostream>

#include "Commands.h"
#include "ProductionInfo.h"

int inspectCommand(const std::vector<std::string>&) {
  std::cerr << productionInfo().name
            << "tool: inspect is not in this build (it needs nlohmann-json and OpenSSL)" << std::endl;
  return 1;
}
