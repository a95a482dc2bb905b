#include "AudioStream.h"

#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
#include <libswresample/swresample.h>
}

#include "FfmpegError.h"

namespace {

const int sampleRate = 44100;

AVChannelLayout stereo() {
  AVChannelLayout layout = {};
  av_channel_layout_default(&layout, 2);
  return layout;
}

} // namespace

AudioStream::AudioStream(AVFormatContext* format) : stream(format, avcodec_find_encoder(AV_CODEC_ID_AAC)) {
  AVChannelLayout layout = stereo();
  AVCodecContext* codec = stream.context();
  codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
  codec->sample_rate = sampleRate;
  checkFfmpeg(av_channel_layout_copy(&codec->ch_layout, &layout), "setting up the audio encoder");
  codec->bit_rate = 192000;
  codec->time_base = AVRational{1, sampleRate};
  AVDictionary* options = nullptr;
  // FFmpeg's default coder takes several times longer for little gain at this rate.
  av_dict_set(&options, "aac_coder", "fast", 0);
  stream.open(&options);
  av_dict_free(&options);

  checkFfmpeg(swr_alloc_set_opts2(&converter, &layout, AV_SAMPLE_FMT_FLTP, sampleRate, &layout,
                                  AV_SAMPLE_FMT_S16, sampleRate, 0, nullptr),
              "setting up the sample conversion");
  checkFfmpeg(swr_init(converter), "setting up the sample conversion");
  frame = av_frame_alloc();
  if (!frame) throw std::runtime_error("out of memory");
  frame->format = AV_SAMPLE_FMT_FLTP;
  frame->sample_rate = sampleRate;
  checkFfmpeg(av_channel_layout_copy(&frame->ch_layout, &layout), "allocating an audio frame");
  frame->nb_samples = codec->frame_size;
  checkFfmpeg(av_frame_get_buffer(frame, 0), "allocating an audio frame");
}

AudioStream::~AudioStream() {
  av_frame_free(&frame);
  swr_free(&converter);
}

void AudioStream::write(const int16_t* pcm, size_t frames) {
  const auto frameSize = static_cast<size_t>(stream.context()->frame_size);
  pending.insert(pending.end(), pcm, pcm + frames * 2);
  size_t used = 0;
  while (pending.size() - used >= frameSize * 2) {
    encode(pending.data() + used, static_cast<int>(frameSize));
    used += frameSize * 2;
  }
  pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(used));
}

void AudioStream::finish() {
  if (!pending.empty()) encode(pending.data(), static_cast<int>(pending.size() / 2));
  pending.clear();
  stream.send(nullptr);
}

void AudioStream::encode(const int16_t* pcm, int frames) {
  checkFfmpeg(av_frame_make_writable(frame), "allocating an audio frame");
  const auto* in = reinterpret_cast<const uint8_t*>(pcm);
  frame->nb_samples = frames;
  const int converted = swr_convert(converter, frame->data, frames, &in, frames);
  if (converted != frames) throw std::runtime_error("sample conversion lost samples");
  frame->pts = next;
  next += frames;
  stream.send(frame);
}
