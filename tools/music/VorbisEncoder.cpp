#include "VorbisEncoder.h"

#include <algorithm>
#include <fstream>

#include <vorbis/vorbisenc.h>

namespace music {

namespace {

// libvorbis's encoder state for one logical stream, released on every path.
class StreamEncoder {
public:
  StreamEncoder(const Pcm& pcm, const VorbisSettings& settings) {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
    if (pcm.channels < 1 ||
        vorbis_encode_init_vbr(&info, pcm.channels, pcm.sampleRate, settings.quality) != 0) {
      vorbis_comment_clear(&comment);
      vorbis_info_clear(&info);
      throw "Vorbis encoder setup failed!";
    }
    for (const auto& tag : settings.comments)
      vorbis_comment_add_tag(&comment, tag.first.c_str(), tag.second.c_str());
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_init(&stream, settings.serial);
  }

  ~StreamEncoder() {
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }

  StreamEncoder(const StreamEncoder&) = delete;
  StreamEncoder& operator=(const StreamEncoder&) = delete;

  void encode(const Pcm& pcm, std::string& out) {
    writeHeaders(out);
    const size_t chunk = 1024;
    for (size_t first = 0; first < pcm.frames(); first += chunk) {
      size_t count = std::min(chunk, pcm.frames() - first);
      float** channels = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (size_t i = 0; i < count; ++i)
        for (int c = 0; c < pcm.channels; ++c)
          channels[c][i] = pcm.at(first + i, c);
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      drain(out);
    }
    vorbis_analysis_wrote(&dsp, 0); // end of stream
    drain(out);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
      append(page, out);
  }

private:
  void writeHeaders(std::string& out) {
    ogg_packet identification, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream, &identification);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    // Audio starts on a page of its own.
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
      append(page, out);
  }

  void drain(std::string& out) {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream, &page) != 0)
          append(page, out);
      }
    }
  }

  static void append(const ogg_page& page, std::string& out) {
    out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
  }

  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
};

} // namespace

std::string encodeVorbis(const Pcm& pcm, const VorbisSettings& settings) {
  std::string out;
  StreamEncoder encoder(pcm, settings);
  encoder.encode(pcm, out);
  return out;
}

std::string encodeVorbisChain(const std::vector<Pcm>& parts, const VorbisSettings& settings) {
  std::string out;
  VorbisSettings link = settings;
  for (const Pcm& part : parts) {
    out += encodeVorbis(part, link);
    ++link.serial;
  }
  return out;
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw "Could not write file!";
}

} // namespace music
