#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "keltor/core/plot_labels.h"
#include "keltor/core/plot_ticks.h"

namespace keltor {
namespace {

TEST(ChooseTicks, PicksTheStepThatFitsTheCount) {
  TickSet t = ChooseTicks(10, 80, true, 8);
  EXPECT_DOUBLE_EQ(t.step, 10);
  EXPECT_DOUBLE_EQ(t.firstTick, 10);
  EXPECT_EQ(t.count, 7);  // ticks 10, 20, ..., 80

  t = ChooseTicks(12.3, 52.3, true, 8);
  EXPECT_DOUBLE_EQ(t.step, 5);
  EXPECT_DOUBLE_EQ(t.firstTick, 12);  // aligned to the unit: 12, 17, 22, ...
  EXPECT_DOUBLE_EQ(ChooseTicks(12.3, 52.3, false, 8).firstTick, 10);  // aligned to the step: 10, 15, ...

  t = ChooseTicks(2, 100, false, 6);
  EXPECT_DOUBLE_EQ(t.step, 20);
  EXPECT_DOUBLE_EQ(t.firstTick, 0);  // below the axis' low end; the drawing skips it
}

TEST(ChooseTicks, SmallSpansAndDegenerateInputs) {
  const TickSet t = ChooseTicks(0, 0.05, true, 0);  // maxCount 0 counts as 10
  EXPECT_NEAR(t.step, 0.005, 1e-12);
  EXPECT_LE(t.count, 10);
  // Spans that would make the unit search run for ever end at once.
  EXPECT_EQ(ChooseTicks(5, 5, true, 8).count, 0);
  EXPECT_EQ(ChooseTicks(5, 4, true, 8).count, 0);
  EXPECT_EQ(ChooseTicks(0, std::numeric_limits<double>::infinity(), true, 8).count, 0);
  EXPECT_EQ(ChooseTicks(std::nan(""), 1, true, 8).count, 0);
}

TEST(TrimLabel, KeepsTheAskedDecimals) {
  EXPECT_EQ(TrimLabel("12.500   ", 2), "12.50");
  EXPECT_EQ(TrimLabel("12.500", 0), "12.5");  // only zeros go: a label never misstates its value
  EXPECT_EQ(TrimLabel(" 100 ", 0), "100");  // zeros before the point stay
  EXPECT_EQ(TrimLabel(" 12.500 ", -1), "12.500");
  EXPECT_EQ(TrimLabel(FormatAxisValue("%-9.3f", 42.5), 2), "42.50");
}

}  // namespace
}  // namespace keltor
