#pragma once

#include <mutex>

#include "AudioProvider.h"

// Headerless PCM in the playback format, copied unchanged. It has no clock.
class RawProvider : public AudioProvider {
public:
  explicit RawProvider(AudioFile* source) : AudioProvider(source) {}

  double getTime() override { return 0.0; }
  bool fill(uint8_t* buffer, uint32_t bytes) override;
  // To the sample frame, by a file seek; the clock stays at 0.0.
  bool seek(double seconds) override;

private:
  // A seek waits for a fill under way, and the other way round.
  std::mutex readLock;
};
