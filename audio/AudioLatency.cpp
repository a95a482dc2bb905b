#include "AudioLatency.h"

#include <cmath>
#include <cstdlib>

double parseAudioLatencyMs(const char* text) {
  if (!text || !*text) return 0.0;
  char* end = nullptr;
  const double ms = std::strtod(text, &end);
  // A minute either way is far beyond any real path to the ear.
  if (*end != '\0' || !std::isfinite(ms) || std::fabs(ms) > 60000.0) return 0.0;
  return ms * 0.001;
}

double configuredAudioLatency() {
  static const double seconds = parseAudioLatencyMs(std::getenv("ZEPH_AUDIO_LATENCY_MS"));
  return seconds;
}
