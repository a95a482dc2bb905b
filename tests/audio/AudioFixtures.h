#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "TempDir.h"

// Ogg Vorbis test music made by the project's own synthesizer and encoder.
std::string oggBytes(double seconds, int rate = 44100, int channels = 2);
std::string writeOgg(const TempDir& dir, const std::string& name, double seconds, int rate = 44100,
                     int channels = 2);

// Bytes of the playback format for `seconds` of audio at 44100 Hz, two channels.
inline uint32_t playbackBytes(double seconds) {
  return static_cast<uint32_t>(seconds * 44100 + 0.5) * 4;
}

// Everything the system's source delivers for `path`, in one fill large
// enough for the whole music, so that no end-of-file rule cuts it short.
std::vector<uint8_t> decodeWhole(const std::string& path, uint32_t capacity);

// The millisecond timer as a test scripts it: installScriptedTimer makes the
// clock and the outputs read `scriptedMs`; setMillisecondTimer(nullptr) gives
// them the platform's own again.
extern std::atomic<uint32_t> scriptedMs;
void installScriptedTimer(uint32_t startMs);
