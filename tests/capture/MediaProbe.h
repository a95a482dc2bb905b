#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What FFmpeg's libraries read from a video file.
struct VideoFileFacts {
  bool opened = false;
  int videoStreams = 0;
  int audioStreams = 0;
  std::string videoCodec;
  int width = 0;
  int height = 0;
  int frameRateNum = 0;
  int frameRateDen = 0;
  int64_t videoPackets = 0;
  double videoSeconds = 0.0;
  double fileSeconds = 0.0;
  std::string audioCodec;
  int sampleRate = 0;
  int channels = 0;
};

VideoFileFacts probeVideoFile(const std::string& path);

// The music decoded by vorbisfile itself, 16-bit stereo: `frames` sample
// frames from frame `first` on, silence past the music's end.
std::vector<int16_t> decodeMusic(const std::string& path, int64_t first, int64_t frames);

// A 16-bit PCM WAV file's format and samples, from its bytes; no samples
// when the header does not describe the file.
struct WavFile {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  std::vector<int16_t> samples;
};

WavFile parseWav(const std::string& bytes);
