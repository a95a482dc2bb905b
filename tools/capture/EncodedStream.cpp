#include "EncodedStream.h"

#include <stdexcept>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

#include "FfmpegError.h"

EncodedStream::EncodedStream(AVFormatContext* file, const AVCodec* encoder) : format(file) {
  if (!encoder) throw std::runtime_error("FFmpeg has no encoder for the capture's stream");
  codec = avcodec_alloc_context3(encoder);
  packet = av_packet_alloc();
  stream = avformat_new_stream(format, nullptr);
  if (!codec || !packet || !stream) throw std::runtime_error("out of memory");
  codec->flags |= AV_CODEC_FLAG_BITEXACT;
  if (format->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

EncodedStream::~EncodedStream() {
  av_packet_free(&packet);
  avcodec_free_context(&codec);
}

void EncodedStream::open(AVDictionary** options) {
  const std::string name = codec->codec->name;
  checkFfmpeg(avcodec_open2(codec, codec->codec, options), "opening the " + name + " encoder");
  if (options && av_dict_count(*options) > 0)
    throw std::runtime_error("the " + name + " encoder does not know the option " +
                             av_dict_get(*options, "", nullptr, AV_DICT_IGNORE_SUFFIX)->key);
  checkFfmpeg(avcodec_parameters_from_context(stream->codecpar, codec), "describing the " + name + " stream");
  stream->time_base = codec->time_base;
}

void EncodedStream::send(AVFrame* frame) {
  checkFfmpeg(avcodec_send_frame(codec, frame), "encoding");
  for (;;) {
    const int result = avcodec_receive_packet(codec, packet);
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
    checkFfmpeg(result, "encoding");
    // x264 leaves the duration out; without it the file would end at the
    // start of the last frame instead of at its end. One tick is one frame.
    if (packet->duration == 0 && codec->codec_type == AVMEDIA_TYPE_VIDEO) packet->duration = 1;
    av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    checkFfmpeg(av_interleaved_write_frame(format, packet), "writing the video file");
  }
}
