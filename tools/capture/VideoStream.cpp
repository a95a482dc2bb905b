#include "VideoStream.h"

#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
#include <libswscale/swscale.h>
}

#include "FfmpegError.h"

namespace {

const AVCodec* h264Encoder() {
  const AVCodec* x264 = avcodec_find_encoder_by_name("libx264");
  return x264 ? x264 : avcodec_find_encoder(AV_CODEC_ID_H264);
}

void describe(AVCodecContext* codec, const VideoSettings& settings) {
  codec->width = settings.width;
  codec->height = settings.height;
  codec->pix_fmt = AV_PIX_FMT_YUV420P;
  codec->time_base = AVRational{1, settings.fps};
  codec->framerate = AVRational{settings.fps, 1};
  codec->thread_count = settings.threads;
  codec->colorspace = AVCOL_SPC_SMPTE170M;
  codec->color_primaries = AVCOL_PRI_SMPTE170M;
  codec->color_trc = AVCOL_TRC_SMPTE170M;
  codec->color_range = AVCOL_RANGE_MPEG;
}

} // namespace

VideoStream::VideoStream(AVFormatContext* format, const VideoSettings& settings)
    : stream(format, h264Encoder()) {
  describe(stream.context(), settings);
  AVDictionary* options = nullptr;
  av_dict_set(&options, "preset", settings.preset, 0);
  av_dict_set(&options, "crf", settings.crf, 0);
  stream.open(&options);
  av_dict_free(&options);

  // Bit-exact: the same pixels on every machine, whatever its instruction set.
  scaler = sws_getContext(settings.width, settings.height, AV_PIX_FMT_RGBA, settings.width, settings.height,
                          AV_PIX_FMT_YUV420P, SWS_BILINEAR | SWS_BITEXACT | SWS_ACCURATE_RND, nullptr,
                          nullptr, nullptr);
  frame = av_frame_alloc();
  if (!scaler || !frame) throw std::runtime_error("out of memory");
  frame->format = AV_PIX_FMT_YUV420P;
  frame->width = settings.width;
  frame->height = settings.height;
  frame->colorspace = AVCOL_SPC_SMPTE170M;
  frame->color_range = AVCOL_RANGE_MPEG;
  checkFfmpeg(av_frame_get_buffer(frame, 0), "allocating a video frame");
}

VideoStream::~VideoStream() {
  av_frame_free(&frame);
  sws_freeContext(scaler);
}

void VideoStream::convert(const uint8_t* rgba) {
  // The encoder may still hold the previous frame's pictures.
  checkFfmpeg(av_frame_make_writable(frame), "allocating a video frame");
  const uint8_t* const planes[1] = {rgba};
  const int strides[1] = {frame->width * 4};
  sws_scale(scaler, planes, strides, 0, frame->height, frame->data, frame->linesize);
}

void VideoStream::encode() {
  frame->pts = next++;
  stream.send(frame);
}
