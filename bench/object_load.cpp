// Loading an LWO2 object of 120 000 triangles (4-byte indices), against the
// floor of reading the same file's bytes once.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <vector>

#include "LwoObject.h"
#include "LwoWriter.h"

namespace {

std::string objectPath;

// A 300 x 200 grid of quads, two triangles each, on two surfaces.
std::string gridObject() {
  const uint32_t columns = 300, rows = 200;
  LwoModel model;
  model.longIndices = true;
  for (uint32_t y = 0; y <= rows; ++y)
    for (uint32_t x = 0; x <= columns; ++x)
      model.points.push_back({static_cast<float>(x) * 0.01f, static_cast<float>(y) * 0.01f,
                              static_cast<float>((x * y) % 7) * 0.001f});
  for (uint32_t y = 0; y < rows; ++y) {
    for (uint32_t x = 0; x < columns; ++x) {
      uint32_t a = y * (columns + 1) + x, b = a + 1, c = a + columns + 1, d = c + 1;
      uint16_t surface = static_cast<uint16_t>((x + y) % 2);
      model.triangles.push_back({{a, b, d}, surface});
      model.triangles.push_back({{a, d, c}, surface});
    }
  }
  model.surfaces = {{"Opaque", {1, 0.5f, 0.25f}, 1.0f, 0.3f, 0.0f},
                    {"Glass", {0.2f, 0.4f, 1}, 0.9f, 0.0f, 0.5f}};
  return writeLwo(model);
}

void readBytes(benchmark::State& state) {
  std::vector<char> bytes(std::filesystem::file_size(objectPath));
  for (auto _ : state) {
    FILE* file = std::fopen(objectPath.c_str(), "rb");
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    benchmark::DoNotOptimize(got);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void loadObject(benchmark::State& state) {
  for (auto _ : state) {
    LwoObject object;
    object.load(objectPath.c_str());
    if (object.mesh.triangleCount != 120000) state.SkipWithError("wrong triangle count");
    benchmark::DoNotOptimize(object.mesh.vertexNormals.data());
  }
}

BENCHMARK(readBytes)->Name("object/read_file_bytes")->Unit(benchmark::kMillisecond);
BENCHMARK(loadObject)->Name("object/load_120k_triangles")->Unit(benchmark::kMillisecond);

struct Times {
  double real = 0.0;
  double cpu = 0.0;
};

// Prints each run as usual and remembers its times per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, Times> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    ConsoleReporter::ReportRuns(runs);
  }
};

} // namespace

int main(int argc, char** argv) {
  objectPath = (std::filesystem::temp_directory_path() / "zeph-bench-object.lwo").string();
  saveFile(objectPath, gridObject());
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto floor = reporter.times.find("object/read_file_bytes");
  auto load = reporter.times.find("object/load_120k_triangles");
  // CPU time too: on a shared machine the wall clock also counts other work.
  if (floor != reporter.times.end() && load != reporter.times.end() && floor->second.real > 0.0 &&
      floor->second.cpu > 0.0)
    std::cout << "load / read-bytes ratio: " << load->second.real / floor->second.real << " real, "
              << load->second.cpu / floor->second.cpu << " CPU (load " << load->second.real << " ms real, "
              << load->second.cpu << " ms CPU per object)\n";
  std::filesystem::remove(objectPath);
  benchmark::Shutdown();
  return 0;
}
