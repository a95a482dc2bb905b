#pragma once

#include <string>
#include <vector>

// A benchmark program's main: runs the registered benchmarks and then prints
// each ratio from times measured in the same run, real and CPU, so that a
// busy machine shows in both sides alike.
struct Ratio {
  std::string label;
  std::string numerator;   // benchmark names
  std::string denominator; // empty: the numerator's own time in its unit
  double over = 0.0;       // with no denominator and not zero: over / time
};

int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios);
