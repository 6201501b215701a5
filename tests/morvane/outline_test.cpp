#include "morvane/core/outline.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane {
namespace {

using Points = std::vector<km::Point>;

TEST(OutlineTest, DraftKeepsTheHighestPointOfEachColumnAndTheBaseEnds) {
  struct Case {
    const char* name;
    Points in, draft;
  };
  const Case cases[] = {
      {"one point per column stays as it is", {{0, 50}, {0, 40}, {1, 30}, {2, 45}, {2, 50}},
       {{0, 50}, {0, 40}, {1, 30}, {2, 45}, {2, 50}}},
      {"a column of noise becomes its top", {{5, 50}, {5, 44}, {5, 41}, {5, 47}, {6, 30}, {6, 38}, {7, 49}, {7, 50}},
       {{5, 50}, {5, 41}, {6, 30}, {7, 49}, {7, 50}}},
      {"the base ends are kept even where a point shares their column",
       {{9, 20}, {9, 20}, {9, 20}}, {{9, 20}, {9, 20}, {9, 20}}},
      {"two points", {{1, 5}, {2, 5}}, {{1, 5}, {2, 5}}},
  };
  for (const Case& c : cases) {
    Points pts = c.in;
    const auto kept = DraftOutline(pts);
    EXPECT_EQ(Points(kept.begin(), kept.end()), c.draft) << c.name;
  }
}

}  // namespace
}  // namespace morvane
