#include "common/core/numbers.h"

#include <gtest/gtest.h>

#include <array>

namespace km {
namespace {

TEST(Numbers, IsNumberTextByMode) {
  EXPECT_FALSE(IsNumberText("12e3", 1));
  EXPECT_TRUE(IsNumberText("-12", 1));
  EXPECT_TRUE(IsNumberText("  12e3  ", 2));
  EXPECT_TRUE(IsNumberText("1.5D-3", 2));
  EXPECT_FALSE(IsNumberText("1 2", 2));  // a blank inside
  EXPECT_FALSE(IsNumberText("+-.", 2));  // no digit
  EXPECT_FALSE(IsNumberText("   ", 2));
  EXPECT_FALSE(IsNumberText("0x12", 2));
}

TEST(Numbers, ParseNumbersFreeFormText) {
  std::array<float, 4> values{9, 9, 9, 9};
  EXPECT_EQ(ParseNumbers("1.5; 2e3 x -4", values), 3);
  EXPECT_EQ(values, (std::array<float, 4>{1.5f, 2000.0f, -4.0f, 0.0f}));  // the rest cleared
}

TEST(Numbers, ParseNumbersStopsAtCapacityAndSkipsNonNumbers) {
  std::array<float, 2> values{};
  EXPECT_EQ(ParseNumbers("- . e 1,2,3", values), 2);
  EXPECT_EQ(values, (std::array<float, 2>{1.0f, 2.0f}));
  // Too large for a float: not taken rather than stored as infinity.
  EXPECT_EQ(ParseNumbers("1e99 7", values), 1);
  EXPECT_FLOAT_EQ(values[0], 7.0f);
  EXPECT_EQ(ParseNumbers("anything", std::span<float>{}), 0);
}

}  // namespace
}  // namespace km
