#pragma once

#include <cstdint>
#include <vector>

#include "Pcm.h"

namespace music {

enum class Wave { Sine, Triangle, Saw, Square, Noise };

// One cycle of `wave` at `phase` in [0, 1); Noise is not periodic and reads 0 here.
double oscillator(Wave wave, double phase);

// Attack, decay and release in seconds; sustain is a level in [0, 1].
struct Envelope {
  double attack = 0.005;
  double decay = 0.1;
  double sustain = 0.7;
  double release = 0.1;

  // Level at `t` seconds after the note began, for a note held `held` seconds.
  double level(double t, double held) const;
  // How long a note held `held` seconds sounds, release included.
  double length(double held) const { return held + release; }
};

// A voice: an oscillator (optionally doubled and detuned), a pitch drop for
// drums, mixed-in noise, a one-pole low-pass and an envelope.
struct Instrument {
  Wave wave = Wave::Sine;
  Envelope envelope;
  double gain = 0.5;
  double detuneCents = 0.0;    // a second oscillator this far above; 0 = none
  double pitchDrop = 0.0;      // the pitch starts (1 + pitchDrop) times higher...
  double pitchDropTime = 0.05; // ...and falls back with this time constant
  double noise = 0.0;          // share of noise in [0, 1]
  double brightness = 1.0;     // low-pass: 1 = open, towards 0 = darker
  double vibratoCents = 0.0;
  double vibratoRate = 5.0;
};

struct Note {
  double start = 0.0;     // seconds
  double length = 0.25;   // seconds held, before the release
  double frequency = 440; // hertz
  double velocity = 1.0;
};

// One instrument playing notes, placed in the stereo field.
struct Track {
  Instrument instrument;
  double pan = 0.0; // -1 left ... 1 right
  std::vector<Note> notes;

  Track& add(double start, double length, double frequency, double velocity = 1.0);
};

struct Song {
  double seconds = 0.0;
  double gain = 0.8;
  std::vector<Track> tracks;

  Track& addTrack(const Instrument& instrument, double pan = 0.0);
};

// Mixes every note into `seconds` of float PCM. The first two channels carry
// the stereo field; one channel gets the mono sum, further channels the
// middle. The same song gives the same samples on every run.
Pcm render(const Song& song, int sampleRate, int channels);

} // namespace music
