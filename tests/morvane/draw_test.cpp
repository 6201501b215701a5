#include "morvane/core/draw.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "morvane/core/colour_gradient.h"
#include "morvane/core/diagram_geometry.h"
#include "morvane/core/diagram_order.h"
#include "morvane/core/file_set.h"
#include "morvane/core/ranges.h"
#include "tests/support/recording_canvas.h"

namespace morvane {
namespace {

using km::Point;
using km::testing::CanvasCall;
using km::testing::RecordingCanvas;

Diagram MakeDiagram(std::vector<float> intensities, float xBegin, float xEnd, float z, int capacity = 0) {
  Diagram d;
  d.PointCount = static_cast<int>(intensities.size());
  d.Capacity = std::max(capacity, d.PointCount);
  d.Points.resize(d.Capacity);
  for (int j = 0; j < d.Capacity; ++j) d.Points[j] = {j, j < d.PointCount ? intensities[j] : 0.0f};
  d.XBegin = d.VisibleXBegin = xBegin;
  d.XEnd = d.VisibleXEnd = xEnd;
  d.XStep = (xEnd - xBegin) / d.PointCount;
  d.RawMax = d.ScaledMax = d.TopValue = *std::max_element(intensities.begin(), intensities.end());
  d.Z = {z, z, z};
  return d;
}

// A state as a load leaves it, with the given diagrams and the default cube of an 800 x 600 window.
ViewerState StateWith(std::vector<Diagram> diagrams) {
  ViewerState st;
  st.Diagrams = std::move(diagrams);
  st.NumDiagrams = static_cast<int>(st.Diagrams.size());
  st.ZAxis = {"Z axis = N", "Z axis = N", "Z axis = Time [h]"};
  st.RangesDirty = true;
  return st;
}

std::vector<const CanvasCall*> Polygons(const RecordingCanvas& dc) { return dc.Of(CanvasCall::Polygon); }

TEST(Draw, WaterfallOfTheDemoSetHasItsAxesTitleAndTwentyPolygons) {
  ViewerState st;
  CreateDemoSet(st);
  st.Title = "Demo";
  ViewState view;
  RecordingCanvas dc;
  ASSERT_TRUE(Paint(dc, st, view, 800, 600));
  EXPECT_EQ(Polygons(dc).size(), 20u);
  for (const char* text : {"Demo", "2Theta [\xB0]", "Absolute Intensity", "N", "0.0", "20.0", "50000.0"})
    EXPECT_NE(dc.FindText(text), nullptr) << text;
  const CanvasCall* title = dc.FindText("Demo");
  EXPECT_EQ(title->points[0], (Point{10, 597}));
  EXPECT_EQ(title->align, km::align::Left | km::align::Bottom);
  // Z ticks along the hidden top-left edge, the first at the front corner (110, 130).
  const int z0 = dc.IndexOf(CanvasCall::TextOut, [](const CanvasCall& c) { return c.text == "0.0" && c.points[0].x < 110; });
  ASSERT_GE(z0, 0);
  EXPECT_EQ(dc.calls[z0].points[0], (Point{100, 130 - 11 / 2}));
  // The hidden Z axis comes before the first diagram, the visible X and Y axes after the last one.
  const int firstPolygon = dc.IndexOf(CanvasCall::Polygon, [](const CanvasCall&) { return true; });
  EXPECT_LT(z0, firstPolygon);
  EXPECT_GT(dc.IndexOf(CanvasCall::TextOut, [](const CanvasCall& c) { return c.text == "2Theta [\xB0]"; }), firstPolygon);
}

TEST(BuildPolygon, ThousandPointsOverTheirOwnRangeGiveThousandAndTwoPoints) {
  std::vector<float> data(1000);
  for (int j = 0; j < 1000; ++j) data[j] = static_cast<float>(j);
  Diagram d = MakeDiagram(data, 10, 60, 0);
  d.ScreenRect = {100, 100, 600, 400};
  std::vector<Point> pts(d.Capacity + 10);
  const int n = BuildPolygon(d, pts, {10, 60}, {0, 999}, false);
  ASSERT_EQ(n, 1002);
  EXPECT_EQ(pts[0], (Point{100, 400}));
  EXPECT_EQ(pts[1], (Point{100, 400}));               // intensity 0 on the base line
  EXPECT_EQ(pts[1000], (Point{600, 100}));  // the top, x = 999 * 0.5 rounded
  EXPECT_EQ(pts[1001], (Point{600, 400}));  // closes on the base line
  EXPECT_FLOAT_EQ(d.VisibleXEnd, 10 + 999 * 0.05f);
}

TEST(BuildPolygon, DiagramStartingInsideTheRangeIsShiftedAndClampedAtTheTop) {
  Diagram d = MakeDiagram({5, 50, 500}, 20, 23, 0, 4);
  d.ScreenRect = {0, 0, 100, 100};
  std::vector<Point> pts(16);
  // X from 10 to 30: the diagram begins 10 steps in; Y up to 100, so 500 is cut at the top.
  const int n = BuildPolygon(d, pts, {10, 30}, {0, 100}, false);
  ASSERT_EQ(n, 6);  // slot 3 (past the points, intensity 0) is part of it
  EXPECT_EQ(pts[0], (Point{50, 100}));
  EXPECT_EQ(pts[1], (Point{50, 95}));
  EXPECT_EQ(pts[3], (Point{60, 0}));
  // Entirely right of the range: nothing to draw.
  EXPECT_EQ(BuildPolygon(d, pts, {0, 5}, {0, 100}, false), 0);
}

// Diagrams of one small peak at the given depths, painted into an 800 x 600 window.
ViewerState Painted(std::vector<float> depths, RecordingCanvas& dc, bool filled = true) {
  std::vector<Diagram> diagrams;
  for (float z : depths) diagrams.push_back(MakeDiagram({0, 9, 0}, 0, 3, z));
  ViewerState st = StateWith(std::move(diagrams));
  st.FilledDiagrams = filled;
  ViewState view;
  Paint(dc, st, view, 800, 600);
  return st;
}

TEST(Draw, FrontPolygonsHideTheDiagramsBehindThemEvenUnfilled) {
  RecordingCanvas dc;
  const ViewerState st = Painted({0, 1}, dc, false);
  // Back to front: Z 1 first; each polygon is filled with the background so it covers what is behind.
  const auto polygons = Polygons(dc);
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[0]->points[0].x, st.Back.left);
  EXPECT_EQ(polygons[1]->points[0].x, st.Front.left);
  for (const CanvasCall* p : polygons) {
    const CanvasCall* brush = nullptr;
    for (const CanvasCall* c = dc.calls.data(); c < p; ++c)
      if (c->kind == CanvasCall::SetBrush) brush = c;
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->color, st.BackColor);
  }
}

TEST(Draw, BaseLineOfTheHighlightedDiagramKeepsThePenColour) {
  RecordingCanvas dc;
  const ViewerState st = Painted({0, 1, 2}, dc);
  // After each polygon: a pen for the base line, then the line from one pixel right of its first point.
  std::vector<km::Rgb> basePens;
  for (size_t i = 0; i + 3 < dc.calls.size(); ++i)
    if (dc.calls[i].kind == CanvasCall::Polygon) {
      EXPECT_EQ(dc.calls[i + 2].points[0].x, dc.calls[i].points[0].x + 1);
      basePens.push_back(dc.calls[i + 1].pen.color);
    }
  EXPECT_EQ(basePens, (std::vector<km::Rgb>{st.PenColor, st.BackColor, st.BackColor}));
}

TEST(Draw, DiagramOutsideTheZRangeIsNeitherPlacedNorDrawnAndTakesTheBackground) {
  RecordingCanvas first, dc;
  ViewerState st = Painted({0, 1, 5}, first);
  st.ZDraw = {0, 1};
  Recolour(st);
  st.Diagrams[2].ScreenRect = {1, 2, 3, 4};
  ViewState view;
  Draw(dc, st, view, 1.0f);
  EXPECT_EQ(Polygons(dc).size(), 2u);
  EXPECT_EQ(st.Diagrams[2].ScreenRect, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(st.Diagrams[2].Color, st.BackColor);
  EXPECT_EQ(st.Diagrams[1].Color, st.Gradient[255]);
}

TEST(Draw, OneDepthForAllPutsEveryDiagramOnTheFrontFace) {
  RecordingCanvas dc;
  const ViewerState st = Painted({4, 4}, dc);
  EXPECT_EQ(st.ZDraw, (FloatRange{4, 4}));
  for (const Diagram& d : st.Diagrams) EXPECT_EQ(d.ScreenRect, st.Front);
  EXPECT_EQ(st.Diagrams[1].Color, st.Gradient[0]);
}

TEST(ResetRanges, XStartsNoHigherThanHundredAndRelativeRunsToHundredPercent) {
  ViewerState st = StateWith({MakeDiagram({0, 9, 0}, 120, 130, 0), MakeDiagram({0, 4, 0}, 110, 125, 1)});
  ViewState view;
  ResetRanges(st, view, {0, 0, 640, 400});
  EXPECT_EQ(st.XDraw, (FloatRange{100, 130}));
  EXPECT_EQ(st.YDraw, (FloatRange{0, 9}));
  EXPECT_EQ(st.Front, (Rect{110, 130, 530, 350}));
  st.RelativeIntensities = true;
  view.RestoreCube = true;
  st.SavedFront = {1, 2, 300, 200};
  ResetRanges(st, view, {0, 0, 640, 400});
  EXPECT_EQ(st.YDraw, (FloatRange{0, 100}));
  EXPECT_EQ(st.FullYRange, (FloatRange{0, 9}));
  EXPECT_EQ(st.Front, (Rect{1, 2, 300, 200}));
}

TEST(TopView, TwoDiagramsTakeFixedNeighboursAndMeetHalfWay) {
  ViewerState st = StateWith({MakeDiagram({0, 5, 10}, 0, 3, 0), MakeDiagram({10, 5, 0}, 0, 3, 10)});
  st.TopView = true;
  ViewState view;
  RecordingCanvas dc;
  Paint(dc, st, view, 800, 600);
  std::vector<int> order;
  SortDiagrams(st, order);
  const float depth = PlaceDiagrams(st, view, 1.0f);
  const auto bands = TopViewBands(st, order, depth, 1.0f);
  // Front 130..550: Z 0 at the top, Z 10 at the bottom, the two bands meeting at Z 5.
  EXPECT_FLOAT_EQ(bands[0].lower, 130 + 420 * 0.5f);  // diagram 1 (Z 10): from 5 ...
  EXPECT_FLOAT_EQ(bands[0].upper, 550);                // ... to 10
  EXPECT_FLOAT_EQ(bands[1].lower, 130);
  EXPECT_FLOAT_EQ(bands[1].upper, 340);
  // The colour bar: 256 cells two pixels wide from the front face's left edge.
  const int bar = dc.IndexOf(CanvasCall::FillRect, [](const CanvasCall& c) { return c.rect.top == 10; });
  ASSERT_GE(bar, 0);
  EXPECT_EQ(dc.calls[bar].rect, (Rect{110, 10, 112, 30}));
  EXPECT_EQ(dc.calls[bar].color, st.Gradient[0]);
  // The highest intensity of diagram 0 takes the top of the gradient short of its last entry.
  const int hot = dc.IndexOf(CanvasCall::FillRect, [&](const CanvasCall& c) { return c.color == st.Gradient[254]; });
  EXPECT_GE(hot, 0);
  EXPECT_LT(hot, bar);
}

}  // namespace
}  // namespace morvane
