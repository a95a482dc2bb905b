// The player: where its seeks land.
#include <gtest/gtest.h>

#include <cmath>

#include "Player.h"

namespace {

TEST(ClampSeek, LandsInsideTheMusic) {
  const struct {
    double seconds, landsAt;
  } cases[] = {{-5.0, 0.0}, {0.0, 0.0}, {12.5, 12.5}, {90.0, 90.0}, {95.0, 90.0}, {NAN, 0.0}};
  for (const auto& c : cases)
    EXPECT_EQ(clampSeek(c.seconds, 90.0), c.landsAt) << c.seconds;
}

} // namespace
