#include "Mp4Writer.h"

#include <stdexcept>

extern "C" {
#include <libavformat/avformat.h>
}

#include "AudioStream.h"
#include "FfmpegError.h"

Mp4Writer::Mp4Writer(const std::string& path, const VideoSettings& video) {
  checkFfmpeg(avformat_alloc_output_context2(&format, nullptr, "mp4", path.c_str()), "setting up MP4");
  format->flags |= AVFMT_FLAG_BITEXACT;
  videoStream = std::make_unique<VideoStream>(format, video);
  audioStream = std::make_unique<AudioStream>(format);
  checkFfmpeg(avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE), path);
  AVDictionary* options = nullptr;
  // The index up front: players can start before the whole file is there.
  av_dict_set(&options, "movflags", "+faststart", 0);
  const int result = avformat_write_header(format, &options);
  av_dict_free(&options);
  checkFfmpeg(result, path);
}

Mp4Writer::~Mp4Writer() {
  // Streams first: they hold pointers into the format context.
  videoStream.reset();
  audioStream.reset();
  if (format) avio_closep(&format->pb);
  avformat_free_context(format);
}

void Mp4Writer::writeAudio(const int16_t* pcm, size_t frames) {
  audioStream->write(pcm, frames);
}

void Mp4Writer::finish() {
  videoStream->finish();
  audioStream->finish();
  checkFfmpeg(av_write_trailer(format), "completing the video file");
  checkFfmpeg(avio_closep(&format->pb), "completing the video file");
}
