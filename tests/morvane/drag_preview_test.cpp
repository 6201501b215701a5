#include "morvane/core/drag_preview.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "morvane/core/file_set.h"

namespace morvane {
namespace {

TEST(DragPreview, SelectionIsSpreadEvenlyAndKeepsBothEnds) {
  struct Case {
    int count, max, kept;
  } cases[] = {{200, 40, 40}, {200, 1, 2}, {10, 40, 10}, {3, 2, 2}, {0, 5, 0}};
  for (const Case& c : cases) {
    const std::vector<bool> keep = PreviewSelection(c.count, c.max);
    ASSERT_EQ(keep.size(), static_cast<size_t>(c.count));
    EXPECT_EQ(std::count(keep.begin(), keep.end(), true), c.kept) << c.count << " " << c.max;
    EXPECT_TRUE(c.count == 0 || (keep.front() && keep.back()));
  }
  const std::vector<bool> keep = PreviewSelection(200, 40);
  int longestGap = 0, gap = 0;
  for (bool k : keep) longestGap = std::max(longestGap, gap = k ? 0 : gap + 1);
  EXPECT_LE(longestGap, 5);
}

TEST(DragPreview, CountFollowsTheFrameBudget) {
  EXPECT_EQ(PreviewDiagramCount(400.0, 200, 25.0, 8, 200), 12);  // 2 ms a diagram
  EXPECT_EQ(PreviewDiagramCount(4.0, 200, 25.0, 8, 200), 200);
  EXPECT_EQ(PreviewDiagramCount(5000.0, 200, 25.0, 8, 200), 8);
  EXPECT_EQ(PreviewDiagramCount(0.0, 0, 25.0, 8, 200), 200);  // nothing measured yet
  EXPECT_EQ(PreviewDiagramCount(5000.0, 200, 25.0, 8, 3), 3);
}

TEST(DragPreview, ScopeRestoresTheOmittedFlags) {
  ViewerState st;
  CreateDemoSet(st);
  st.Diagrams[7].Omitted = true;
  {
    PreviewScope scope(st, 5);
    EXPECT_EQ(scope.Drawn(), 5);
    EXPECT_EQ(std::count_if(st.Diagrams.begin(), st.Diagrams.end(), [](const Diagram& d) { return !d.Omitted; }), 5);
  }
  for (int i = 0; i < 20; ++i) EXPECT_EQ(st.Diagrams[i].Omitted, i == 7) << i;
}

}  // namespace
}  // namespace morvane
