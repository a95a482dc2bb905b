#include "Music.h"

#include <algorithm>
#include <cmath>

#include "Patterns.h"
#include "VorbisEncoder.h"

namespace defaultmusic {
namespace {

using music::Instrument;
using music::keyFrequency;
using music::Song;
using music::Track;

constexpr double step = 0.125; // a sixteenth at 120 beats per minute
constexpr double eighth = 2 * step;
constexpr double bar = 16 * step;
constexpr int barsPerSection = 10; // 20 seconds: an eight-bar phrase and a two-bar turn

// A chord: its bass key and three keys of its middle voicing (MIDI numbers).
struct Chord {
  int bass;
  int tones[3];
};
const Chord Am{33, {57, 60, 64}};
const Chord F{29, {57, 60, 65}};
const Chord C{36, {55, 60, 64}};
const Chord G{31, {55, 59, 62}};
const Chord Dm{38, {57, 62, 65}};
const Chord E{28, {56, 59, 64}};
const Chord Em{28, {55, 59, 64}};

// One chord per bar for each section; every section ends on the turn Dm, E.
const Chord intro[barsPerSection] = {Am, Am, F, F, C, C, G, G, Dm, E};
const Chord verse[barsPerSection] = {Am, F, C, G, Am, F, C, G, Dm, E};
const Chord bridge[barsPerSection] = {F, F, G, G, Em, Em, Am, Am, Dm, E};

enum TrackIndex { Kick, Snare, Hat, Crash, Bass, Pad, Arp, Lead, Echo, Bell, Riser };

Instrument crashCymbal() {
  Instrument crash = music::hiHat();
  crash.envelope = {0.001, 1.6, 0.0, 0.3};
  crash.gain = 0.09;
  crash.brightness = 0.7;
  return crash;
}

Instrument bell() {
  Instrument b;
  b.wave = music::Wave::Sine;
  b.envelope = {0.002, 0.7, 0.0, 0.5};
  b.gain = 0.22;
  b.detuneCents = 4.0;
  return b;
}

// A slow upward sweep into the next section.
Instrument riser() {
  Instrument r;
  r.wave = music::Wave::Saw;
  r.envelope = {3.6, 0.1, 1.0, 0.05};
  r.gain = 0.07;
  r.pitchDrop = -0.5;
  r.pitchDropTime = 1.4;
  r.noise = 0.4;
  r.brightness = 0.25;
  return r;
}

Song emptySong() {
  Song song;
  song.seconds = seconds;
  song.gain = 0.8;
  song.addTrack(music::kickDrum());
  song.addTrack(music::snareDrum(), 0.1);
  song.addTrack(music::hiHat(), -0.35);
  song.addTrack(crashCymbal(), 0.3);
  song.addTrack(music::bassSynth());
  song.addTrack(music::padSynth(), 0.15);
  Instrument arp = music::pluck();
  arp.gain = 0.16;
  song.addTrack(arp, -0.4);
  song.addTrack(music::leadSynth(), -0.1);
  Instrument echo = music::leadSynth();
  echo.gain *= 0.35;
  echo.brightness = 0.2;
  song.addTrack(echo, 0.6);
  song.addTrack(bell(), 0.35);
  song.addTrack(riser());
  return song;
}

void pad(Song& song, double at, const Chord& chord, double velocity) {
  for (int key : chord.tones)
    song.tracks[Pad].add(at, bar, keyFrequency(key), velocity);
}

// Sixteenths up and down two octaves of the chord.
void arpeggio(Song& song, double at, const Chord& chord, double velocity) {
  static const int order[16] = {0, 1, 2, 3, 4, 5, 4, 3, 0, 1, 2, 3, 4, 5, 4, 3};
  for (int i = 0; i < 16; ++i) {
    const int key = chord.tones[order[i] % 3] + 12 * (order[i] / 3);
    const double accent = (i % 4 == 0) ? 1.0 : 0.7;
    song.tracks[Arp].add(at + i * step, step, keyFrequency(key), velocity * accent);
  }
}

enum class BassStyle { Held, Pumping, HalfTime };

void bass(Song& song, double at, const Chord& chord, BassStyle style) {
  Track& track = song.tracks[Bass];
  const double root = keyFrequency(chord.bass);
  const double octave = keyFrequency(chord.bass + 12);
  switch (style) {
  case BassStyle::Held: track.add(at, bar - step, root, 0.8); break;
  case BassStyle::HalfTime:
    track.add(at, 5 * eighth, root);
    track.add(at + 6 * eighth, eighth, octave, 0.7);
    track.add(at + 7 * eighth, eighth, root, 0.8);
    break;
  case BassStyle::Pumping:
    for (int i = 0; i < 8; ++i)
      track.add(at + i * eighth, eighth * 0.8, (i % 4 == 2) ? octave : root, i % 2 ? 0.75 : 1.0);
    break;
  }
}

enum class Beat { None, Pulse, Full, HalfTime, Drive };

void drums(Song& song, double at, Beat beat) {
  switch (beat) {
  case Beat::None: break;
  case Beat::Pulse:
    music::addSteps(song.tracks[Kick], "o...o...o...o...", at, step, 55.0);
    music::addSteps(song.tracks[Hat], "..o...o...o...o.", at, step, 8000.0);
    break;
  case Beat::Full:
    music::addSteps(song.tracks[Kick], "x...x...x...x...", at, step, 55.0);
    music::addSteps(song.tracks[Snare], "....x.......x...", at, step, 180.0);
    music::addSteps(song.tracks[Hat], "o.x.o.x.o.x.o.xo", at, step, 8000.0);
    break;
  case Beat::HalfTime:
    music::addSteps(song.tracks[Kick], "x.........x.....", at, step, 55.0);
    music::addSteps(song.tracks[Snare], "........x.......", at, step, 180.0);
    music::addSteps(song.tracks[Hat], "x.o.x.o.x.o.x.o.", at, step, 8000.0);
    break;
  case Beat::Drive:
    music::addSteps(song.tracks[Kick], "x...x...x..xx...", at, step, 55.0);
    music::addSteps(song.tracks[Snare], "....x.......x..o", at, step, 180.0);
    music::addSteps(song.tracks[Hat], "xoxoxoxoxoxoxoxo", at, step, 8000.0);
    break;
  }
}

// A snare roll over the last bar before a section, growing louder and denser,
// with the sweep beneath it.
void build(Song& song, double at) {
  for (int i = 0; i < 16; ++i) {
    const double velocity = 0.3 + 0.7 * i / 15.0;
    song.tracks[Snare].add(at + i * step, step, 180.0, velocity);
    if (i >= 8) song.tracks[Snare].add(at + (i + 0.5) * step, step / 2, 180.0, velocity * 0.8);
  }
  song.tracks[Riser].add(at - bar, 2 * bar - step, keyFrequency(64));
}

void crash(Song& song, double at) {
  song.tracks[Crash].add(at, bar, 8000.0);
}

// The lead, and its echo a dotted eighth later on the other side.
void lead(Song& song, double at, const std::string& melody, double velocity = 1.0) {
  const size_t first = song.tracks[Lead].notes.size();
  music::addMelody(song.tracks[Lead], melody, at, eighth, velocity);
  for (size_t i = first; i < song.tracks[Lead].notes.size(); ++i) {
    music::Note note = song.tracks[Lead].notes[i];
    note.start += 3 * step;
    song.tracks[Echo].notes.push_back(note);
  }
}

const char* const verseMelody =
    "A4 - C5 - E5 - D5 C5  C5 - - - A4 - G4 A4  G4 - E4 - G4 - C5 -  B4 - - - D5 - - - "
    "A4 - C5 - E5 - A5 -  G5 - F5 - E5 - C5 -  D5 - E5 - G5 - E5 D5  B4 - - - - - . . "
    "F5 - E5 - D5 - C5 -  B4 - G#4 - E4 - - - ";
const char* const bridgeMelody =
    "A5 - - - G5 - F5 -  E5 - - - C5 - - -  D5 - - - E5 - F5 -  G5 - - - - - - - "
    "G5 - - - E5 - D5 -  B4 - - - - - C5 D5  E5 - - - - - - -  A4 - - - . . . . ";
const char* const finalMelody =
    "E5 - A5 - C6 - B5 A5  A5 - - - F5 - E5 F5  E5 - C5 - E5 - G5 -  D5 - - - G5 - B5 - "
    "C6 - B5 - A5 - E5 -  F5 - A5 - C6 - A5 -  G5 - E5 - C5 - E5 G5  B5 - - - G5 - B5 - "
    "A5 - F5 - D5 - F5 -  E5 - - - G#5 - B5 - ";
const char* const introBells = "A5 - - -  C6 - A5 -  G5 - - -  E5 - C5 -  D5 - - -  B4 - D5 - ";
const char* const bridgeBells =
    ". C6 . A5  . C6 . F5  . D6 . B5  . D6 . G5  . B5 . G5  . B5 . E5  . C6 . A5  . E6 . . ";

// 0 to 20 seconds: pad and arpeggio, the pulse joins halfway.
void addIntro(Song& song, double at) {
  for (int i = 0; i < barsPerSection; ++i) {
    const double t = at + i * bar;
    pad(song, t, intro[i], 1.0);
    arpeggio(song, t, intro[i], 0.6 + 0.04 * i);
    bass(song, t, intro[i], BassStyle::Held);
    if (i >= 4 && i < 9) drums(song, t, Beat::Pulse);
  }
  music::addMelody(song.tracks[Bell], introBells, at + 2 * bar, 2 * eighth, 0.9);
  build(song, at + 9 * bar);
}

// 20 to 40 seconds: the groove and the tune.
void addVerse(Song& song, double at) {
  crash(song, at);
  for (int i = 0; i < barsPerSection; ++i) {
    const double t = at + i * bar;
    pad(song, t, verse[i], 0.7);
    bass(song, t, verse[i], BassStyle::Pumping);
    if (i < 9) drums(song, t, Beat::Full);
  }
  lead(song, at, verseMelody);
  build(song, at + 9 * bar);
}

// 40 to 60 seconds: half time, bells and a wider, brighter line.
void addBridge(Song& song, double at) {
  crash(song, at);
  for (int i = 0; i < barsPerSection; ++i) {
    const double t = at + i * bar;
    pad(song, t, bridge[i], 1.0);
    arpeggio(song, t, bridge[i], 0.5);
    bass(song, t, bridge[i], BassStyle::HalfTime);
    if (i < 9) drums(song, t, Beat::HalfTime);
  }
  lead(song, at, bridgeMelody, 0.9);
  music::addMelody(song.tracks[Bell], bridgeBells, at, 2 * eighth, 0.6);
  build(song, at + 9 * bar);
}

// 60 to 80 seconds: everything, the tune an octave up.
void addFinale(Song& song, double at) {
  crash(song, at);
  for (int i = 0; i < barsPerSection; ++i) {
    const double t = at + i * bar;
    pad(song, t, verse[i], 0.8);
    arpeggio(song, t, verse[i], 0.55);
    bass(song, t, verse[i], BassStyle::Pumping);
    if (i < 9) drums(song, t, Beat::Drive);
  }
  lead(song, at, finalMelody);
  build(song, at + 9 * bar);
}

// From 80 seconds: the last chord rings out.
void addEnding(Song& song, double at) {
  crash(song, at);
  song.tracks[Kick].add(at, step, 55.0);
  for (int key : Am.tones)
    song.tracks[Pad].add(at, 3 * bar, keyFrequency(key));
  song.tracks[Bass].add(at, 2 * bar, keyFrequency(Am.bass));
  song.tracks[Lead].add(at, bar, keyFrequency(69), 0.8);
  static const int fall[] = {76, 72, 69, 64, 60, 57};
  for (int i = 0; i < 6; ++i)
    song.tracks[Bell].add(at + i * 0.4 * (1.0 + 0.15 * i), eighth, keyFrequency(fall[i]), 0.7);
}

} // namespace

Song song() {
  Song s = emptySong();
  const double section = barsPerSection * bar;
  addIntro(s, 0.0);
  addVerse(s, section);
  addBridge(s, 2 * section);
  addFinale(s, 3 * section);
  addEnding(s, 4 * section);
  return s;
}

music::Pcm render() {
  music::Pcm pcm = music::render(song(), 44100, 2);
  float peak = 0.0f;
  for (float sample : pcm.samples)
    peak = std::max(peak, std::fabs(sample));
  if (peak > 0.0f) {
    const float gain = 0.89f / peak;
    for (float& sample : pcm.samples)
      sample *= gain;
  }
  return pcm;
}

std::string oggVorbis() {
  music::VorbisSettings settings;
  settings.quality = 0.4f;
  settings.comments = {{"TITLE", "tovi does brask"}, {"ARTIST", "zeph"}};
  return music::encodeVorbis(render(), settings);
}

} // namespace defaultmusic
