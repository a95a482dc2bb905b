#include "DataMaker.h"

// For a production whose data an author brings rather than makes.
void writeProductionData(const std::string&) {
  throw "This production has no data maker: put its files into data/ yourself";
}
