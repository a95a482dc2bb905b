#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "EncodedStream.h"

struct SwrContext;

// The music as an AAC stream: 44100 Hz, stereo, from 16-bit interleaved
// samples, gathered into the encoder's whole frames.
class AudioStream {
public:
  explicit AudioStream(AVFormatContext* format);
  ~AudioStream();

  void write(const int16_t* pcm, size_t frames);
  // The rest as a shorter last frame, then the encoder's delayed output.
  void finish();

private:
  void encode(const int16_t* pcm, int frames);

  EncodedStream stream;
  SwrContext* converter = nullptr;
  AVFrame* frame = nullptr;
  std::vector<int16_t> pending; // fewer samples than one encoder frame
  int64_t next = 0;
};
