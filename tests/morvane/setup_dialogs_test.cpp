// What the viewer's dialogs do to the state: the Diagrams list, Scaling Setup and Label Setup.
#include <gtest/gtest.h>

#include <cmath>

#include "morvane/core/diagram_list.h"
#include "morvane/core/file_set.h"
#include "morvane/core/label_setup.h"
#include "morvane/core/ranges.h"
#include "morvane/core/scaling_setup.h"

namespace morvane {
namespace {

ViewerState SetOf(std::initializer_list<float> seriesNumbers) {
  ViewerState st;
  for (float z : seriesNumbers) {
    Diagram& d = st.Diagrams.emplace_back();
    d.Z = {z, 100.0f - z, 0.0f};  // the temperature falls as the number grows: the list ignores it
    d.Name = "SCAN" + std::to_string(static_cast<int>(z)) + ".RAW";
  }
  st.NumDiagrams = static_cast<int>(st.Diagrams.size());
  st.ZMode = 1;
  return st;
}

// Omit toggling the chosen entries is checked on the window.
TEST(DiagramList, ListsByDecreasingSeriesNumberAndOmitPassesOverOtherSlots) {
  ViewerState st = SetOf({2, 5, 2, 9});
  st.Diagrams[1].Omitted = true;
  std::vector<std::pair<int, std::string>> entries;
  for (const DiagramListEntry& e : DiagramListEntries(st)) entries.emplace_back(e.Diagram, e.Text);
  EXPECT_EQ(entries, (std::vector<std::pair<int, std::string>>{  // equal numbers keep their load order
                         {3, "SCAN9.RAW"}, {1, "< SCAN5.RAW >"}, {0, "SCAN2.RAW"}, {2, "SCAN2.RAW"}}));
  // Slots beyond the loaded diagrams are not the user's to change.
  st.Diagrams.emplace_back();
  ToggleOmitted(st, {1, -1, 4, 7});
  EXPECT_FALSE(st.Diagrams[1].Omitted);
  EXPECT_FALSE(st.Diagrams[4].Omitted);
}

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

// The square root choice is checked on the window.
TEST_F(ScalingSetupTest, ScalingChoicesPutTheFullMaximumInTheYToField) {
  ScalingSetup s = OpenScalingSetup(st);
  ChooseSetupIndividual(st, s, true);
  ChooseSetupScaling(st, s, 0);  // Individual on: Y To stays at 100 %
  EXPECT_EQ(s.Y.max, 100.0f);
  ChooseSetupIndividual(st, s, false);
  EXPECT_EQ(s.Y.max, 50000.0f);
  ChooseSetupScaling(st, s, 2);
  ApplyScalingSetup(st, s);
  EXPECT_TRUE(st.LOG && !st.Linear);
  EXPECT_EQ(st.Diagrams[0].Scaling, 2);
  EXPECT_FLOAT_EQ(st.YDraw.max, std::log10(50000.0f));
  for (Diagram& d : st.Diagrams) d.RawMax = 0.5f;
  EXPECT_EQ(FullYMaximum(st, 2), 0.0f);  // the log of a set below one count
}

ViewerState TemperatureSet() {
  ViewerState st;
  for (int i = 0; i < 12; ++i) st.Diagrams.emplace_back().Z = {static_cast<float>(i + 1), 25.0f + 25.0f * i, 0.9f * i};
  st.NumDiagrams = 12;
  st.ZAxis = {"Z axis = N", "Z axis = Temperature [\xB0" "C]", "Z axis = Time [h]"};
  st.ZDraw = {1, 12};
  st.XCaption = st.XAxis = "2Theta [\xB0]";
  st.YCaption = st.YAxis = "Absolute Intensity";
  return st;
}

TEST(LabelSetup, AnotherZModeProposesAtMostEightIncrementsAndChangedTextsBecomeTheUsersCaptions) {
  ViewerState st = TemperatureSet();
  LabelSetup s = OpenLabelSetup(st);
  // Hours 0..9.9: ten increments of 1 cover it, but that is more than eight of them: 2.
  ChooseLabelZMode(st, s, 2);
  EXPECT_FLOAT_EQ(s.Z.increment, 2);
  EXPECT_FLOAT_EQ(s.Z.count, 4);
  // 25..300 in steps of 40 from 30 (a multiple of ten, rounded half away from zero).
  ChooseLabelZMode(st, s, 1);
  EXPECT_EQ(s.ZLabel, "Temperature [\xB0" "C]");
  EXPECT_FLOAT_EQ(s.Z.increment, 40);
  EXPECT_FLOAT_EQ(s.Z.start, 30);
  EXPECT_FLOAT_EQ(TicksEnd(s.Z), 270);
  EditLabelZTicks(s, 0, 100);
  EXPECT_FLOAT_EQ(TicksEnd(s.Z), 600);
  s.ZLabel = "T [K]";
  ApplyLabelSetup(st, s);
  EXPECT_EQ(st.ZAxis[1], "Z axis = T [K]");
  EXPECT_EQ(st.ZDraw, (FloatRange{25, 300}));
  EXPECT_FALSE(st.UserCaptions);  // the X and Y texts were left as drawn
  s = OpenLabelSetup(st);
  s.YLabel = "Counts";
  ApplyLabelSetup(st, s);
  EXPECT_TRUE(st.UserCaptions);
  EXPECT_EQ(st.YCaption, "Counts");
  EXPECT_EQ(st.XCaption, "2Theta [\xB0]");
  EXPECT_EQ(st.ZDraw, (FloatRange{25, 300}));  // same mode: the Z range stays
}

}  // namespace
}  // namespace morvane
