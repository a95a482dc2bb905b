#include "Mp4Writer.h"

#include <stdexcept>

extern "C" {
#include <libavformat/avformat.h>
}

#include "AudioStream.h"
#include "FfmpegError.h"

Mp4Writer::Mp4Writer(const std::string& path, const VideoSettings& video) {
  AVFormatContext* made = nullptr;
  checkFfmpeg(avformat_alloc_output_context2(&made, nullptr, "mp4", path.c_str()), "setting up MP4");
  format.reset(made);
  format->flags |= AVFMT_FLAG_BITEXACT;
  videoStream = std::make_unique<VideoStream>(made, video);
  audioStream = std::make_unique<AudioStream>(made);
  checkFfmpeg(avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE), path);
  AVDictionary* options = nullptr;
  // The index up front: players can start before the whole file is there.
  av_dict_set(&options, "movflags", "+faststart", 0);
  const int result = avformat_write_header(format.get(), &options);
  av_dict_free(&options);
  checkFfmpeg(result, path);
}

Mp4Writer::~Mp4Writer() = default;

void Mp4Writer::FormatCloser::operator()(AVFormatContext* format) const {
  avio_closep(&format->pb);
  avformat_free_context(format);
}

void Mp4Writer::writeAudio(const int16_t* pcm, size_t frames) {
  audioStream->write(pcm, frames);
}

void Mp4Writer::finish() {
  videoStream->finish();
  audioStream->finish();
  checkFfmpeg(av_write_trailer(format.get()), "completing the video file");
  checkFfmpeg(avio_closep(&format->pb), "completing the video file");
}
