#include "DataCheck.h"
#include "PngImage.h"
#include "Texture.h"

namespace datacheck {
namespace {

bool powerOfTwo(uint32_t n) {
  return n != 0 && (n & (n - 1)) == 0;
}

std::string describe(const PngImage& image) {
  static const char* const kinds[] = {"grey", "?", "RGB", "palette", "grey + alpha", "?", "RGBA"};
  const int type = image.colourType;
  const std::string kind = type >= 0 && type <= 6 ? kinds[type] : "?";
  return std::to_string(image.bitDepth) + "-bit " + kind;
}

} // namespace

std::vector<std::string> checkPicture(const std::string& path) {
  std::vector<std::string> problems;
  try {
    PngImage image(path.c_str());
    if (textureUploadFor(image) == TextureUpload::None)
      problems.push_back(path + ": is " + describe(image) +
                         ", which shows as a blank quad; save it as 8-bit RGB or RGBA");
    if (!powerOfTwo(image.width) || !powerOfTwo(image.height))
      problems.push_back(
          path + ": is " + std::to_string(image.width) + " x " + std::to_string(image.height) +
          ", OpenGL 1.1 shows it as a blank quad; scale it to power-of-two sides (e.g. 512 x 512)");
  } catch (const char* message) {
    problems.push_back(
        loaderProblem(path, message, "a PNG picture, 8-bit RGB or RGBA, with power-of-two sides"));
  }
  return problems;
}

} // namespace datacheck
