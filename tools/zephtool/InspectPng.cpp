#include <fstream>

#include "Inspector.h"
#include "PngImage.h"
#include "Sha256.h"
#include "Texture.h"

namespace {

const std::string signature("\x89PNG\r\n\x1a\n", 8);

// The loader itself checks the first four signature bytes and leaves the
// rest to libpng, so a damaged second half still gets the loader's message.
bool recognises(const std::string& head) {
  return head.size() >= 4 && head.compare(0, 4, signature, 0, 4) == 0;
}

// IHDR is the first chunk; its last byte is the interlace method.
bool isInterlaced(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char header[29] = {};
  in.read(header, sizeof header);
  return in && header[28] != 0;
}

Json textureKind(const PngImage& image) {
  switch (textureUploadFor(image)) {
  case TextureUpload::Rgb: return "RGB";
  case TextureUpload::Rgba: return "RGBA";
  case TextureUpload::None: break;
  }
  return nullptr;
}

Json inspect(const std::string& path, bool) {
  PngImage image(path.c_str());
  uint64_t rowBytes = (uint64_t{image.width} * static_cast<uint64_t>(image.bitsPerPixel) + 7) / 8;
  size_t blockBytes = static_cast<size_t>(rowBytes * image.height);
  return Json::object({{"format", "PNG"},
                       {"width", image.width},
                       {"height", image.height},
                       {"bitsPerPixel", image.bitsPerPixel},
                       {"colourType", image.colourType},
                       {"bitDepth", image.bitDepth},
                       {"interlaced", isInterlaced(path)},
                       {"rowBytes", rowBytes},
                       {"pixelsSha256", sha256Hex(image.pixels, blockBytes)},
                       {"texture", textureKind(image)}});
}

} // namespace

const Inspector pngInspector = {"PNG", {".png"}, recognises, inspect};
