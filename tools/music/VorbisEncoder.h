#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Pcm.h"

namespace music {

struct VorbisSettings {
  float quality = 0.4f;    // libvorbisenc's VBR quality, -0.1 ... 1
  int serial = 0x7a657068; // Ogg stream serial number; fixed, so output bytes are too
  std::vector<std::pair<std::string, std::string>> comments; // e.g. {"TITLE", "..."}
};

// One logical Ogg Vorbis stream holding `pcm`. Throws "Vorbis encoder setup failed!"
// for a rate or channel count that libvorbisenc cannot encode.
std::string encodeVorbis(const Pcm& pcm, const VorbisSettings& settings = {});

// A chained file: one logical stream per part, back to back; part i gets
// serial number settings.serial + i.
std::string encodeVorbisChain(const std::vector<Pcm>& parts, const VorbisSettings& settings = {});

// Writes `bytes` to `path`; throws "Could not write file!".
void writeFileBytes(const std::string& path, const std::string& bytes);

} // namespace music
