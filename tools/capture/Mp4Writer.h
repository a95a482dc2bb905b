#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "VideoStream.h"

class AudioStream;

// An MP4 file of H.264 video and AAC music. Written bit-exact: no time
// stamp and no library version in it, so that the same frames and samples
// give the same bytes. Throws std::runtime_error.
class Mp4Writer {
public:
  Mp4Writer(const std::string& path, const VideoSettings& video);
  ~Mp4Writer();
  Mp4Writer(const Mp4Writer&) = delete;
  Mp4Writer& operator=(const Mp4Writer&) = delete;

  VideoStream& video() { return *videoStream; }
  // Interleaved 16-bit stereo samples at 44100 Hz.
  void writeAudio(const int16_t* pcm, size_t frames);
  // Drains both encoders and completes the file.
  void finish();

private:
  // Frees the context and closes its file; declared before the streams,
  // which hold pointers into it, so that it goes after them, also when the
  // constructor throws.
  struct FormatCloser {
    void operator()(AVFormatContext* format) const;
  };
  std::unique_ptr<AVFormatContext, FormatCloser> format;
  std::unique_ptr<VideoStream> videoStream;
  std::unique_ptr<AudioStream> audioStream;
};
