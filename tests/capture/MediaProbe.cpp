#include "MediaProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <vorbis/vorbisfile.h>

namespace {

void describe(const AVStream* stream, VideoFileFacts& facts) {
  const AVCodecParameters* codec = stream->codecpar;
  if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
    ++facts.videoStreams;
    facts.videoCodec = avcodec_get_name(codec->codec_id);
    facts.width = codec->width;
    facts.height = codec->height;
    facts.frameRateNum = stream->avg_frame_rate.num;
    facts.frameRateDen = stream->avg_frame_rate.den;
    facts.videoSeconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
  } else if (codec->codec_type == AVMEDIA_TYPE_AUDIO) {
    ++facts.audioStreams;
    facts.audioCodec = avcodec_get_name(codec->codec_id);
    facts.sampleRate = codec->sample_rate;
    facts.channels = codec->ch_layout.nb_channels;
  }
}

uint32_t little(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
  return value;
}

} // namespace

VideoFileFacts probeVideoFile(const std::string& path) {
  VideoFileFacts facts;
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return facts;
  if (avformat_find_stream_info(format, nullptr) >= 0) {
    facts.opened = true;
    for (unsigned i = 0; i < format->nb_streams; ++i)
      describe(format->streams[i], facts);
    facts.fileSeconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(format, packet) >= 0) {
      if (format->streams[packet->stream_index]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
        ++facts.videoPackets;
      av_packet_unref(packet);
    }
    av_packet_free(&packet);
  }
  avformat_close_input(&format);
  return facts;
}

std::vector<int16_t> decodeMusic(const std::string& path, int64_t first, int64_t frames) {
  std::vector<int16_t> all;
  OggVorbis_File vorbis;
  if (ov_fopen(path.c_str(), &vorbis) != 0) return all;
  char buffer[4096];
  int section = 0;
  long n = 0;
  const auto wanted = static_cast<size_t>((first + frames) * 2);
  while (all.size() < wanted && (n = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section)) != 0) {
    if (n < 0) continue; // a hole in the data
    const auto* samples = reinterpret_cast<const int16_t*>(buffer);
    all.insert(all.end(), samples, samples + n / 2);
  }
  ov_clear(&vorbis);
  all.resize(wanted, 0);
  return std::vector<int16_t>(all.begin() + first * 2, all.end());
}

WavFile parseWav(const std::string& bytes) {
  WavFile wav;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 ||
      bytes.compare(36, 4, "data") != 0 || little(bytes, 20, 2) != 1)
    return wav;
  wav.channels = static_cast<int>(little(bytes, 22, 2));
  wav.sampleRate = static_cast<int>(little(bytes, 24, 4));
  wav.bitsPerSample = static_cast<int>(little(bytes, 34, 2));
  const size_t dataBytes = little(bytes, 40, 4);
  if (44 + dataBytes != bytes.size() || little(bytes, 4, 4) != 36 + dataBytes) return wav;
  wav.samples.resize(dataBytes / 2);
  for (size_t i = 0; i < wav.samples.size(); ++i)
    wav.samples[i] = static_cast<int16_t>(little(bytes, 44 + 2 * i, 2));
  return wav;
}
