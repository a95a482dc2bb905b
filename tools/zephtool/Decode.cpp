// `zephtool decode FILE OUT.raw`: the PCM that the system's own source delivers.
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "Commands.h"
#include "ProductionInfo.h"

namespace {

// One output buffer's worth: one second of playback.
const uint32_t fillBytes = 176400;

void decodeTo(const std::string& path, std::ofstream& out) {
  std::unique_ptr<AudioFile> file(createAudioFile(path.c_str(), -1));
  std::unique_ptr<AudioProvider> provider(createAudioProvider(file.get()));
  std::vector<uint8_t> buffer(fillBytes);
  bool more = true;
  while (more) {
    more = provider->fill(buffer.data(), fillBytes);
    // Only what the source delivered: the silence after the music's end is left out.
    out.write(reinterpret_cast<const char*>(buffer.data()), provider->getLastFillBytes());
  }
}

} // namespace

int decodeCommand(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "usage: " << productionInfo().name << "tool decode FILE OUT.raw" << std::endl;
    return 2;
  }
  std::ofstream out(args[1], std::ios::binary);
  if (!out) {
    std::cerr << args[1] << ": cannot write" << std::endl;
    return 1;
  }
  try {
    decodeTo(args[0], out);
  } catch (const char* message) {
    std::cerr << message << std::endl;
    return 1;
  }
  out.close();
  if (!out) {
    std::cerr << args[1] << ": cannot write" << std::endl;
    return 1;
  }
  return 0;
}
