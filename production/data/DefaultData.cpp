#include "DefaultData.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "Knot.h"
#include "LwoWriter.h"
#include "Music.h"
#include "Pictures.h"
#include "PngWriter.h"
#include "VorbisEncoder.h"

namespace defaultdata {

void write(const std::string& folder) {
  const std::filesystem::path data = std::filesystem::path(folder) / "data";
  std::error_code error;
  std::filesystem::create_directories(data, error);
  if (error) throw "Could not create the data folder!";
  auto path = [&data](const char* name) { return (data / name).string(); };

  for (const DefaultPicture& picture : defaultPictures) {
    const std::vector<uint8_t> pixels = renderPicture(picture);
    if (picture.channels == 4)
      writeRgbaPng(path(picture.fileName), pictureSize, pictureSize, pixels);
    else
      writeRgbPng(path(picture.fileName), pictureSize, pictureSize, pixels);
  }
  try {
    saveFile(path(objectFile), writeLwo(knotModel()));
  } catch (const std::runtime_error&) {
    throw "Could not write file!";
  }
  music::writeFileBytes(path(musicFile), defaultmusic::oggVorbis());
}

} // namespace defaultdata
