// Loading LWO2 objects: the project's reader against Assimp's LWO importer
// (no post-processing) and against the floor of reading the file's bytes once.
#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "LwoObject.h"
#include "LwoWriter.h"
#include "Ratios.h"

namespace {

struct Sample {
  const char* name;
  uint32_t columns, rows; // quads, two triangles each
  bool longIndices;
  std::string path;
  int32_t triangles() const { return static_cast<int32_t>(2 * columns * rows); }
};

// 65 280 triangles with 2-byte indices, 120 000 with 4-byte ones.
Sample samples[] = {{"65k", 255, 128, false, {}}, {"120k", 300, 200, true, {}}};

// A grid of quads on two surfaces.
std::string gridObject(const Sample& sample) {
  LwoModel model;
  model.longIndices = sample.longIndices;
  for (uint32_t y = 0; y <= sample.rows; ++y)
    for (uint32_t x = 0; x <= sample.columns; ++x)
      model.points.push_back({static_cast<float>(x) * 0.01f, static_cast<float>(y) * 0.01f,
                              static_cast<float>((x * y) % 7) * 0.001f});
  for (uint32_t y = 0; y < sample.rows; ++y) {
    for (uint32_t x = 0; x < sample.columns; ++x) {
      uint32_t a = y * (sample.columns + 1) + x, b = a + 1, c = a + sample.columns + 1, d = c + 1;
      uint16_t surface = static_cast<uint16_t>((x + y) % 2);
      model.triangles.push_back({{a, b, d}, surface});
      model.triangles.push_back({{a, d, c}, surface});
    }
  }
  model.surfaces = {{"Opaque", {1, 0.5f, 0.25f}, 1.0f, 0.3f, 0.0f},
                    {"Glass", {0.2f, 0.4f, 1}, 0.9f, 0.0f, 0.5f}};
  return writeLwo(model);
}

void readBytes(benchmark::State& state, const Sample* sample) {
  std::vector<char> bytes(std::filesystem::file_size(sample->path));
  for (auto _ : state) {
    FILE* file = std::fopen(sample->path.c_str(), "rb");
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    benchmark::DoNotOptimize(got);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void loadObject(benchmark::State& state, const Sample* sample) {
  for (auto _ : state) {
    LwoObject object;
    object.load(sample->path.c_str());
    if (object.mesh.triangleCount != sample->triangles()) state.SkipWithError("wrong triangle count");
    benchmark::DoNotOptimize(object.mesh.vertexNormals.data());
  }
}

void loadWithAssimp(benchmark::State& state, const Sample* sample) {
  for (auto _ : state) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(sample->path, 0);
    if (!scene) {
      state.SkipWithError(importer.GetErrorString());
      break;
    }
    int64_t faces = 0;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
      faces += scene->mMeshes[m]->mNumFaces;
    if (faces != sample->triangles()) state.SkipWithError("wrong triangle count");
    benchmark::DoNotOptimize(scene);
  }
}

} // namespace

int main(int argc, char** argv) {
  std::vector<Ratio> ratios;
  for (Sample& sample : samples) {
    const std::string name = sample.name;
    sample.path = (std::filesystem::temp_directory_path() / ("zeph-bench-object-" + name + ".lwo")).string();
    saveFile(sample.path, gridObject(sample));
    const std::string read = "object/" + name + "/read_file_bytes", load = "object/" + name + "/load",
                      assimp = "object/" + name + "/assimp";
    benchmark::RegisterBenchmark(read.c_str(), readBytes, &sample)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(load.c_str(), loadObject, &sample)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(assimp.c_str(), loadWithAssimp, &sample)->Unit(benchmark::kMillisecond);
    ratios.push_back({"object " + name + " load, ms", load, ""});
    ratios.push_back({"object " + name + " assimp / load", assimp, load});
    ratios.push_back({"object " + name + " load / read bytes", load, read});
  }
  int status = runWithRatios(argc, argv, ratios);
  for (const Sample& sample : samples)
    std::filesystem::remove(sample.path);
  return status;
}
