// The cost of one frame of the production drawn off screen (Mesa), with its
// default object and with an object of 100 000 triangles. CPU time is the
// whole process's: the renderer's own threads draw too.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "DefaultSet.h"
#include "LwoObject.h"
#include "LwoWriter.h"
#include "OffscreenProduction.h"
#include "Production.h"
#include "Ratios.h"

namespace {

// Music time with a picture and the object on screen.
const double frameSeconds = 30.0;

// A sphere of 250 x 200 quads, two triangles each, about the default object's size.
std::string sphereObject() {
  const uint32_t around = 250, down = 200;
  LwoModel model;
  const float pi = 3.14159265f;
  for (uint32_t y = 0; y <= down; ++y) {
    for (uint32_t x = 0; x <= around; ++x) {
      const float a = 2.0f * pi * static_cast<float>(x) / around, b = pi * static_cast<float>(y) / down;
      const float r = 0.3f + 0.02f * std::sin(9.0f * a) * std::sin(7.0f * b);
      model.points.push_back({r * std::sin(b) * std::cos(a), r * std::cos(b), r * std::sin(b) * std::sin(a)});
    }
  }
  for (uint32_t y = 0; y < down; ++y) {
    for (uint32_t x = 0; x < around; ++x) {
      const uint32_t p = y * (around + 1) + x, q = p + 1, r = p + around + 1, s = r + 1;
      model.triangles.push_back({{p, q, s}, 0});
      model.triangles.push_back({{p, s, r}, 0});
    }
  }
  model.longIndices = true;
  model.surfaces = {{"Skin", {0.8f, 0.8f, 0.9f}, 1.0f, 0.2f, 0.0f}};
  return writeLwo(model);
}

OffscreenProduction* production = nullptr;
LwoObject* defaultObject = nullptr;
LwoObject* largeObject = nullptr;

void drawFrames(benchmark::State& state, LwoObject* const* object) {
  sceneObject = *object;
  production->setMusicTime(frameSeconds);
  for (auto _ : state)
    production->drawFrame();
  state.counters["triangles"] = (*object)->mesh.triangleCount;
}

} // namespace

int main(int argc, char** argv) {
  const std::string largePath = (std::filesystem::temp_directory_path() / "zeph-bench-sphere.lwo").string();
  saveFile(largePath, sphereObject());
  production = new OffscreenProduction(defaultSetFolder());
  defaultObject = sceneObject;
  largeObject = new LwoObject();
  largeObject->load(largePath.c_str());
  std::filesystem::remove(largePath);

  benchmark::RegisterBenchmark("frame/default_object", drawFrames, &defaultObject)
      ->Unit(benchmark::kMillisecond)
      ->MeasureProcessCPUTime();
  benchmark::RegisterBenchmark("frame/100k_triangles", drawFrames, &largeObject)
      ->Unit(benchmark::kMillisecond)
      ->MeasureProcessCPUTime();
  return runWithRatios(argc, argv,
                       {{"frame, default object, ms", "frame/default_object/process_time", ""},
                        {"frame, 100k triangles, ms", "frame/100k_triangles/process_time", ""},
                        {"frame 100k triangles / default object", "frame/100k_triangles/process_time",
                         "frame/default_object/process_time"}});
}
