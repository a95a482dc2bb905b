// Loading PNG pictures: PngImage against libpng's simplified API and against
// the floor of inflating the same image data with zlib.
#include <benchmark/benchmark.h>

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "PngImage.h"
#include "PngWriter.h"
#include "Ratios.h"

namespace {

struct Sample {
  uint32_t side;
  bool alpha;
  std::string name;
  std::string path;
  std::string imageData; // the IDAT chunks' bytes, joined
  size_t rawBytes = 0;   // filter bytes and rows, inflated
};

// Gradients under a little noise, as a photograph-like picture compresses.
std::vector<uint8_t> pictureBytes(uint32_t side, uint32_t channels) {
  std::vector<uint8_t> bytes;
  bytes.reserve(size_t{side} * side * channels);
  uint32_t noise = 12345;
  for (uint32_t y = 0; y < side; ++y) {
    for (uint32_t x = 0; x < side; ++x) {
      noise = noise * 1103515245u + 12345u;
      const uint32_t jitter = (noise >> 16) & 15;
      bytes.push_back(static_cast<uint8_t>(x * 255 / side + jitter));
      bytes.push_back(static_cast<uint8_t>(y * 255 / side + jitter));
      bytes.push_back(static_cast<uint8_t>(((x ^ y) & 0x7F) + jitter));
      if (channels == 4) bytes.push_back(static_cast<uint8_t>(255 - (x + y) * 127 / side));
    }
  }
  return bytes;
}

uint32_t bigEndian(const char* at) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(at);
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

// The IDAT chunks' data, back to back: the zlib stream of the rows.
std::string imageData(const std::string& file) {
  std::string data;
  for (size_t at = 8; at + 12 <= file.size();) {
    const uint32_t length = bigEndian(&file[at]);
    if (file.compare(at + 4, 4, "IDAT") == 0) data.append(file, at + 8, length);
    at += 12 + length;
  }
  return data;
}

void loadPngImage(benchmark::State& state, const Sample* sample) {
  for (auto _ : state) {
    PngImage image(sample->path.c_str());
    benchmark::DoNotOptimize(image.pixels);
  }
}

void loadSimplified(benchmark::State& state, const Sample* sample) {
  for (auto _ : state) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, sample->path.c_str())) {
      state.SkipWithError(image.message);
      break;
    }
    image.format = sample->alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::unique_ptr<png_byte[]> pixels(new png_byte[PNG_IMAGE_SIZE(image)]);
    if (!png_image_finish_read(&image, nullptr, pixels.get(), 0, nullptr)) {
      state.SkipWithError(image.message);
      break;
    }
    benchmark::DoNotOptimize(pixels.get());
  }
}

void inflateImageData(benchmark::State& state, const Sample* sample) {
  std::unique_ptr<Bytef[]> raw(new Bytef[sample->rawBytes]);
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(sample->rawBytes);
    const int result = uncompress(raw.get(), &size, reinterpret_cast<const Bytef*>(sample->imageData.data()),
                                  static_cast<uLong>(sample->imageData.size()));
    if (result != Z_OK || size != sample->rawBytes) state.SkipWithError("inflate failed");
    benchmark::DoNotOptimize(raw.get());
  }
}

} // namespace

int main(int argc, char** argv) {
  std::vector<Sample> samples;
  for (uint32_t side : {512u, 1024u, 2048u})
    for (bool alpha : {false, true})
      samples.push_back({side, alpha, std::to_string(side) + (alpha ? "_rgba" : "_rgb"), {}, {}, 0});
  std::vector<Ratio> ratios;
  for (Sample& sample : samples) {
    const uint32_t channels = sample.alpha ? 4 : 3;
    sample.path = (std::filesystem::temp_directory_path() / ("zeph-bench-" + sample.name + ".png")).string();
    const std::vector<uint8_t> pixels = pictureBytes(sample.side, channels);
    if (sample.alpha)
      writeRgbaPng(sample.path, sample.side, sample.side, pixels);
    else
      writeRgbPng(sample.path, sample.side, sample.side, pixels);
    std::string file(std::filesystem::file_size(sample.path), '\0');
    std::ifstream(sample.path, std::ios::binary).read(&file[0], static_cast<std::streamsize>(file.size()));
    sample.imageData = imageData(file);
    sample.rawBytes = size_t{sample.side} * (size_t{sample.side} * channels + 1);

    const std::string own = "png/" + sample.name + "/PngImage", simplified = "png/" + sample.name + "/libpng",
                      floor = "png/" + sample.name + "/inflate";
    benchmark::RegisterBenchmark(own.c_str(), loadPngImage, &sample)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(simplified.c_str(), loadSimplified, &sample)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(floor.c_str(), inflateImageData, &sample)->Unit(benchmark::kMillisecond);
    ratios.push_back({"png " + sample.name + " PngImage / libpng", own, simplified});
    ratios.push_back({"png " + sample.name + " PngImage / inflate", own, floor});
  }
  int status = runWithRatios(argc, argv, ratios);
  for (const Sample& sample : samples)
    std::filesystem::remove(sample.path);
  return status;
}
