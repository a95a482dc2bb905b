#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Json.h"

Json number(double value) {
  if (!std::isfinite(value)) return nullptr;
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  double rounded = std::strtod(text, nullptr);
  if (rounded == std::trunc(rounded) && std::fabs(rounded) < 1e15) return static_cast<int64_t>(rounded);
  return rounded;
}

std::string dumpReport(const Json& report) {
  return report.dump(-1, ' ', false, Json::error_handler_t::replace);
}
