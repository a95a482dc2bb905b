// The player's music: where seeks land, and pausing, seeking and resuming
// as the output sees them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "PlayerSource.h"

namespace {

TEST(ClampSeek, LandsInsideTheMusic) {
  const struct {
    double seconds, landsAt;
  } cases[] = {{-5.0, 0.0}, {0.0, 0.0}, {12.5, 12.5}, {90.0, 90.0}, {95.0, 90.0}, {NAN, 0.0}};
  for (const auto& c : cases)
    EXPECT_EQ(clampSeek(c.seconds, 90.0), c.landsAt) << c.seconds;
}

// Music whose bytes are never 0, with a clock the test sets; it notes its
// seeks and the positions passed on to it.
class ScriptedMusic : public AudioProvider {
public:
  ScriptedMusic() : AudioProvider(nullptr) {}
  double getTime() override { return time; }
  bool fill(uint8_t* buffer, uint32_t bytes) override {
    for (uint32_t i = 0; i < bytes; ++i)
      buffer[i] = 0x55;
    lastFillBytes = bytes;
    return true;
  }
  bool seek(double seconds) override {
    seeks.push_back(seconds);
    return true;
  }
  void reportPlayed(uint64_t streamByte, uint32_t) override { played.push_back(streamByte); }

  double time = 0.0;
  std::vector<double> seeks;
  std::vector<uint64_t> played;
};

class Player : public ::testing::Test {
protected:
  // One output buffer: true when it held music, false when silence.
  bool fillHeldMusic() {
    std::vector<uint8_t> buffer(1000, 0xAA);
    EXPECT_TRUE(source.fill(buffer.data(), static_cast<uint32_t>(buffer.size())));
    size_t zeros = 0;
    for (uint8_t byte : buffer)
      zeros += byte == 0;
    EXPECT_TRUE(zeros == 0 || zeros == buffer.size());
    return zeros == 0;
  }

  ScriptedMusic music;
  PlayerSource source{&music};
};

TEST_F(Player, PausedItIsSilentAndHoldsTheClockThroughASeekThenResumesThere) {
  source.seekTo(10.0);
  EXPECT_EQ(source.getTime(), 10.0); // until the output plays from there
  EXPECT_TRUE(fillHeldMusic());
  source.reportPlayed(500, 0);
  music.time = 10.2;
  EXPECT_EQ(source.getTime(), 10.2);

  source.pause();
  music.time = 11.0;
  EXPECT_EQ(source.getTime(), 10.2);
  EXPECT_FALSE(fillHeldMusic());

  source.seekTo(30.0);
  EXPECT_TRUE(source.paused());
  EXPECT_EQ(source.getTime(), 30.0);
  EXPECT_FALSE(fillHeldMusic());
  EXPECT_EQ(music.seeks, std::vector<double>{10.0});

  source.resume();
  EXPECT_EQ(music.seeks, (std::vector<double>{10.0, 30.0}));
  EXPECT_TRUE(fillHeldMusic());
  // Silence played in between is not the music's: positions before the new
  // stretch are dropped, those in it counted in the music's own bytes.
  source.reportPlayed(2500, 0);
  source.reportPlayed(3100, 0);
  EXPECT_EQ(music.played, (std::vector<uint64_t>{500, 1100}));
}

TEST_F(Player, ARestartThatDroppedTheStartOfANewStretchAsksForItAgain) {
  source.seekTo(5.0);
  EXPECT_TRUE(fillHeldMusic()); // dropped by the restart
  EXPECT_TRUE(fillHeldMusic());
  source.reportPlayed(1000, 0);
  EXPECT_EQ(source.getTime(), 5.0);
  EXPECT_TRUE(source.lostStart());
  EXPECT_FALSE(source.lostStart());
  EXPECT_EQ(music.seeks, (std::vector<double>{5.0, 5.0}));
  EXPECT_TRUE(music.played.empty());
}

} // namespace
