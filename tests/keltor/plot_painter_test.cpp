#include "keltor/core/plot_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/keltor/plot_canvas_queries.h"

namespace keltor {
namespace {

using keltor::test::Replay;

// 4 pixels per millimetre, 7 pixels per character.
struct RecordingCanvas : km::testing::RecordingCanvas {
  RecordingCanvas() {
    caps = {1200, 1000, 300, 250, 96, 96, -1};
    charWidth = 7;
  }
  void Clear() { calls.clear(); }
  auto LinesIn(km::Rgb color) const { return Replay(*this).LinesIn(color); }
  auto FindText(std::string_view text) const { return Replay(*this).FindText(text); }
};

constexpr km::Rgb kCurve{0, 0, 127};

PlotSettings Settings(double xMin, double xMax, double yMin, double yMax) {
  PlotSettings s;
  s.XMin = xMin;
  s.XMax = xMax;
  s.YMin = yMin;
  s.YMax = yMax;
  s.Outer = {0, 0, 600, 300};
  s.CurveColor = kCurve;
  return s;
}

km::FontSpec Font() {
  km::FontSpec f;
  f.height = -15;
  return f;
}

TEST(PlotFrame, MarginsMakeRoomForLabelsAndTitles) {
  // 4 pixels per mm: ticks and gaps of 0.8 mm are 3 pixels; text 15 pixels high, 7 per character.
  RecordingCanvas canvas;
  PlotSettings s = Settings(10, 80, 0, 1000);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  // left: "1000" (28) + 3T + G, plus the Y title's h + T; top: h/3 + G; bottom: 3T/2 + G + h.
  EXPECT_EQ(s.Inner, (km::Rect{28 + 9 + 3 + 15 + 3, 5 + 3, 600 - 3, 300 - (4 + 3 + 15)}));
  ASSERT_FALSE(Replay(canvas).fills.empty());
  EXPECT_EQ(Replay(canvas).fills.front(), s.Outer);

  const auto title = canvas.FindText("Absolute Intensity");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->font.escapement, 900);
  EXPECT_EQ(title->at.x, 3);
  EXPECT_EQ(title->at.y, (s.Inner.top + s.Inner.bottom + 18 * 7) / 2);
  const auto xTitle = canvas.FindText("2Theta");
  ASSERT_TRUE(xTitle);
  EXPECT_EQ(xTitle->at, (km::Point{s.Inner.right, s.Inner.bottom + 5}));  // round(1.5 * 0.8 * 4)
  EXPECT_EQ(xTitle->align, km::align::Right | km::align::Top);
}

TEST(PlotFrame, TickLabelsAreTrimmedAndKeepClearOfTheTitle) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(10, 80, 0, 1000);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  EXPECT_GE(s.XTickCount, 2);
  EXPECT_TRUE(canvas.FindText("10.00"));  // X labels keep two decimals
  EXPECT_TRUE(canvas.FindText("1000"));   // Y labels none
  EXPECT_TRUE(canvas.FindText("0"));
  // "80.00" would run into "2Theta" and is left out.
  EXPECT_FALSE(canvas.FindText("80.00"));
  const auto title = canvas.FindText("2Theta");
  for (const auto& t : Replay(canvas).texts) {
    if (t.at.y != title->at.y || t.text == "2Theta") continue;
    EXPECT_LE(t.at.x + static_cast<int>(t.text.size()) * 7, s.Inner.right - 6 * 7 - 6) << t.text;
  }
}

TEST(PlotFrame, ATinyWindowStillGetsTwoTicksPerAxis) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(10, 80, 0, 1000);
  s.Outer = {0, 0, 90, 40};
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  EXPECT_GE(s.XTickCount, 1);
  EXPECT_GE(s.YTickCount, 1);
}

std::vector<float> Ramp(int n) {
  std::vector<float> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = static_cast<float>(500 + 400 * std::sin(i * 0.01));
  return v;
}

TEST(PlotCurve, ManyPointsAreDrawnAsOneStrokePerColumn) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(10, 80, 0, 1000);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  const std::vector<float> data = Ramp(16384);
  s.PointCount = 16384;
  s.Begin = 10;
  s.Step = 70.0 / 16383;
  s.Data = data;
  ASSERT_TRUE(painter.UsesDenseMethod());
  canvas.Clear();
  painter.DrawCurve();
  const auto strokes = canvas.LinesIn(kCurve);
  ASSERT_FALSE(strokes.empty());
  EXPECT_LE(static_cast<int>(strokes.size()), s.Inner.Width() + 1);
  int previousColumn = s.Inner.left - 1;
  for (const auto& l : strokes) {
    EXPECT_EQ(l.from.x, l.to.x);
    EXPECT_EQ(l.from.x, previousColumn + 1);  // one stroke per column, left to right
    previousColumn = l.from.x;
    EXPECT_LT(l.to.y, l.from.y);  // drawn upwards, one pixel beyond the high end
    EXPECT_GE(l.to.y, s.Inner.top - 1);
    EXPECT_LE(l.from.y, s.Inner.bottom);
  }
  EXPECT_EQ(previousColumn, s.Inner.right);
}

TEST(PlotCurve, DenseStrokesAreClampedAndSkippedOutsideTheYExtent) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(0, 100, 0, 100);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  std::vector<float> data(5000, 150.0f);                        // all above YMax: nothing drawn
  std::fill(data.begin() + 2500, data.end(), 50.0f);            // then inside
  s.PointCount = 5000;
  s.Begin = 0;
  s.Step = 100.0 / 4999;
  s.Data = data;
  canvas.Clear();
  painter.DrawCurve();
  const auto strokes = canvas.LinesIn(kCurve);
  ASSERT_FALSE(strokes.empty());
  // The column where the curve falls is clamped to the top; no stroke lies wholly above.
  const int middle = painter.Column(50);
  EXPECT_GE(strokes.front().from.x, middle - 1);
  EXPECT_LE(strokes.front().from.x, middle + 1);
  EXPECT_EQ(strokes.front().to.y, s.Inner.top - 1);
  for (const auto& l : strokes) EXPECT_GE(l.to.y, s.Inner.top - 1);
}

TEST(PlotCurve, FewPointsAreJoinedByClippedLines) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(10, 80, 0, 1000);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  const std::vector<float> data = Ramp(200);
  s.PointCount = 200;
  s.Begin = 10;
  s.Step = 70.0 / 199;
  s.Data = data;
  ASSERT_FALSE(painter.UsesDenseMethod());
  canvas.Clear();
  painter.DrawCurve();
  const auto lines = canvas.LinesIn(kCurve);
  ASSERT_EQ(lines.size(), 199u);
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].from, lines[i - 1].to);  // one pen walk
  ASSERT_TRUE(lines.front().clip);
  EXPECT_EQ(lines.front().clip->left, s.Inner.left);
  EXPECT_EQ(lines.front().clip->top, s.Outer.top);
  EXPECT_EQ(lines.front().from, (km::Point{painter.Column(10), painter.Row(data[0])}));
}

TEST(PlotCurve, ACurveAboveTheTopIsCutThereAndContinues) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(0, 6, 0, 100);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  const std::vector<float> data = {0, 50, 200, 300, 50, 0, 20};
  s.PointCount = 7;
  s.Begin = 0;
  s.Step = 1;
  s.Data = data;
  canvas.Clear();
  painter.DrawCurve();
  const auto lines = canvas.LinesIn(kCurve);
  // 0-1 drawn, 1-2 cut at the top, 2-3 wholly above (left out), 3-4 from the top, 4-5, 5-6.
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1].to, (km::Point{painter.Column(1 + 50.0 / 150), s.Inner.top}));
  EXPECT_EQ(lines[2].from, (km::Point{painter.Column(3 + 200.0 / 250), s.Inner.top}));
  EXPECT_EQ(lines[2].to, (km::Point{painter.Column(4), painter.Row(50)}));
  EXPECT_EQ(lines[3].from, lines[2].to);
  for (const auto& l : lines) {
    EXPECT_GE(l.from.y, s.Inner.top);
    EXPECT_GE(l.to.y, s.Inner.top);
  }
}

TEST(PlotCurve, ValuesOutsideTheXExtentAreNotVisited) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(10, 20, 0, 100);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  std::vector<float> data(31, 50.0f);  // X 0 .. 30
  s.PointCount = 31;
  s.Begin = 0;
  s.Step = 1;
  s.Data = data;
  canvas.Clear();
  painter.DrawCurve();
  const auto lines = canvas.LinesIn(kCurve);
  // From X 9 (one step left of XMin still counts) to X 20.
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines.front().from.x, painter.Column(9));
  EXPECT_EQ(lines.back().to.x, painter.Column(20));
}

TEST(PlotCurve, EmptyExtentsDrawNothingRatherThanDivideByZero) {
  RecordingCanvas canvas;
  PlotSettings s = Settings(10, 10, 5, 5);
  PlotPainter painter(s, canvas, Font());
  painter.DrawFrame();
  std::vector<float> data(10, 5.0f);
  s.PointCount = 10;
  s.Step = 0;
  s.Data = data;
  canvas.Clear();
  painter.DrawCurve();
  EXPECT_TRUE(canvas.LinesIn(kCurve).empty());
}

}  // namespace
}  // namespace keltor
