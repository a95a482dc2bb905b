#include <atomic>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "AudioFile.h"
#include "AudioFixtures.h"
#include "AudioLatency.h"
#include "AudioProvider.h"
#include "MillisecondTimer.h"

namespace {

class Clock : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ogg = new std::string(oggBytes(3.0)); }
  static void TearDownTestSuite() { delete ogg; }
  void SetUp() override {
    installScriptedTimer(0);
    file.reset(createAudioFile(dir.write("music.ogg", *ogg).c_str(), -1));
    provider.reset(createAudioProvider(file.get()));
  }
  void TearDown() override { setMillisecondTimer(nullptr); }

  void fillAt(uint32_t now, uint32_t bytes) {
    scriptedMs = now;
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

// Fills do not move the clock: until the output's first position it holds
// where the music opened, less the latency, and then until playback moves.
TEST_F(Clock, HoldsWhereTheMusicOpensUntilPlaybackMoves) {
  provider->setOutputLatency(0.1);
  fillAt(1000, playbackBytes(2.0));
  scriptedMs = 5000;
  EXPECT_DOUBLE_EQ(provider->getTime(), -0.1);
  provider->reportPlayed(0, 5000);
  scriptedMs = 6000;
  EXPECT_DOUBLE_EQ(provider->getTime(), -0.1);
}

TEST_F(Clock, StaysRightAcrossTheTimerWrap) {
  fillAt(0xFFFFFE00u, playbackBytes(1.0));
  for (uint32_t ms = 0; ms <= 0x300; ms += 10)
    provider->reportPlayed(playbackBytes(ms * 0.001), 0xFFFFFE00u + ms);
  scriptedMs = 0x105;
  EXPECT_NEAR(provider->getTime(), 0x305 * 0.001, 1e-9);
}

// A thread decodes 10 ms, reports that it plays up to there and lets 10 ms
// pass on the timer, so the true clock is the timer. Torn reads of the
// published position would show as a step back or a value ahead of it.
TEST_F(Clock, ReadsConsistentlyWhileAnotherThreadReports) {
  const uint32_t tenMs = playbackBytes(0.01);
  scriptedMs = 0;
  std::atomic<bool> done{false};
  std::atomic<bool> reading{false};
  std::thread output([&] {
    std::vector<uint8_t> pcm(tenMs);
    // Reports only once the reader reads: started first, it could otherwise end before a single read.
    while (!reading)
      std::this_thread::yield();
    // Two of the three seconds: the music's end, which holds the position, stays out of reach.
    for (uint32_t i = 0; i < 200 && provider->fill(pcm.data(), tenMs); ++i) {
      provider->reportPlayed(static_cast<uint64_t>(i) * tenMs, scriptedMs);
      scriptedMs += 10;
    }
    done = true;
  });
  double previous = 0.0;
  long reads = 0;
  bool ok = true;
  while (!done && ok) {
    double now = provider->getTime();
    reading = true;
    double latest = scriptedMs.load() * 0.001;
    ok = std::isfinite(now) && now >= previous - 1e-9 && now <= latest + 1e-9;
    if (!ok) ADD_FAILURE() << "read " << now << " after " << previous << ", timer allows " << latest;
    previous = now;
    ++reads;
  }
  output.join();
  EXPECT_GT(reads, 0);
  EXPECT_NEAR(provider->getTime(), 2.0, 1e-9);
}

// Reads the clock and holds every reading to the rules: never backwards, and
// once playing steadily, between 95 and 105 % of the time that passed.
class ClockReader {
public:
  explicit ClockReader(AudioProvider* clockSource) : source(clockSource) {}
  double read(uint32_t now, bool playing) {
    scriptedMs = now;
    const double value = source->getTime();
    if (hasPrevious) {
      EXPECT_GE(value, previous) << "at " << now << " ms";
      const double passed = (now - previousAt) * 0.001;
      if (playing && wasPlaying) {
        EXPECT_GE(value - previous, 0.95 * passed - 1e-9) << "at " << now << " ms";
        EXPECT_LE(value - previous, 1.05 * passed + 1e-9) << "at " << now << " ms";
      }
    }
    hasPrevious = true;
    wasPlaying = playing;
    previous = value;
    previousAt = now;
    return value;
  }

private:
  AudioProvider* source;
  bool hasPrevious = false, wasPlaying = false;
  double previous = 0.0;
  uint32_t previousAt = 0;
};

// The output takes audio in periods of 2048 frames and reports how much it
// has taken every 5 ms; its latency is one period. It starts playing 300 ms
// after start, at 60 % speed for its first second (the clock steps forward
// only until the position keeps time), stalls for 100 ms at 4 s (the clock
// must not go back; it may stop at the stalled position and follow the
// position's steps until the changes from before the stall have left its
// window), jumps 0.2 s ahead at 6 s, and reports a position that went
// backwards once and one far ahead once.
TEST_F(Clock, FollowsScriptedPlayPositionsWithoutGoingBack) {
  const uint32_t period = 2048 * 4;
  const double periodSeconds = 2048.0 / 44100.0;
  provider->setOutputLatency(periodSeconds);
  const uint32_t start = 1000, playing = 1300, steady = 2300;
  auto heard = [&](uint32_t now) {
    if (now < playing) return 0.0;
    double t = (now - playing) * 0.001;
    if (now < steady) return 0.6 * t;
    t -= 0.4;
    if (now >= 4100)
      t -= 0.1;
    else if (now >= 4000)
      t = (4000 - playing) * 0.001 - 0.4;
    if (now >= 6000) t += 0.2;
    return t;
  };
  auto taken = [&](uint32_t now) -> uint64_t {
    if (now < playing) return 0;
    if (now == 7000) return period;                // a stray report of an old position
    if (now == 8000) return 100 * 176400 + period; // and one far ahead
    return (static_cast<uint64_t>(heard(now) * 176400.0) / period + 1) * period;
  };
  ClockReader reader(provider.get());
  std::vector<uint8_t> pcm(playbackBytes(1.0));
  bool moved = false;
  for (uint32_t now = start; now <= 15000; now += 5) {
    scriptedMs = now;
    // Two buffers at start, then one a second; the one due at 3 s comes 400 ms late.
    if (now == start || now == start + 1000 || now == start + 2400 || (now > 3400 && now % 1000 == 0))
      provider->fill(pcm.data(), playbackBytes(1.0));
    if (now == start) provider->fill(pcm.data(), playbackBytes(1.0));
    provider->reportPlayed(taken(now), now);
    moved = moved || taken(now) > 0;
    // Steady once the position has kept time for 300 ms after the slow start.
    const double clock = reader.read(now, now >= steady + 700 && (now < 4000 || now >= 4600));
    if (!moved) {
      EXPECT_NEAR(clock, -periodSeconds, 1e-9) << "holds until playback moves";
    } else if (now < steady) {
      EXPECT_NEAR(clock, heard(now), 0.03) << now;
    } else if (now >= 3600 && now < 4000) {
      EXPECT_NEAR(clock, heard(now), 0.006) << now;
    }
  }
  EXPECT_NEAR(reader.read(15000, true), heard(15000), 0.002);
}

// The output's position stops for a while (its sound path starved), and what
// is heard stops once what it had handed on has played; then both go on. The
// clock stops within a step and a report of where the position stopped,
// instead of running on by the whole stall. Rows: DirectSound's play cursor
// under Wine (10 ms steps, 30 ms after it to the ear, reported every 10 ms),
// SDL's queue (2048 frames, 166 ms, every 5 ms), and the web page's output
// timestamp (a render quantum, 150 ms set by the user, every 10 ms) stalling
// while playback starts, in the middle of an 800 ms stall of the page's
// thread that reports it (the clock must not take the jump after that gap
// for a step).
TEST_F(Clock, StopsWhereAStalledPositionStops) {
  struct Output {
    uint32_t stepBytes;
    double latency;
    uint32_t reportMs, stallAfterMs, stallMs, quietMs; // no reports for quietMs either side of the stall
  };
  for (const Output& o : {Output{1764, 0.030, 10, 3000, 180, 0}, Output{8192, 0.166, 5, 3000, 600, 0},
                          Output{512, 0.150, 10, 500, 800, 400}}) {
    SCOPED_TRACE(o.stepBytes);
    SetUp(); // a fresh source
    provider->setOutputLatency(o.latency);
    const uint32_t start = 1000, stalled = start + o.stallAfterMs, resumed = stalled + o.stallMs;
    const double step = o.stepBytes / 176400.0;
    auto handed = [&](uint32_t t) { // seconds of music the output has played
      return o.latency + (std::min(t, stalled) - start + (t > resumed ? t - resumed : 0)) * 0.001;
    };
    auto heard = [&](uint32_t t) {
      const double stopped = handed(stalled);
      return std::max(std::min((t - start) * 0.001, stopped), handed(t) - o.latency);
    };
    ClockReader reader(provider.get());
    std::vector<uint8_t> pcm(playbackBytes(1.0));
    for (uint32_t now = start; now <= resumed + 4000; now += o.reportMs) {
      scriptedMs = now;
      if ((now - start) % 1000 == 0) provider->fill(pcm.data(), playbackBytes(1.0));
      if (now + o.quietMs < stalled || now >= stalled + o.quietMs)
        provider->reportPlayed(static_cast<uint64_t>(handed(now) / step) * o.stepBytes, now); // in steps
      const double clock = reader.read(now, false);
      EXPECT_LE(clock - heard(now), o.latency + step + o.reportMs * 0.001 + 1e-6) << now;
    }
    EXPECT_NEAR(reader.read(resumed + 4000, true), heard(resumed + 4000), 0.005);
  }
}

// The output takes its first period at start, and the sound server plays
// it only a second later (a sink still in its long idle block, or a device
// waking up): meanwhile the clock runs no more than that period on.
TEST_F(Clock, WaitsForASoundServerThatStartsLate) {
  const uint32_t period = 2048 * 4;
  const double periodSeconds = 2048.0 / 44100.0;
  provider->setOutputLatency(periodSeconds);
  const uint32_t start = 1000, playing = 2000;
  auto heard = [&](uint32_t now) { return now < playing ? 0.0 : (now - playing) * 0.001; };
  ClockReader reader(provider.get());
  std::vector<uint8_t> pcm(playbackBytes(1.0));
  scriptedMs = start;
  provider->fill(pcm.data(), playbackBytes(1.0));
  provider->fill(pcm.data(), playbackBytes(1.0));
  provider->reportPlayed(0, start);
  for (uint32_t now = start; now <= 4000; now += 5) {
    scriptedMs = now;
    const uint64_t taken = (static_cast<uint64_t>(heard(now) * 176400.0) / period + 1) * period;
    provider->reportPlayed(taken, now);
    const double clock = reader.read(now, false);
    EXPECT_LE(clock, heard(now) + periodSeconds + 1e-9) << now;
  }
  EXPECT_NEAR(reader.read(4000, true), heard(4000), 0.002);
}

TEST(AudioLatencySetting, TakesMillisecondsAndIgnoresAnythingElse) {
  const struct {
    const char* text;
    double seconds;
  } cases[] = {{nullptr, 0.0}, {"", 0.0},    {"150", 0.15}, {"-20", -0.02}, {"12.5", 0.0125},
               {"12ms", 0.0},  {"abc", 0.0}, {"1e9", 0.0},  {"nan", 0.0},   {"60000", 60.0}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(parseAudioLatencyMs(c.text), c.seconds) << (c.text ? c.text : "(unset)");
}

} // namespace
