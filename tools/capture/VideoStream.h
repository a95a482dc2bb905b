#pragma once

#include <cstdint>

#include "EncodedStream.h"

struct SwsContext;

// How the video is coded: H.264 through x264 at a constant quality.
struct VideoSettings {
  int width = 640;
  int height = 480;
  int fps = 60;
  const char* preset = "veryfast";
  const char* crf = "18";
  // A fixed count, not one per core: the coded stream depends on it.
  int threads = 2;
};

// The capture's frames as an H.264 stream in 4:2:0 (BT.601, limited range,
// as players expect of standard-definition video), one frame per 1/fps s.
class VideoStream {
public:
  VideoStream(AVFormatContext* format, const VideoSettings& settings);
  ~VideoStream();

  // Colour conversion of one frame: RGBA, top row first.
  void convert(const uint8_t* rgba);
  // Encodes the frame that convert made, as the next one.
  void encode();
  void finish() { stream.send(nullptr); }

private:
  EncodedStream stream;
  SwsContext* scaler = nullptr;
  AVFrame* frame = nullptr;
  int64_t next = 0;
};
