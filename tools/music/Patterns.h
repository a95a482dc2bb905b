#pragma once

#include <string>

#include "Synth.h"

// Composing, in short:
//   Song song;
//   song.seconds = 8.0;
//   Track& kick = song.addTrack(kickDrum());
//   addSteps(kick, "x...x...x...x...", 0.0, 0.125, 55.0);
//   repeatNotes(kick, 0.0, 2.0, 3);
//   addMelody(song.addTrack(leadSynth(), -0.2), "E5 - C5 A4 . E5 D5+G5 -", 0.0, 0.25);
//   std::string ogg = encodeVorbis(render(song, 44100, 2));
namespace music {

// Equal temperament, A4 = 440 Hz: key 69 is A4.
double keyFrequency(int key);
// "A4", "C#3", "Eb2": a letter, an optional # or b, an octave. Throws
// "Unknown note name!" for anything else.
double noteFrequency(const std::string& name);

// A step pattern such as "x...x...x..o.x..": each character is one step of
// `stepSeconds` from `start`; 'x' plays `frequency` at full velocity, 'o'
// at half velocity, anything else rests. Each hit lasts one step.
void addSteps(Track& track, const std::string& steps, double start, double stepSeconds, double frequency);

// A melody such as "A3 - C4 E4 . G4+B4 - -": space-separated steps of
// `stepSeconds`; a note name (or notes joined by '+', a chord) starts notes,
// '-' holds the previous step's notes one step longer, '.' rests.
// Returns the time after the last step.
double addMelody(Track& track, const std::string& melody, double start, double stepSeconds,
                 double velocity = 1.0);

// Copies the notes that start in [from, from + length) `times` more times, back to back.
void repeatNotes(Track& track, double from, double length, int times);

// Instruments that sound like their names.
Instrument kickDrum();
Instrument snareDrum();
Instrument hiHat();
Instrument bassSynth();
Instrument leadSynth();
Instrument padSynth();
Instrument pluck();

} // namespace music
