#include "Patterns.h"

#include <cctype>
#include <cmath>
#include <sstream>
#include <vector>

namespace music {

double keyFrequency(int key) {
  return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

double noteFrequency(const std::string& name) {
  static const int offsets[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
  if (name.size() < 2) throw "Unknown note name!";
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  if (letter < 'A' || letter > 'G') throw "Unknown note name!";
  int key = offsets[letter - 'A'];
  size_t at = 1;
  if (name[at] == '#' || name[at] == 'b') {
    key += name[at] == '#' ? 1 : -1;
    ++at;
  }
  if (at >= name.size()) throw "Unknown note name!";
  int octave = 0;
  bool negative = name[at] == '-';
  if (negative) ++at;
  if (at >= name.size()) throw "Unknown note name!";
  for (; at < name.size(); ++at) {
    if (!std::isdigit(static_cast<unsigned char>(name[at]))) throw "Unknown note name!";
    octave = octave * 10 + (name[at] - '0');
  }
  if (negative) octave = -octave;
  return keyFrequency(12 * (octave + 1) + key);
}

void addSteps(Track& track, const std::string& steps, double start, double stepSeconds, double frequency) {
  for (size_t i = 0; i < steps.size(); ++i) {
    double velocity = steps[i] == 'x' ? 1.0 : steps[i] == 'o' ? 0.5 : 0.0;
    if (velocity > 0.0)
      track.add(start + static_cast<double>(i) * stepSeconds, stepSeconds, frequency, velocity);
  }
}

double addMelody(Track& track, const std::string& melody, double start, double stepSeconds, double velocity) {
  std::istringstream in(melody);
  std::string step;
  std::vector<size_t> sounding; // indices of the notes that '-' extends
  double at = start;
  while (in >> step) {
    if (step == "-") {
      for (size_t index : sounding)
        track.notes[index].length += stepSeconds;
    } else if (step == ".") {
      sounding.clear();
    } else {
      sounding.clear();
      std::istringstream chord(step);
      std::string name;
      while (std::getline(chord, name, '+')) {
        sounding.push_back(track.notes.size());
        track.add(at, stepSeconds, noteFrequency(name), velocity);
      }
    }
    at += stepSeconds;
  }
  return at;
}

void repeatNotes(Track& track, double from, double length, int times) {
  std::vector<Note> source;
  for (const Note& note : track.notes)
    if (note.start >= from && note.start < from + length) source.push_back(note);
  for (int i = 1; i <= times; ++i) {
    for (Note note : source) {
      note.start += length * i;
      track.notes.push_back(note);
    }
  }
}

Instrument kickDrum() {
  Instrument kick;
  kick.wave = Wave::Sine;
  kick.envelope = {0.001, 0.25, 0.0, 0.05};
  kick.gain = 0.9;
  kick.pitchDrop = 3.0;
  kick.pitchDropTime = 0.03;
  return kick;
}

Instrument snareDrum() {
  Instrument snare;
  snare.wave = Wave::Triangle;
  snare.envelope = {0.001, 0.15, 0.0, 0.05};
  snare.gain = 0.45;
  snare.noise = 0.7;
  snare.pitchDrop = 0.5;
  snare.pitchDropTime = 0.02;
  snare.brightness = 0.6;
  return snare;
}

Instrument hiHat() {
  Instrument hat;
  hat.wave = Wave::Noise;
  hat.envelope = {0.001, 0.04, 0.0, 0.02};
  hat.gain = 0.15;
  hat.brightness = 0.9;
  return hat;
}

Instrument bassSynth() {
  Instrument bass;
  bass.wave = Wave::Saw;
  bass.envelope = {0.005, 0.2, 0.6, 0.08};
  bass.gain = 0.35;
  bass.detuneCents = 7.0;
  bass.brightness = 0.15;
  return bass;
}

Instrument leadSynth() {
  Instrument lead;
  lead.wave = Wave::Square;
  lead.envelope = {0.01, 0.1, 0.6, 0.15};
  lead.gain = 0.18;
  lead.detuneCents = 5.0;
  lead.brightness = 0.35;
  lead.vibratoCents = 12.0;
  lead.vibratoRate = 5.5;
  return lead;
}

Instrument padSynth() {
  Instrument pad;
  pad.wave = Wave::Saw;
  pad.envelope = {0.3, 0.5, 0.7, 0.6};
  pad.gain = 0.1;
  pad.detuneCents = 12.0;
  pad.brightness = 0.08;
  return pad;
}

Instrument pluck() {
  Instrument p;
  p.wave = Wave::Triangle;
  p.envelope = {0.002, 0.3, 0.0, 0.1};
  p.gain = 0.3;
  p.brightness = 0.5;
  return p;
}

} // namespace music
