#include "morvane/core/axes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/recording_canvas.h"

namespace morvane {
namespace {

using km::testing::CanvasCall;
using km::testing::RecordingCanvas;

TEST(ComputeTicks, CoversTheRangeWithTheSmallestNiceIncrement) {
  struct Case {
    float min, max;
    bool fileNumbers;  // the plain file number on the depth axis: whole increments only
    float increment, start;
  };
  // The start is a multiple of the power of ten, rounded half away from zero.
  for (const Case& c : {Case{0, 2537, false, 400, 0}, Case{0, 2537, true, 400, 0}, Case{10, 10.5f, false, 0.05f, 10},
                        Case{1, 1.03f, false, 0.004f, 1}, Case{13, 97, false, 10, 10}}) {
    float increment = 0, start = -1;
    ComputeTicks(c.min, c.max, increment, start, true, 8, c.fileNumbers);
    EXPECT_FLOAT_EQ(increment, c.increment) << c.min << ".." << c.max;
    EXPECT_NEAR(start, c.start, 1e-6) << c.min << ".." << c.max;
  }
  float increment = 0, start = 0;
  EXPECT_EQ(ComputeTicks(0, 2537, increment, start, true, 8, false), 6);
  EXPECT_EQ(ComputeTicks(10.0f, 10.5f, increment, start, true, 8, true), 0);  // no whole number inside
  EXPECT_FLOAT_EQ(increment, 1.0f);
  // Degenerate ranges end at once.
  EXPECT_EQ(ComputeTicks(5, 5, increment, start, true, 8, false), 0);
  EXPECT_EQ(ComputeTicks(5, -5, increment, start, true, 8, false), 0);
  EXPECT_EQ(ComputeTicks(0, INFINITY, increment, start, true, 8, false), 0);
  EXPECT_EQ(ComputeTicks(NAN, 1, increment, start, true, 8, false), 0);
  EXPECT_GT(increment, 0);
}

TEST(FormatTickValue, KeepsOneDecimalAtLeast) {
  const std::pair<float, std::string> cases[] = {{2.0f, "2.0"}, {2.5f, "2.5"}, {12.25f, "12.25"}, {2400.0f, "2400.0"},
                                                 {-0.05f, "-0.05"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatTickValue(value), text);
}

AxisStyle Style() { return {{0, 0, 0}, km::FontSpec{"Arial", -10, 400, 0, false}}; }

std::vector<std::string> Labels(const RecordingCanvas& dc) {
  std::vector<std::string> labels;
  for (const CanvasCall* c : dc.Of(CanvasCall::TextOut)) labels.push_back(c->text);
  return labels;
}

TEST(DrawAxis, TicksNumbersAndTurnedCaptionOfAVerticalAxis) {
  RecordingCanvas dc;
  dc.SetFont(Style().font);
  // Y axis on the left, bottom (value 0) to top (value 100), ticks every 25.
  const int distance = DrawAxis(dc, Style(), 100, 300, 100, 100, 0, 0, 25, 4, 2, 1.0f, "Counts", {0, 100});
  ASSERT_EQ(Labels(dc), (std::vector<std::string>{"0.0", "25.0", "50.0", "75.0", "100.0", "Counts"}));
  // Ticks run 8 pixels to the left; numbers end 10 pixels left, centred on the tick by half a line.
  EXPECT_EQ(dc.FindText("50.0")->points[0], (km::Point{90, 200 - 5}));
  const CanvasCall* caption = dc.FindText("Counts");
  EXPECT_EQ(caption->font.escapement, 900);
  const int widest = 5 * dc.charWidth;  // "100.0"
  EXPECT_EQ(caption->points[0], (km::Point{100 - widest - 14, 200}));
  EXPECT_EQ(distance, widest + 14);
  // The font is turned back afterwards.
  EXPECT_EQ(dc.font.escapement, 0);
}

TEST(DrawAxis, FirstTickBelowTheMinimumMovesOnAndValuesOutsideAreSkipped) {
  RecordingCanvas dc;
  dc.SetFont(Style().font);
  DrawAxis(dc, Style(), 0, 50, 400, 50, 12, 10, 10, 5, 1, 1.0f, "X", {12, 48});
  ASSERT_EQ(Labels(dc), (std::vector<std::string>{"20.0", "30.0", "40.0", "X"}));
  // 20 lies 8/36 of the way along 400 pixels.
  EXPECT_EQ(dc.FindText("20.0")->points[0], (km::Point{89, 60}));
}

}  // namespace
}  // namespace morvane
