// `zephtool inspect` for music: what the system's own sources make of a file.
#include <memory>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "Inspector.h"
#include "RawProvider.h"

namespace {

// Raw PCM has no header: only its name says what it is.
bool recognises(const std::string& head) {
  return head.compare(0, 4, "OggS") == 0;
}

Json rawReport(AudioFile& file) {
  file.seek(0, SEEK_END);
  int32_t bytes = file.tell();
  return Json::object({{"format", "RawPCM"},
                       {"sampleRate", 44100},
                       {"channels", 2},
                       {"seconds", number(static_cast<double>(bytes) / 176400.0)},
                       {"bytes", bytes}});
}

Json linkReport(OggVorbis_File& vorbis, int link) {
  vorbis_info* info = ov_info(&vorbis, link);
  return Json::object({{"serial", static_cast<int64_t>(ov_serialnumber(&vorbis, link))},
                       {"sampleRate", static_cast<int64_t>(info->rate)},
                       {"channels", info->channels},
                       {"seconds", number(ov_time_total(&vorbis, link))},
                       {"nominalBitrate", static_cast<int64_t>(info->bitrate_nominal)}});
}

Json vorbisReport(const std::string& path) {
  OggVorbis_File vorbis;
  // The system's source has opened it already; this second decoder only reads the headers.
  if (ov_fopen(path.c_str(), &vorbis) < 0) throw "Could not set OggVorbis callbacks!";
  vorbis_info* first = ov_info(&vorbis, 0);
  Json links = Json::array();
  bool playable = true;
  for (int link = 0; link < ov_streams(&vorbis); ++link) {
    links.push_back(linkReport(vorbis, link));
    vorbis_info* info = ov_info(&vorbis, link);
    playable = playable && info->rate == 44100 && info->channels == 2;
  }
  vorbis_comment* comment = ov_comment(&vorbis, 0);
  Json report = Json::object({{"format", "OggVorbis"},
                              {"sampleRate", static_cast<int64_t>(first->rate)},
                              {"channels", first->channels},
                              {"seconds", number(ov_time_total(&vorbis, -1))},
                              {"samples", static_cast<int64_t>(ov_pcm_total(&vorbis, -1))},
                              {"vendor", comment && comment->vendor ? comment->vendor : ""},
                              {"playsAt44100Stereo", playable},
                              {"links", links}});
  ov_clear(&vorbis);
  return report;
}

Json inspect(const std::string& path, bool) {
  std::unique_ptr<AudioFile> file(createAudioFile(path.c_str(), -1));
  std::unique_ptr<AudioProvider> provider(createAudioProvider(file.get()));
  if (dynamic_cast<RawProvider*>(provider.get())) return rawReport(*file);
  return vorbisReport(path);
}

} // namespace

const Inspector audioInspector = {"Audio", {".ogg", ".raw"}, recognises, inspect};
