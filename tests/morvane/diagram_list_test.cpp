// The Diagrams list: its order in depth by series number, the omitted marks, and Omit toggling.
#include <gtest/gtest.h>

#include "morvane/core/diagram_list.h"

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

TEST(DiagramList, ListsByDecreasingSeriesNumberAndMarksOmittedOnes) {
  ViewerState st = SetOf({2, 5, 2, 9});
  st.Diagrams[1].Omitted = true;
  const std::vector<DiagramListEntry> entries = DiagramListEntries(st);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].Diagram, 3);
  EXPECT_EQ(entries[1].Diagram, 1);
  EXPECT_EQ(entries[1].Text, "< SCAN5.RAW >");
  // Equal numbers keep their load order.
  EXPECT_EQ(entries[2].Diagram, 0);
  EXPECT_EQ(entries[3].Diagram, 2);
  EXPECT_EQ(entries[3].Text, "SCAN2.RAW");
}

TEST(DiagramList, OmitTogglesEachChosenDiagramAndPassesOverOthers) {
  ViewerState st = SetOf({1, 2, 3});
  st.Diagrams[2].Omitted = true;
  ToggleOmitted(st, {0, 2, -1, 3, 7});
  EXPECT_TRUE(st.Diagrams[0].Omitted);
  EXPECT_FALSE(st.Diagrams[1].Omitted);
  EXPECT_FALSE(st.Diagrams[2].Omitted);
  // Slots beyond the loaded diagrams are not the user's to change.
  st.Diagrams.emplace_back();
  ToggleOmitted(st, {3});
  EXPECT_FALSE(st.Diagrams[3].Omitted);
}

}  // namespace
}  // namespace morvane
