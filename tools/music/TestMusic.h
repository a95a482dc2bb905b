#pragma once

#include "Pcm.h"
#include "Synth.h"

namespace music {

// A looping four-bar groove (drums, bass, chords, a lead line) at 120 beats
// per minute, `seconds` long: music-like material for tests, with
// transients, noise and tones.
Song testSong(double seconds);
Pcm renderTestMusic(double seconds, int sampleRate = 44100, int channels = 2);

} // namespace music
