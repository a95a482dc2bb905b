#include <atomic>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "AudioFile.h"
#include "AudioFixtures.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"

namespace {

std::atomic<uint32_t> fakeNow{0};
uint32_t fakeTimer() {
  return fakeNow.load();
}

class Clock : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ogg = new std::string(oggBytes(3.0)); }
  static void TearDownTestSuite() { delete ogg; }
  void SetUp() override {
    setMillisecondTimer(fakeTimer);
    file.reset(createAudioFile(dir.write("music.ogg", *ogg).c_str(), -1));
    provider.reset(createAudioProvider(file.get()));
  }
  void TearDown() override { setMillisecondTimer(nullptr); }

  void fillAt(uint32_t now, uint32_t bytes) {
    fakeNow = now;
    buffer.resize(bytes);
    ASSERT_TRUE(provider->fill(buffer.data(), bytes));
  }

  static std::string* ogg;
  TempDir dir;
  std::unique_ptr<AudioFile> file;
  std::unique_ptr<AudioProvider> provider;
  std::vector<uint8_t> buffer;
};
std::string* Clock::ogg = nullptr;

TEST_F(Clock, BeforeTheFirstFillReadsThePositionMinusTheLead) {
  fakeNow = 123456789;
  EXPECT_DOUBLE_EQ(provider->getTime(), -2.0);
  provider->setOutputLead(1.0);
  EXPECT_DOUBLE_EQ(provider->getTime(), -1.0);
}

TEST_F(Clock, BetweenFillsFollowsTheTimerFromTheLatestFillStart) {
  fillAt(1000, playbackBytes(1.0));
  fillAt(2000, playbackBytes(1.0));
  fakeNow = 2000;
  EXPECT_NEAR(provider->getTime(), 0.0, 1e-9);
  fakeNow = 2250;
  EXPECT_NEAR(provider->getTime(), 0.25, 1e-9);
  provider->setOutputLead(1.0);
  EXPECT_NEAR(provider->getTime(), 1.25, 1e-9);
}

TEST_F(Clock, AZeroByteFillRestartsTheElapsedTerm) {
  fillAt(1000, playbackBytes(1.0));
  fillAt(5000, 0);
  fakeNow = 5100;
  EXPECT_NEAR(provider->getTime(), 1.0 - 2.0 + 0.1, 1e-9);
}

// The music lasts 3 s; the output keeps asking and plays the silence, so the
// clock goes on at real time instead of holding at the end.
TEST_F(Clock, GoesOnAtRealTimePastTheMusicsEnd) {
  for (uint32_t second = 1; second <= 6; ++second) {
    fakeNow = second * 1000;
    buffer.resize(playbackBytes(1.0));
    provider->fill(buffer.data(), playbackBytes(1.0));
    fakeNow = second * 1000 + 500;
    EXPECT_NEAR(provider->getTime(), second - 2.0 + 0.5, 1e-9) << second;
  }
}

TEST_F(Clock, StaysRightAcrossTheTimerWrap) {
  fillAt(0xFFFFFF00u, playbackBytes(1.0));
  fakeNow = 0x100;
  EXPECT_NEAR(provider->getTime(), 1.0 - 2.0 + 0.512, 1e-9);
}

// A thread decodes 10 ms per fill and then lets 10 ms pass on the timer, so
// the true clock is timer + 10 ms - 2 s from the first fill on. Torn reads of
// position and start time would show as a step back or a value ahead of it.
TEST_F(Clock, ReadsConsistentlyWhileAnotherThreadFills) {
  const uint32_t tenMs = playbackBytes(0.01);
  fakeNow = 0;
  std::atomic<bool> done{false};
  std::thread filler([&] {
    std::vector<uint8_t> pcm(tenMs);
    // Two of the three seconds: the music's end, which holds the position, stays out of reach.
    for (int i = 0; i < 200 && provider->fill(pcm.data(), tenMs); ++i)
      fakeNow += 10;
    done = true;
  });
  double previous = -2.0;
  long reads = 0;
  bool ok = true;
  while (!done && ok) {
    double now = provider->getTime();
    double latest = fakeNow.load() * 0.001 + 0.01 - 2.0;
    ok = std::isfinite(now) && now >= previous - 1e-9 && now <= latest + 1e-9;
    if (!ok) ADD_FAILURE() << "read " << now << " after " << previous << ", timer allows " << latest;
    previous = now;
    ++reads;
  }
  filler.join();
  EXPECT_GT(reads, 0);
  EXPECT_NEAR(provider->getTime(), 2.0 - 2.0 + 0.01, 1e-9);
}

} // namespace
