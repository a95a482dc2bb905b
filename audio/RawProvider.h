#pragma once

#include "AudioProvider.h"

// Headerless PCM in the playback format, copied unchanged. It has no clock.
class RawProvider : public AudioProvider {
public:
  explicit RawProvider(AudioFile* source) : AudioProvider(source) {}

  double getTime() override { return 0.0; }
  bool fill(uint8_t* buffer, uint32_t bytes) override;
};
