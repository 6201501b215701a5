#include "keltor/core/plot_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/keltor/plot_canvas_queries.h"

namespace keltor {
namespace {

using test::PlotCanvas;
using test::Replay;

constexpr km::Rgb kCurve{0, 0, 127};

km::FontSpec Font() {
  km::FontSpec f;
  f.height = -15;
  return f;
}

// A 600 x 300 plot with its frame drawn; Draw adds one curve and returns the lines it drew.
struct Plot {
  Plot(double xMin, double xMax, double yMin, double yMax, km::Rect outer = {0, 0, 600, 300}) {
    s.XMin = xMin;
    s.XMax = xMax;
    s.YMin = yMin;
    s.YMax = yMax;
    s.Outer = outer;
    s.CurveColor = kCurve;
    painter.DrawFrame();
  }
  std::vector<test::DrawnLine> Draw(const std::vector<float>& data, double begin, double step) {
    s.PointCount = static_cast<int>(data.size());
    s.Begin = begin;
    s.Step = step;
    s.Data = data;
    canvas.calls.clear();
    painter.DrawCurve();
    return canvas.LinesIn(kCurve);
  }
  PlotCanvas canvas;
  PlotSettings s;
  PlotPainter painter{s, canvas, Font()};
};

TEST(PlotFrame, MarginsMakeRoomForLabelsAndTitlesAndTickLabelsKeepClear) {
  // 4 pixels per mm: ticks and gaps of 0.8 mm are 3 pixels; text 15 pixels high, 7 per character.
  Plot plot(10, 80, 0, 1000);
  const PlotSettings& s = plot.s;
  // left: "1000" (28) + 3T + G, plus the Y title's h + T; top: h/3 + G; bottom: 3T/2 + G + h.
  EXPECT_EQ(s.Inner, (km::Rect{28 + 9 + 3 + 15 + 3, 5 + 3, 600 - 3, 300 - (4 + 3 + 15)}));

  const auto title = plot.canvas.FindText("Absolute Intensity");
  const auto xTitle = plot.canvas.FindText("2Theta");
  ASSERT_TRUE(title && xTitle);
  EXPECT_EQ(title->font.escapement, 900);
  EXPECT_EQ(xTitle->at, (km::Point{s.Inner.right, s.Inner.bottom + 5}));  // round(1.5 * 0.8 * 4)

  EXPECT_TRUE(plot.canvas.FindText("10.00"));  // X labels keep two decimals, Y labels none
  EXPECT_FALSE(plot.canvas.FindText("80.00"));  // it would run into "2Theta"
  for (const auto& t : Replay(plot.canvas).texts) {
    if (t.at.y != xTitle->at.y || t.text == "2Theta") continue;
    EXPECT_LE(t.at.x + static_cast<int>(t.text.size()) * 7, s.Inner.right - 6 * 7 - 6) << t.text;
  }

  Plot tiny(10, 80, 0, 1000, {0, 0, 90, 40});
  EXPECT_TRUE(tiny.s.XTickCount >= 1 && tiny.s.YTickCount >= 1);
}

std::vector<float> RampValues(int n) {
  std::vector<float> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = static_cast<float>(500 + 400 * std::sin(i * 0.01));
  return v;
}

TEST(PlotCurve, ManyPointsAreDrawnAsOneStrokePerColumn) {
  Plot plot(10, 80, 0, 1000);
  const auto strokes = plot.Draw(RampValues(16384), 10, 70.0 / 16383);
  ASSERT_FALSE(strokes.empty());
  const km::Rect& inner = plot.s.Inner;
  int previousColumn = inner.left - 1;
  for (const auto& l : strokes) {
    EXPECT_EQ(l.from.x, l.to.x);
    EXPECT_EQ(l.from.x, previousColumn + 1);  // one stroke per column, left to right
    previousColumn = l.from.x;
    EXPECT_LT(l.to.y, l.from.y);  // drawn upwards, one pixel beyond the high end
    EXPECT_GE(l.to.y, inner.top - 1);
    EXPECT_LE(l.from.y, inner.bottom);
  }
  EXPECT_EQ(previousColumn, inner.right);
}

TEST(PlotCurve, DenseStrokesAreClampedAndSkippedOutsideTheYExtent) {
  Plot plot(0, 100, 0, 100);
  std::vector<float> data(5000, 150.0f);              // all above YMax: nothing drawn
  std::fill(data.begin() + 2500, data.end(), 50.0f);  // then inside
  const auto strokes = plot.Draw(data, 0, 100.0 / 4999);
  ASSERT_FALSE(strokes.empty());
  // The column where the curve falls is clamped to the top; no stroke lies wholly above.
  EXPECT_NEAR(strokes.front().from.x, plot.painter.Column(50), 1);
  EXPECT_EQ(strokes.front().to.y, plot.s.Inner.top - 1);
  for (const auto& l : strokes) EXPECT_GE(l.to.y, plot.s.Inner.top - 1);
}

// Few points are joined by lines clipped to the data area, in one pen walk where nothing is cut.
TEST(PlotCurve, FewPointsAreJoinedAndACurveAboveTheTopIsCutThereAndContinues) {
  Plot plot(0, 6, 0, 100);
  const auto lines = plot.Draw({0, 50, 200, 300, 50, 0, 20}, 0, 1);
  const PlotPainter& p = plot.painter;
  // 0-1 drawn, 1-2 cut at the top, 2-3 wholly above (left out), 3-4 from the top, 4-5, 5-6.
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1].to, (km::Point{p.Column(1 + 50.0 / 150), plot.s.Inner.top}));
  EXPECT_EQ(lines[2].from, (km::Point{p.Column(3 + 200.0 / 250), plot.s.Inner.top}));
  EXPECT_EQ(lines[2].to, (km::Point{p.Column(4), p.Row(50)}));
  EXPECT_EQ(lines[3].from, lines[2].to);
  ASSERT_TRUE(lines[0].clip);
  EXPECT_EQ(lines[0].clip->left, plot.s.Inner.left);
  for (const auto& l : lines) EXPECT_GE(std::min(l.from.y, l.to.y), plot.s.Inner.top);
}

TEST(PlotCurve, OnlyValuesInsideTheXExtentAreVisitedAndEmptyExtentsDrawNothing) {
  Plot plot(10, 20, 0, 100);
  const auto lines = plot.Draw(std::vector<float>(31, 50.0f), 0, 1);  // X 0 .. 30
  // From X 9 (one step left of XMin still counts) to X 20.
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines.front().from.x, plot.painter.Column(9));
  EXPECT_EQ(lines.back().to.x, plot.painter.Column(20));

  Plot empty(10, 10, 5, 5);  // rather than divide by zero
  EXPECT_TRUE(empty.Draw(std::vector<float>(10, 5.0f), 0, 0).empty());
}

}  // namespace
}  // namespace keltor
