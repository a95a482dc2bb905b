#include <iostream>

#include "CaptureCommand.h"

// Builds without an off-screen GL context and FFmpeg (the Windows ones).
int captureCommand(const std::vector<std::string>&) {
  std::cerr << "zephtool capture: not in this build; use a native build of zephtool" << std::endl;
  return 1;
}
