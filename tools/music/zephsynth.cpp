// zephsynth: renders the test music and writes it as Ogg Vorbis (or raw PCM).
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "Pcm.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

int usage() {
  std::cerr << "usage: zephsynth [--seconds S] [--rate R] [--channels C] [--quality Q]\n"
               "                 [--chain S:R:C]... [--raw] OUT\n"
               "  Writes S seconds (default 5) of test music as Ogg Vorbis, or with --raw as\n"
               "  16-bit little-endian PCM. Each --chain appends a logical stream.\n";
  return 2;
}

struct Part {
  double seconds = 5.0;
  int rate = 44100;
  int channels = 2;
};

bool parseChain(const std::string& text, Part& part) {
  size_t first = text.find(':'), second = text.find(':', first + 1);
  if (first == std::string::npos || second == std::string::npos) return false;
  part.seconds = std::atof(text.substr(0, first).c_str());
  part.rate = std::atoi(text.substr(first + 1, second - first - 1).c_str());
  part.channels = std::atoi(text.substr(second + 1).c_str());
  return part.seconds >= 0.0 && part.rate > 0 && part.channels > 0;
}

} // namespace

int main(int argc, char** argv) {
  std::vector<Part> parts(1);
  music::VorbisSettings settings;
  bool raw = false;
  std::string out;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--seconds" && hasValue)
      parts[0].seconds = std::atof(argv[++i]);
    else if (arg == "--rate" && hasValue)
      parts[0].rate = std::atoi(argv[++i]);
    else if (arg == "--channels" && hasValue)
      parts[0].channels = std::atoi(argv[++i]);
    else if (arg == "--quality" && hasValue)
      settings.quality = static_cast<float>(std::atof(argv[++i]));
    else if (arg == "--chain" && hasValue) {
      parts.emplace_back();
      if (!parseChain(argv[++i], parts.back())) return usage();
    } else if (arg == "--raw")
      raw = true;
    else if (out.empty() && arg[0] != '-')
      out = arg;
    else
      return usage();
  }
  if (out.empty() || parts[0].rate <= 0 || parts[0].channels <= 0) return usage();
  try {
    std::vector<music::Pcm> pcm;
    for (const Part& part : parts)
      pcm.push_back(music::renderTestMusic(part.seconds, part.rate, part.channels));
    std::string bytes;
    if (raw) {
      for (const auto& p : pcm)
        bytes += music::toBytes(p);
    } else {
      bytes = music::encodeVorbisChain(pcm, settings);
    }
    music::writeFileBytes(out, bytes);
  } catch (const char* message) {
    std::cerr << message << std::endl;
    return 1;
  }
  return 0;
}
