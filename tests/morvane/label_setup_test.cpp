#include "morvane/core/label_setup.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

ViewerState TemperatureSet() {
  ViewerState st;
  for (int i = 0; i < 12; ++i) {
    Diagram d;
    d.Z = {static_cast<float>(i + 1), 25.0f + 25.0f * i, 0.9f * i};
    st.Diagrams.push_back(d);
  }
  st.NumDiagrams = 12;
  st.ZAxis = {"Z axis = N", "Z axis = Temperature [\xB0" "C]", "Z axis = Time [h]"};
  st.ZDraw = {1, 12};
  st.XCaption = st.XAxis = "2Theta [\xB0]";
  st.YCaption = st.YAxis = "Absolute Intensity";
  return st;
}

TEST(LabelSetup, AnotherZModeProposesAtMostEightIncrements) {
  ViewerState st = TemperatureSet();
  LabelSetup s = OpenLabelSetup(st);
  EXPECT_EQ(s.ZLabel, "N");
  ChooseLabelZMode(st, s, 1);
  EXPECT_EQ(s.ZLabel, "Temperature [\xB0" "C]");
  // Hours 0..9.9: ten increments of 1 cover it, but that is more than eight of them: 2.
  ChooseLabelZMode(st, s, 2);
  EXPECT_FLOAT_EQ(s.Z.increment, 2);
  EXPECT_FLOAT_EQ(s.Z.count, 4);
  // 25..300 in steps of 40 from 30 (a multiple of ten, rounded half away from zero).
  ChooseLabelZMode(st, s, 1);
  EXPECT_FLOAT_EQ(s.Z.increment, 40);
  EXPECT_FLOAT_EQ(s.Z.start, 30);
  EXPECT_FLOAT_EQ(TicksEnd(s.Z), 270);
  EditLabelZTicks(s, 0, 100);
  EXPECT_FLOAT_EQ(TicksEnd(s.Z), 600);
  s.ZLabel = "T [K]";
  ApplyLabelSetup(st, s);
  EXPECT_EQ(st.ZMode, 1);
  EXPECT_EQ(st.ZAxis[1], "Z axis = T [K]");
  EXPECT_EQ(st.ZDraw, (FloatRange{25, 300}));
  EXPECT_TRUE(st.UserZAxis);
  EXPECT_FALSE(st.UserCaptions);  // the X and Y texts were left as drawn
}

TEST(LabelSetup, ChangedAxisTextsBecomeTheUsersCaptions) {
  ViewerState st = TemperatureSet();
  LabelSetup s = OpenLabelSetup(st);
  s.YLabel = "Counts";
  s.LabelPos = {3, 1, 4};
  ApplyLabelSetup(st, s);
  EXPECT_TRUE(st.UserCaptions);
  EXPECT_EQ(st.YCaption, "Counts");
  EXPECT_EQ(st.XCaption, "2Theta [\xB0]");
  EXPECT_EQ(st.LabelPos, (std::array<int, 3>{3, 1, 4}));
  EXPECT_EQ(st.ZDraw, (FloatRange{1, 12}));  // same mode: the Z range stays
}

}  // namespace
}  // namespace morvane
