#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "Patterns.h"
#include "Synth.h"
#include "TestMusic.h"
#include "VorbisEncoder.h"

namespace {

TEST(Music, NoteNamesFollowEqualTemperament) {
  EXPECT_DOUBLE_EQ(music::noteFrequency("A4"), 440.0);
  EXPECT_DOUBLE_EQ(music::noteFrequency("A5"), 880.0);
  EXPECT_NEAR(music::noteFrequency("C4"), 261.6256, 1e-4);
  EXPECT_DOUBLE_EQ(music::noteFrequency("A#3"), music::noteFrequency("Bb3"));
  EXPECT_DOUBLE_EQ(music::noteFrequency("C-1"), music::keyFrequency(0));
  for (const char* bad : {"", "A", "H4", "A#", "Ax4", "C4x"})
    EXPECT_THROW(music::noteFrequency(bad), const char*) << bad;
}

TEST(Music, MelodiesHoldRestAndStackNotes) {
  music::Track track;
  double end = music::addMelody(track, "A3 - . C4+E4 -", 1.0, 0.5);
  EXPECT_DOUBLE_EQ(end, 3.5);
  ASSERT_EQ(track.notes.size(), 3u);
  EXPECT_DOUBLE_EQ(track.notes[0].length, 1.0);
  EXPECT_DOUBLE_EQ(track.notes[1].start, 2.5);
  EXPECT_DOUBLE_EQ(track.notes[2].start, 2.5);
  EXPECT_DOUBLE_EQ(track.notes[2].length, 1.0);

  music::Track drums;
  music::addSteps(drums, "x.o.", 0.0, 0.25, 60.0);
  music::repeatNotes(drums, 0.0, 1.0, 2);
  ASSERT_EQ(drums.notes.size(), 6u);
  EXPECT_DOUBLE_EQ(drums.notes[1].velocity, 0.5);
  EXPECT_DOUBLE_EQ(drums.notes[5].start, 2.5);
}

TEST(Music, RendersASineAtItsPitchAndPlace) {
  music::Song song;
  song.seconds = 1.0;
  song.gain = 1.0;
  music::Instrument sine;
  sine.envelope = {0.0, 0.0, 1.0, 0.0};
  song.addTrack(sine, -1.0).add(0.0, 1.0, 441.0);
  music::Pcm pcm = music::render(song, 44100, 2);
  ASSERT_EQ(pcm.frames(), 44100u);
  int crossings = 0;
  float peak = 0.0f;
  for (size_t i = 1; i < pcm.frames(); ++i) {
    crossings += (pcm.at(i - 1, 0) < 0.0f) != (pcm.at(i, 0) < 0.0f);
    EXPECT_NEAR(pcm.at(i, 1), 0.0f, 1e-6f); // panned hard left
    peak = std::max(peak, std::fabs(pcm.at(i, 0)));
  }
  EXPECT_NEAR(crossings, 882, 2);
  EXPECT_NEAR(peak, 0.5f, 0.01f);
}

TEST(Music, TheSameInputGivesTheSameBytes) {
  music::Pcm a = music::renderTestMusic(1.0, 22050, 1), b = music::renderTestMusic(1.0, 22050, 1);
  EXPECT_EQ(a.samples, b.samples);
  EXPECT_EQ(music::toBytes(a).size(), 44100u);
  std::string first = music::encodeVorbis(a), second = music::encodeVorbis(b);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first.compare(0, 4, "OggS"), 0);
}

TEST(Music, ChainedFilesCarryOneSerialPerLink) {
  music::Pcm part = music::renderTestMusic(0.2);
  music::VorbisSettings settings;
  settings.serial = 1000;
  std::string chained = music::encodeVorbisChain({part, part}, settings);
  std::string single = music::encodeVorbis(part, settings);
  ASSERT_EQ(chained.size(), 2 * single.size());
  auto serialAt = [&](size_t page) {
    return static_cast<uint8_t>(chained[page + 14]) | static_cast<uint8_t>(chained[page + 15]) << 8;
  };
  EXPECT_EQ(serialAt(0), 1000);
  EXPECT_EQ(serialAt(single.size()), 1001);
  EXPECT_THROW(music::encodeVorbis(music::Pcm(44100, 0, 10)), const char*);
}

} // namespace
