#include <iostream>

#include "Commands.h"
#include "DefaultData.h"

// Writes the default data set into DIR/data.
int makeDataCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "usage: zephtool make-data DIR" << std::endl;
    return 2;
  }
  try {
    defaultdata::write(args[0]);
  } catch (const char* message) {
    std::cerr << args[0] << ": " << message << std::endl;
    return 1;
  }
  return 0;
}
