#include <iostream>

#include "Commands.h"

// Placeholder until this command is built.
int makeDataCommand(const std::vector<std::string>&) {
  std::cerr << "not available yet" << std::endl;
  return 1;
}
