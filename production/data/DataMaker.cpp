#include "DataMaker.h"
#include "DefaultData.h"

// The production's data set: the default one, made by the project's own
// generators.
void writeProductionData(const std::string& folder) {
  defaultdata::write(folder);
}
