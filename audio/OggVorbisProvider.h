#pragma once

#include <cstddef>
#include <cstdint>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "AudioProvider.h"
#include <memory>
#include <mutex>

#include "PlaybackClock.h"

// Decodes Ogg Vorbis through vorbisfile, which reads the AudioFile through
// callbacks, and keeps the playback clock that times the production.
class OggVorbisProvider : public AudioProvider {
public:
  // Opens the decoder; throws "Could not set OggVorbis callbacks!".
  explicit OggVorbisProvider(AudioFile* source);
  // Frees the decoder without closing the file.
  ~OggVorbisProvider() override;

  // The music heard now, from the output's play positions.
  double getTime() override;
  void reportPlayed(uint64_t streamByte, uint32_t atMs) override;
  void reportPaused(uint64_t streamByte, uint32_t atMs) override;
  void reportResumed() override;
  bool fill(uint8_t* buffer, uint32_t bytes) override;
  // To the sample, through the decoder's own seek; past the end gives silence.
  bool seek(double seconds) override;

private:
  // Decodes into buffer; returns the bytes written.
  uint32_t decode(uint8_t* buffer, uint32_t bytes);
  // One ov_read; a destination too small for one sample frame goes through `pending`.
  long readOnce(uint8_t* buffer, uint32_t bytes);
  uint32_t takePending(uint8_t* buffer, uint32_t bytes);

  // Clears the file's end-of-file indicator that the decoder's reading may have set.
  void clearEndOfFile();

  // A seek waits for a fill under way, and the other way round.
  std::mutex decodeLock;
  OggVorbis_File vorbisFile;
  std::unique_ptr<PlaybackClock> clock;
  // Decoded bytes that an odd-sized fill could not take, for the next fill.
  uint8_t pending[1024];
  uint32_t pendingBegin = 0;
  uint32_t pendingEnd = 0;
};
