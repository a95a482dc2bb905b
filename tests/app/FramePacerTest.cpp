// The run loop's pacing, on a simulated clock: each frame's drawing and swap
// advance it by the frame's cost, the pacer's waits by what they ask for.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "FramePacer.h"

namespace {

struct Loop {
  double now = 0.0;
  int waits = 0;
  FramePacer pacer;

  explicit Loop(double rate)
      : pacer(
            rate, [this] { return now; },
            [this](double seconds) {
              now += seconds;
              ++waits;
            }) {}

  // Draws frames until `seconds` have passed; how many it drew.
  int runFor(double seconds, const std::function<double(int)>& cost) {
    double end = now + seconds;
    int frames = 0;
    while (now < end) {
      now += cost(frames++);
      pacer.frameShown();
    }
    return frames;
  }
};

struct Case {
  const char* what;
  double rate;
  int queued;       // frames the swap returns at once before it waits
  double frameCost; // seconds per frame after those
  int framesIn10s;  // about
  bool pacerWaits;
};

const Case cases[] = {
    {"swap returns at once", 85.0, 0, 0.001, 850, true},
    {"swap returns at once, 60 Hz display", 60.0, 0, 0.002, 600, true},
    {"swap waits for the display", 85.0, 0, 1.0 / 85, 850, false},
    {"swap waits after the driver queued three", 85.0, 3, 1.0 / 85, 850, false},
    {"swap waits for a slower display than asked", 85.0, 0, 1.0 / 60, 600, false},
    {"drawing is slower than the display", 85.0, 0, 0.05, 200, false},
};

// The case's description names it in test listings.
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.what;
}

class FramePacing : public ::testing::TestWithParam<Case> {};

TEST_P(FramePacing, TurnsAsTheDisplayWouldAndWaitsOnlyForASwapThatDoesNot) {
  const Case& c = GetParam();
  Loop loop(c.rate);
  int frames = loop.runFor(10.0, [&c](int frame) { return frame < c.queued ? 0.0005 : c.frameCost; });
  // The first frames run unpaced while the pacer measures.
  EXPECT_GE(frames, c.framesIn10s - 1);
  EXPECT_LE(frames, c.framesIn10s + 20);
  EXPECT_EQ(loop.pacer.pacing(), c.pacerWaits);
  EXPECT_EQ(loop.waits > 0, c.pacerWaits);
}

INSTANTIATE_TEST_SUITE_P(Cases, FramePacing, ::testing::ValuesIn(cases));

TEST(FramePacer, ALateFrameDoesNotMakeTheNextOnesCatchUp) {
  Loop loop(100.0);
  loop.runFor(1.0, [](int) { return 0.001; });
  ASSERT_TRUE(loop.pacer.pacing());
  // One frame of a tenth of a second, then quick ones again: the display
  // would have shown ten frames fewer, not drawn them back to back.
  int frames = loop.runFor(0.2, [](int frame) { return frame == 0 ? 0.1 : 0.001; });
  EXPECT_LE(frames, 12);
}

} // namespace
