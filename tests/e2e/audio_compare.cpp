// zeph_audio_compare MUSIC RECORDING [--tolerance N] [--seconds S]
//                    [--allow-jumps MS --from S0]
// Checks that RECORDING (raw s16le stereo at 44100 Hz, as parec writes it)
// holds the music exactly as the Ogg Vorbis source decodes it: finds where
// the music starts in the recording, then compares every sample, so a gap,
// a repeated or a dropped buffer, or a glitch shows as a mismatch. With
// --seconds, the recording needs to hold only the music's first S seconds.
//
// --allow-jumps is for sound paths that drop or insert a little audio by
// themselves when they underrun (Wine's PulseAudio driver does, to keep its
// position): from S0 seconds of music on, each 23 ms block must be found
// exactly, in order, and where the recording jumps, by at most MS
// milliseconds; a damaged stretch may be as long. A repeated or lost
// second, a late refill or longer damage still fail.
// Exit status 0 when they match, 1 when not, 2 on bad input.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "AudioFile.h"
#include "AudioProvider.h"

namespace {

using Samples = std::vector<int16_t>; // interleaved stereo
const size_t rate = 44100;

// Everything the source delivers, exactly as an output receives it.
Samples decode(const char* name) {
  AudioProvider* source = createAudioProvider(createAudioFile(name, -1));
  std::vector<uint8_t> chunk(176400);
  Samples music;
  for (;;) {
    bool more = source->fill(chunk.data(), static_cast<uint32_t>(chunk.size()));
    size_t delivered = source->getLastFillBytes() / 2;
    const auto* samples = reinterpret_cast<const int16_t*>(chunk.data());
    music.insert(music.end(), samples, samples + delivered);
    if (!more) return music;
  }
}

Samples readRaw(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Samples samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                      static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
  return samples;
}

bool near(int16_t a, int16_t b, int tolerance) {
  return std::abs(int(a) - int(b)) <= tolerance;
}

// First sample of the music that stands out from silence.
size_t firstLoud(const Samples& music) {
  for (size_t i = 0; i < music.size(); ++i)
    if (std::abs(int(music[i])) > 256) return i & ~size_t(1);
  return music.size();
}

// Where music[anchor...] begins in the recording: the first position at which
// a stretch of samples matches; each candidate is dropped at its first
// mismatch, so the search is quick.
bool findAnchor(const Samples& music, const Samples& recording, size_t anchor, int tolerance, size_t& found,
                size_t from = 0, size_t to = SIZE_MAX) {
  const size_t probe = 2 * 4096;
  if (anchor + probe > music.size() || recording.size() < probe) return false;
  for (size_t at = from & ~size_t(1); at + probe <= recording.size() && at <= to; at += 2) {
    size_t i = 0;
    while (i < probe && near(recording[at + i], music[anchor + i], tolerance))
      ++i;
    if (i == probe) {
      found = at;
      return true;
    }
  }
  return false;
}

struct Options {
  int tolerance = 0;
  double seconds = -1.0;
  double allowJumpMs = -1.0;
  double from = 0.0;
};

// Every sample from the aligned start on.
int compareStrict(const Samples& music, const Samples& recording, size_t start, int tolerance) {
  size_t compared = std::min(music.size(), recording.size() - start);
  size_t mismatches = 0, first = 0;
  int worst = 0;
  for (size_t i = 0; i < compared; ++i) {
    int diff = std::abs(int(music[i]) - int(recording[start + i]));
    if (diff > worst) worst = diff;
    if (diff > tolerance && mismatches++ == 0) first = i;
  }
  std::printf("compared %.3f s; largest difference %d\n", double(compared) / (2 * rate), worst);
  if (compared < music.size())
    std::printf("recording ends %.3f s before the music\n", double(music.size() - compared) / (2 * rate));
  if (mismatches) {
    std::printf("%zu samples differ, the first at %.4f s of the music\n", mismatches,
                double(first) / (2 * rate));
    size_t again = 0;
    if (findAnchor(music, recording, first, tolerance, again))
      std::printf("the music from there on is recorded %+.4f s later (a gap, or with a minus a loss)\n",
                  (double(again) - double(start + first)) / (2 * rate));
    return 1;
  }
  return compared == music.size() ? 0 : 1;
}

bool blockAt(const Samples& music, const Samples& recording, size_t block, size_t length, long long at,
             int tolerance) {
  if (at < 0 || size_t(at) + length > recording.size()) return false;
  for (size_t i = 0; i < length; ++i)
    if (!near(recording[size_t(at) + i], music[block + i], tolerance)) return false;
  return true;
}

// Gaps in quick succession, each short, also lose the music block by block:
// where it comes back (the first whole stretch at one of the next half
// seconds, searched from half a second before it was due to 3.5 s after)
// tells them from a real loss.
void sayWhereItComesBack(const Samples& music, const Samples& recording, size_t block, long long expected,
                         int tolerance) {
  for (size_t anchor = block; anchor < block + 4 * rate; anchor += rate) {
    const long long due = expected + static_cast<long long>(anchor - block);
    const size_t from = static_cast<size_t>(std::max(0LL, due - static_cast<long long>(rate)));
    size_t again = 0;
    if (!findAnchor(music, recording, anchor, tolerance, again, from, from + 8 * rate)) continue;
    std::printf("  the music from %.3f s on is recorded %+.1f ms from where it was due\n",
                double(anchor) / (2 * rate), (double(again) - double(due)) * 1000.0 / (2 * rate));
    return;
  }
}

// Block by block, following the recording's jumps.
int compareBlocks(const Samples& music, const Samples& recording, long long shift, const Options& o) {
  const size_t block = 2 * 1024;
  const long long limit = static_cast<long long>(o.allowJumpMs / 1000.0 * rate) * 2;
  size_t from = static_cast<size_t>(o.from * rate) * 2, unmatched = 0, jumps = 0;
  bool failed = false;
  for (size_t b = from; b + block <= music.size(); b += block) {
    long long expected = shift + static_cast<long long>(b);
    if (blockAt(music, recording, b, block, expected, o.tolerance)) {
      if (unmatched) {
        // An underrun that inserts and drops about as much inside one
        // stretch leaves it damaged with no net jump: as short as a jump.
        std::printf("%.3f s: %.1f ms of damaged audio with no jump\n", double(b) / (2 * rate),
                    double(unmatched) * 1000.0 / (2 * rate));
        if (static_cast<long long>(unmatched) > limit) failed = true;
        ++jumps;
      }
      unmatched = 0;
      continue;
    }
    long long found = -1;
    for (long long d = 0; d <= limit && found < 0; d += 2) {
      if (blockAt(music, recording, b, block, expected + d, o.tolerance))
        found = expected + d;
      else if (blockAt(music, recording, b, block, expected - d, o.tolerance))
        found = expected - d;
    }
    if (found < 0) {
      unmatched += block;
      if (unmatched > 4 * block) {
        std::printf("%.3f s: the music is lost from the recording\n", double(b) / (2 * rate));
        sayWhereItComesBack(music, recording, b, expected, o.tolerance);
        return 1;
      }
      continue;
    }
    double jumpMs = double(found - expected) * 1000.0 / (2 * rate);
    std::printf("%.3f s: the recording %s %.1f ms\n", double(b) / (2 * rate), jumpMs > 0 ? "gains" : "loses",
                std::fabs(jumpMs));
    shift = found - static_cast<long long>(b);
    unmatched = 0;
    ++jumps;
  }
  std::printf("compared from %.1f s on: %zu jumps\n", o.from, jumps);
  return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: zeph_audio_compare MUSIC RECORDING [--tolerance N] [--seconds S]\n"
                         "                          [--allow-jumps MS --from S0]\n");
    return 2;
  }
  Options o;
  for (int i = 3; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    if (option == "--tolerance")
      o.tolerance = std::atoi(argv[i + 1]);
    else if (option == "--seconds")
      o.seconds = std::atof(argv[i + 1]);
    else if (option == "--allow-jumps")
      o.allowJumpMs = std::atof(argv[i + 1]);
    else if (option == "--from")
      o.from = std::atof(argv[i + 1]);
  }
  Samples music;
  try {
    music = decode(argv[1]);
  } catch (const char* message) {
    std::fprintf(stderr, "%s: %s\n", argv[1], message);
    return 2;
  }
  if (o.seconds >= 0.0) music.resize(std::min(music.size(), static_cast<size_t>(o.seconds * rate) * 2));
  Samples recording = readRaw(argv[2]);
  std::printf("music %.3f s, recording %.3f s\n", double(music.size()) / (2 * rate),
              double(recording.size()) / (2 * rate));
  size_t anchor = o.allowJumpMs >= 0.0 ? static_cast<size_t>(o.from * rate) * 2 : 0;
  anchor = std::max(anchor, firstLoud(music));
  size_t at = 0;
  bool found = findAnchor(music, recording, anchor, o.tolerance, at);
  // A sound path that may damage a short stretch may do so just there: a
  // few later anchors, each half a second on, before giving up.
  for (int tries = 0; !found && o.allowJumpMs >= 0.0 && tries < 4; ++tries) {
    anchor += rate; // half a second of interleaved stereo
    found = findAnchor(music, recording, anchor, o.tolerance, at);
  }
  if (!found) {
    std::printf("music not found in the recording\n");
    return 1;
  }
  long long shift = static_cast<long long>(at) - static_cast<long long>(anchor);
  std::printf("music starts at %.4f s in the recording\n", double(shift) / (2 * rate));
  if (o.allowJumpMs >= 0.0) return compareBlocks(music, recording, shift, o);
  if (shift < 0) return 1;
  return compareStrict(music, recording, static_cast<size_t>(shift), o.tolerance);
}
