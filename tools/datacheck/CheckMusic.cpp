#include <cstdio>
#include <memory>

#include <vorbis/vorbisfile.h>

#include "AudioFile.h"
#include "AudioProvider.h"
#include "DataCheck.h"

namespace datacheck {
namespace {

const char* const wanted = "Ogg Vorbis music, 44100 Hz stereo";
const char* const howToMake = "encode it again as 44100 Hz stereo Ogg Vorbis";

std::string seconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", value);
  return text;
}

// Format, length, and whether every packet decodes.
std::vector<std::string> checkStream(const std::string& path) {
  std::vector<std::string> problems;
  OggVorbis_File vorbis;
  if (ov_fopen(path.c_str(), &vorbis) != 0) return {path + ": not an Ogg Vorbis stream; " + howToMake};
  const vorbis_info* info = ov_info(&vorbis, -1);
  if (info->rate != 44100)
    problems.push_back(path + ": sampled at " + std::to_string(info->rate) +
                       " Hz, the production plays 44100 Hz; resample to 44100 Hz");
  if (info->channels != 2)
    problems.push_back(path + ": has " + std::to_string(info->channels) +
                       " channel(s), the production plays 2; make it stereo");
  char pcm[4096];
  int section = 0;
  long got = 0;
  while ((got = ov_read(&vorbis, pcm, sizeof pcm, 0, 2, 1, &section)) != 0) {
    if (got < 0) {
      problems.push_back(path + ": damaged near " + seconds(ov_time_tell(&vorbis)) + "; " + howToMake);
      break;
    }
  }
  ov_clear(&vorbis);
  return problems;
}

} // namespace

std::vector<std::string> describeMusic(const std::string& path, double endSeconds) {
  OggVorbis_File vorbis;
  if (ov_fopen(path.c_str(), &vorbis) != 0) return {};
  const double length = ov_time_total(&vorbis, -1);
  ov_clear(&vorbis);
  std::string note = path + ": the music lasts " + seconds(length);
  // The clock runs on through silence after the music, so short music still ends the production.
  if (length < endSeconds)
    note += ", the production runs " + seconds(endSeconds) + ": the rest plays in silence";
  return {note};
}

std::vector<std::string> checkMusic(const std::string& path) {
  try {
    // The production's own way in: the file, then the source its name selects.
    std::unique_ptr<AudioFile> file(createAudioFile(path.c_str(), -1));
    std::unique_ptr<AudioProvider> source(createAudioProvider(file.get()));
  } catch (const char* message) {
    return {loaderProblem(path, message, wanted)};
  }
  return checkStream(path);
}

} // namespace datacheck
