#include <cstdint>
#include <filesystem>
#include <vector>

#include "DataMaker.h"
#include "LwoWriter.h"
#include "PngWriter.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

// Orbit's data: a sky of two colours, a red cube and 32 seconds of music,
// all from the project's own writers, the same bytes on every run.

namespace {

const uint32_t skySize = 256;

// Blue above, orange below.
std::vector<uint8_t> sky() {
  std::vector<uint8_t> rgb;
  for (uint32_t y = 0; y < skySize; ++y)
    for (uint32_t x = 0; x < skySize; ++x) {
      const bool above = y < skySize / 2;
      rgb.insert(rgb.end(), {static_cast<uint8_t>(above ? 30 : 240), static_cast<uint8_t>(above ? 60 : 140),
                             static_cast<uint8_t>(above ? 220 : 20)});
    }
  return rgb;
}

LwoModel redCube() {
  LwoModel model;
  for (int i = 0; i < 8; ++i)
    model.points.push_back({i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f});
  const uint32_t faces[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                                {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
  for (const auto& face : faces) {
    model.triangles.push_back({{face[0], face[1], face[2]}, 0});
    model.triangles.push_back({{face[0], face[2], face[3]}, 0});
  }
  LwoModel::Surface red;
  red.name = "red";
  red.color[0] = 0.9f;
  red.color[1] = 0.1f;
  red.color[2] = 0.1f;
  model.surfaces.push_back(red);
  return model;
}

} // namespace

void writeProductionData(const std::string& folder) {
  const std::filesystem::path data = std::filesystem::path(folder) / "data";
  std::error_code error;
  std::filesystem::create_directories(data, error);
  if (error) throw "Could not create the data folder!";
  writeRgbPng((data / "sky.png").string(), skySize, skySize, sky());
  saveFile((data / "cube.lwo").string(), writeLwo(redCube()));
  music::writeFileBytes((data / "orbit.ogg").string(), music::encodeVorbis(music::renderTestMusic(32.0)));
}
