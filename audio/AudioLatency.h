#pragma once

// Seconds to add to every output's latency for what no platform reports (a
// wireless speaker, a television): ZEPH_AUDIO_LATENCY_MS, read once; 0 when
// unset or not a number.
double configuredAudioLatency();

// The setting's value for `text` (the variable's content, or null).
double parseAudioLatencyMs(const char* text);
