#include "TestMusic.h"

#include <cmath>

#include "Patterns.h"

namespace music {

namespace {

const double step = 0.125; // a sixteenth at 120 beats per minute
const double bar = 16 * step;

void addBar(Song& song, double at, int index) {
  static const char* const bassLines[] = {"A1 - . A2 . A1 E2 .", "F1 - . F2 . F1 C2 .", "C2 - . C3 . C2 G2 .",
                                          "G1 - . G2 . G1 D2 ."};
  static const char* const chords[] = {"A3+C4+E4", "F3+A3+C4", "C3+E3+G3", "G3+B3+D4"};
  static const char* const leads[] = {"E5 - C5 A4 . E5 D5 C5", "A4 - - C5 . F5 - E5", "G5 - E5 C5 . G4 - C5",
                                      "D5 - B4 G4 . B4 D5 -"};
  int part = index % 4;
  addSteps(song.tracks[0], "x.....x.x...x...", at, step, 55.0);
  addSteps(song.tracks[1], "....x.......x..o", at, step, 180.0);
  addSteps(song.tracks[2], "x.x.x.x.o.x.x.xo", at, step, 8000.0);
  addMelody(song.tracks[3], bassLines[part], at, 2 * step);
  addMelody(song.tracks[4], std::string(chords[part]) + " - - - - - - -", at, 2 * step, 0.8);
  if (index % 8 >= 4) addMelody(song.tracks[5], leads[part], at, 2 * step);
}

} // namespace

Song testSong(double seconds) {
  Song song;
  song.seconds = seconds;
  song.addTrack(kickDrum());
  song.addTrack(snareDrum(), 0.1);
  song.addTrack(hiHat(), -0.3);
  song.addTrack(bassSynth());
  song.addTrack(padSynth(), 0.2);
  song.addTrack(leadSynth(), -0.2);
  int bars = static_cast<int>(std::ceil(seconds / bar));
  for (int i = 0; i < bars; ++i)
    addBar(song, i * bar, i);
  return song;
}

Pcm renderTestMusic(double seconds, int sampleRate, int channels) {
  return render(testSong(seconds), sampleRate, channels);
}

} // namespace music
