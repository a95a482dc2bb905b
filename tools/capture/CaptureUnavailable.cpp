#include <iostream>

#include "CaptureCommand.h"
#include "ProductionInfo.h"

// Builds without an off-screen GL context and FFmpeg (the Windows ones).
int captureCommand(const std::vector<std::string>&) {
  const std::string tool = std::string(productionInfo().name) + "tool";
  std::cerr << tool << " capture: not in this build; use a native build of " << tool << std::endl;
  return 1;
}
