#include "morvane/core/scaling_setup.h"

#include <gtest/gtest.h>

#include <cmath>

#include "morvane/core/file_set.h"
#include "morvane/core/ranges.h"

namespace morvane {
namespace {

struct ScalingSetupTest : ::testing::Test {
  ViewerState st;
  ViewState view;
  void SetUp() override {
    CreateDemoSet(st);  // X 0..20, Y 0..50000, Z 0..19
    ResetRanges(st, view, {0, 0, 800, 600});
  }
};

TEST_F(ScalingSetupTest, OkHoldsEachRangeWithinItsFullRangeExceptTheYMaximum) {
  struct Case {
    FloatRange x, y, z;
    FloatRange ex, ey, ez;
  } cases[] = {
      {{80, 20}, {0, 100}, {0, 19}, {0, 20}, {0, 100}, {0, 19}},             // X From above To: full X
      {{5, 10}, {0, 90000}, {2, 30}, {5, 10}, {0, 90000}, {2, 19}},         // Y above the full one kept
      {{-5, 50}, {-10, 100}, {-1, 3}, {0, 20}, {0, 100}, {0, 3}},           // minima raised, X max lowered
      {{NAN, 10}, {5, 5}, {4, 4}, {0, 20}, {0, 50000}, {0, 19}},            // nothing usable: full ranges
  };
  for (const Case& c : cases) {
    ScalingSetup s = OpenScalingSetup(st);
    s.X = c.x, s.Y = c.y, s.Z = c.z;
    ApplyScalingSetup(st, s);
    EXPECT_EQ(st.XDraw, c.ex);
    EXPECT_EQ(st.YDraw, c.ey);
    EXPECT_EQ(st.ZDraw, c.ez);
  }
}

TEST_F(ScalingSetupTest, ScalingChoicesPutTheFullMaximumInTheYToField) {
  ScalingSetup s = OpenScalingSetup(st);
  EXPECT_EQ(s.Mode, 0);
  EXPECT_EQ(s.FullY.max, 50000.0f);
  ChooseSetupScaling(st, s, 1);
  EXPECT_FLOAT_EQ(s.Y.max, std::sqrt(50000.0f));
  ChooseSetupScaling(st, s, 2);
  EXPECT_FLOAT_EQ(s.Y.max, std::log10(50000.0f));
  ChooseSetupIndividual(st, s, true);
  EXPECT_EQ(s.Y.max, 100.0f);
  ChooseSetupScaling(st, s, 0);  // Individual on: Y To stays
  EXPECT_EQ(s.Y.max, 100.0f);
  ChooseSetupIndividual(st, s, false);
  EXPECT_EQ(s.Y.max, 50000.0f);
  ChooseSetupScaling(st, s, 2);
  ApplyScalingSetup(st, s);
  EXPECT_TRUE(st.LOG);
  EXPECT_FALSE(st.Linear);
  EXPECT_EQ(st.Diagrams[0].Scaling, 2);
  EXPECT_FLOAT_EQ(st.YDraw.max, std::log10(50000.0f));
}

TEST_F(ScalingSetupTest, LogOfASetBelowOneCountIsZero) {
  for (Diagram& d : st.Diagrams) d.RawMax = 0.5f;
  EXPECT_EQ(FullYMaximum(st, 2), 0.0f);
  EXPECT_EQ(FormatSetupNumber(12.345f), "12.35");
}

}  // namespace
}  // namespace morvane
