// production_contact_sheet FOLDER OUT.png [WIDTH]
// The production's frames at 10, 30, 50 and 70 s of music, one per picture,
// rendered off screen from the data/ folder in FOLDER, scaled down to WIDTH
// pixels each (a divisor of 640; 160 unless given) and laid out two by two
// in an 8-bit RGB PNG. The object stands at the angle it would have turned
// to at 85 frames a second. The same inputs give the same bytes.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "OffscreenProduction.h"
#include "PngWriter.h"
#include "Production.h"

namespace {

const int frameWidth = 640;
const int frameHeight = 480;

// Averages each factor x factor block of a frame into one pixel of the sheet,
// whose top-left for this frame is (left, top).
void shrinkInto(const std::vector<uint8_t>& frame, int factor, std::vector<uint8_t>& sheet, int sheetWidth,
                int left, int top) {
  const int count = factor * factor;
  for (int y = 0; y < frameHeight / factor; ++y) {
    for (int x = 0; x < frameWidth / factor; ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < factor; ++dy)
          for (int dx = 0; dx < factor; ++dx)
            sum += frame[(static_cast<size_t>(y * factor + dy) * frameWidth + x * factor + dx) * 3 + c];
        sheet[(static_cast<size_t>(top + y) * sheetWidth + left + x) * 3 + c] =
            static_cast<uint8_t>((sum + count / 2) / count);
      }
    }
  }
}

} // namespace

int main(int argc, char** argv) {
  const int width = argc == 4 ? std::atoi(argv[3]) : 160;
  if ((argc != 3 && argc != 4) || width <= 0 || frameWidth % width != 0) {
    std::fprintf(stderr, "usage: production_contact_sheet FOLDER OUT.png [WIDTH dividing 640]\n");
    return 2;
  }
  const int factor = frameWidth / width;
  const int height = frameHeight / factor;
  std::vector<uint8_t> sheet(static_cast<size_t>(2 * width) * static_cast<size_t>(2 * height) * 3);
  // The production works inside FOLDER.
  const std::string out = std::filesystem::absolute(argv[2]).string();
  try {
    OffscreenProduction production(argv[1]);
    const double times[] = {10.0, 30.0, 50.0, 70.0};
    for (int i = 0; i < 4; ++i) {
      production.setMusicTime(times[i]);
      // drawFrame turns the object one step before drawing it.
      objectAngle = static_cast<float>(std::fmod(times[i] * 85.0 * 0.15, 360.0)) - 0.15f;
      production.drawFrame();
      shrinkInto(production.rgb(), factor, sheet, 2 * width, (i % 2) * width, (i / 2) * height);
    }
    writeRgbPng(out, static_cast<uint32_t>(2 * width), static_cast<uint32_t>(2 * height), sheet);
  } catch (const char* message) {
    std::fprintf(stderr, "production_contact_sheet: %s\n", message);
    return 1;
  }
  return 0;
}
