#include "Ratios.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

struct Times {
  double real = 0.0; // per iteration, in the benchmark's unit
  double cpu = 0.0;
};

// Prints each run as usual and remembers its times. With repetitions the
// median stands for the benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, Times> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Iteration && !times.count(run.run_name.str()))
        times[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      if (median) times[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

} // namespace

int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const Ratio& ratio : ratios) {
    auto top = reporter.times.find(ratio.numerator);
    if (top == reporter.times.end()) continue;
    if (ratio.denominator.empty()) {
      if (ratio.over == 0.0)
        std::printf("%-44s %10.3f real %10.3f CPU\n", ratio.label.c_str(), top->second.real, top->second.cpu);
      else if (top->second.real > 0.0 && top->second.cpu > 0.0)
        std::printf("%-44s %10.3f real %10.3f CPU\n", ratio.label.c_str(), ratio.over / top->second.real,
                    ratio.over / top->second.cpu);
      continue;
    }
    auto bottom = reporter.times.find(ratio.denominator);
    if (bottom == reporter.times.end() || !(bottom->second.real > 0.0) || !(bottom->second.cpu > 0.0))
      continue;
    std::printf("%-44s %10.3f real %10.3f CPU\n", ratio.label.c_str(), top->second.real / bottom->second.real,
                top->second.cpu / bottom->second.cpu);
  }
  benchmark::Shutdown();
  return 0;
}
