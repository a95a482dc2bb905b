#pragma once

#include <cstddef>
#include <cstdint>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "AudioProvider.h"
#include "FillClock.h"

// Decodes Ogg Vorbis through vorbisfile, which reads the AudioFile through
// callbacks, and keeps the playback clock that times the production.
class OggVorbisProvider : public AudioProvider {
public:
  // Opens the decoder; throws "Could not set OggVorbis callbacks!".
  explicit OggVorbisProvider(AudioFile* source);
  // Frees the decoder without closing the file.
  ~OggVorbisProvider() override;

  // Decoder position minus the output lead plus the time since the latest
  // fill began, from the pair that fill published when it ended.
  double getTime() override;
  bool fill(uint8_t* buffer, uint32_t bytes) override;

private:
  // Decodes into buffer; returns the bytes written.
  uint32_t decode(uint8_t* buffer, uint32_t bytes);
  // One ov_read; a destination too small for one sample frame goes through `pending`.
  long readOnce(uint8_t* buffer, uint32_t bytes);
  uint32_t takePending(uint8_t* buffer, uint32_t bytes);

  OggVorbis_File vorbisFile;
  FillClock clock;
  // The clock counts what was delivered, in the playback format, from where the decoder opened.
  static constexpr double bytesPerSecond = 176400.0;
  double openPosition = 0.0;
  uint64_t deliveredBytes = 0;
  // Decoded bytes that an odd-sized fill could not take, for the next fill.
  uint8_t pending[1024];
  uint32_t pendingBegin = 0;
  uint32_t pendingEnd = 0;
};
