#include <gtest/gtest.h>

#include <vector>

#include "Timeline.h"

namespace {

// A clock that gives the listed readings in turn (the last one repeats) and
// counts how often it was read.
struct ScriptedClock {
  std::vector<double> readings;
  size_t reads = 0;
  double operator()() {
    const double value = readings[std::min(reads, readings.size() - 1)];
    ++reads;
    return value;
  }
};

std::vector<int> picturesAt(ScriptedClock& clock) {
  std::vector<int> drawn;
  timeline::drawPictures(clock, [&drawn](int picture) { drawn.push_back(picture); });
  return drawn;
}

std::vector<int> picturesAt(double seconds) {
  ScriptedClock clock{{seconds}};
  return picturesAt(clock);
}

} // namespace

TEST(Timeline, EachPictureHoldsTheInsideOfItsTwentySeconds) {
  EXPECT_EQ(picturesAt(0.001), std::vector<int>{0});
  EXPECT_EQ(picturesAt(10.0), std::vector<int>{0});
  EXPECT_EQ(picturesAt(19.999), std::vector<int>{0});
  EXPECT_EQ(picturesAt(20.001), std::vector<int>{1});
  EXPECT_EQ(picturesAt(39.999), std::vector<int>{1});
  EXPECT_EQ(picturesAt(40.001), std::vector<int>{2});
  EXPECT_EQ(picturesAt(59.999), std::vector<int>{2});
  EXPECT_EQ(picturesAt(60.001), std::vector<int>{3});
  EXPECT_EQ(picturesAt(79.999), std::vector<int>{3});
}

TEST(Timeline, NoPictureOnTheBoundsBeforeTheStartOrAfterTheEnd) {
  for (double seconds : {-2.0, -0.001, 0.0, 20.0, 40.0, 60.0, 80.0, 80.001, 1000.0})
    EXPECT_TRUE(picturesAt(seconds).empty()) << seconds;
}

TEST(Timeline, QuitsOnlyAfterEightySeconds) {
  EXPECT_FALSE(timeline::finished(0.0));
  EXPECT_FALSE(timeline::finished(79.999));
  EXPECT_FALSE(timeline::finished(80.0));
  EXPECT_TRUE(timeline::finished(80.000001));
  EXPECT_TRUE(timeline::finished(95.0));
}

TEST(Timeline, ReadsTheClockAfreshForEveryComparison) {
  // Lower bounds are read for all four pictures, upper ones only where the lower holds.
  ScriptedClock early{{10.0}};
  picturesAt(early);
  EXPECT_EQ(early.reads, 5u);
  ScriptedClock late{{70.0}};
  picturesAt(late);
  EXPECT_EQ(late.reads, 8u);
  ScriptedClock before{{-0.5}};
  picturesAt(before);
  EXPECT_EQ(before.reads, 4u);
}

TEST(Timeline, AFrameAcrossABoundCanDrawNoPictureOrTwo) {
  // The first picture's lower bound holds, its upper one is read past 20.
  ScriptedClock gap{{19.99, 20.0, 20.0}};
  EXPECT_TRUE(picturesAt(gap).empty());
  // The first picture ends just after its test, the second begins.
  ScriptedClock both{{19.99, 19.99, 20.01}};
  EXPECT_EQ(picturesAt(both), (std::vector<int>{0, 1}));
}
