#include <iostream>

#include "Commands.h"
#include "DataMaker.h"
#include "ProductionInfo.h"

// Writes the production's data set into DIR/data.
int makeDataCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "usage: " << productionInfo().name << "tool make-data DIR" << std::endl;
    return 2;
  }
  try {
    writeProductionData(args[0]);
  } catch (const char* message) {
    std::cerr << args[0] << ": " << message << std::endl;
    return 1;
  }
  return 0;
}
