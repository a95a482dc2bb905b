#include <gtest/gtest.h>

#include "ClipName.h"

namespace {

TEST(LastPathComponent, IsThePieceAfterTheLastSeparator) {
  EXPECT_EQ(lastPathComponent("images/env.png"), std::optional<std::string>("env.png"));
  EXPECT_EQ(lastPathComponent("/maps/env.png"), std::optional<std::string>("env.png"));
  EXPECT_EQ(lastPathComponent("env.png"), std::optional<std::string>("env.png"));
  EXPECT_EQ(lastPathComponent("C:Users/Alex/Desktop/bunker.jpg"), std::optional<std::string>("bunker.jpg"));
  EXPECT_EQ(lastPathComponent("maps\\env.png"), std::optional<std::string>("maps\\env.png"));
}

TEST(LastPathComponent, IsNothingWhereSeparatorsOutnumberThePieces) {
  EXPECT_EQ(lastPathComponent("a//b.png"), std::nullopt);
  EXPECT_EQ(lastPathComponent("a/b/"), std::nullopt);
  EXPECT_EQ(lastPathComponent(""), std::nullopt);
  EXPECT_EQ(lastPathComponent("/"), std::nullopt);
}

} // namespace
