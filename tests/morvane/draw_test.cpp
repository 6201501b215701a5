// The waterfall as drawn, and the quick drawing while the cube is dragged (draft outlines, a
// thinned-out set).
#include "morvane/core/draw.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "morvane/core/colour_gradient.h"
#include "morvane/core/diagram_geometry.h"
#include "morvane/core/diagram_order.h"
#include "morvane/core/drag_preview.h"
#include "morvane/core/file_set.h"
#include "morvane/core/outline.h"
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
  for (const char* text : {"Demo", "2Theta [\xB0]", "Absolute Intensity", "N", "0.0", "20.0", "50000.0"})
    EXPECT_NE(dc.FindText(text), nullptr) << text;
  // Z ticks along the hidden top-left edge, the first at the front corner (110, 130).
  const int z0 = dc.IndexOf(CanvasCall::TextOut, [](const CanvasCall& c) { return c.text == "0.0" && c.points[0].x < 110; });
  ASSERT_GE(z0, 0);
  EXPECT_EQ(dc.calls[z0].points[0], (Point{100, 130 - 11 / 2}));
  // The hidden Z axis comes before the first diagram, the visible X and Y axes after the last one.
  const int firstPolygon = dc.IndexOf(CanvasCall::Polygon, [](const CanvasCall&) { return true; });
  EXPECT_LT(z0, firstPolygon);
  EXPECT_GT(dc.IndexOf(CanvasCall::TextOut, [](const CanvasCall& c) { return c.text == "2Theta [\xB0]"; }), firstPolygon);
}

TEST(BuildPolygon, PointsOnTheFaceClosedOnTheBaseLine) {
  std::vector<float> data(1000);
  for (int j = 0; j < 1000; ++j) data[j] = static_cast<float>(j);
  Diagram d = MakeDiagram(data, 10, 60, 0);
  d.ScreenRect = {100, 100, 600, 400};
  std::vector<Point> pts(d.Capacity + 10);
  ASSERT_EQ(BuildPolygon(d, pts, {10, 60}, {0, 999}, false), 1002);
  EXPECT_EQ(pts[1], (Point{100, 400}));     // intensity 0 on the base line
  EXPECT_EQ(pts[1000], (Point{600, 100}));  // the top, x = 999 * 0.5 rounded
  EXPECT_EQ(pts[1001], (Point{600, 400}));
  EXPECT_FLOAT_EQ(d.VisibleXEnd, 10 + 999 * 0.05f);
  // X from 10 to 30: a diagram from 20 begins 10 steps in; Y up to 100, so 500 is cut at the top.
  d = MakeDiagram({5, 50, 500}, 20, 23, 0, 4);
  d.ScreenRect = {0, 0, 100, 100};
  ASSERT_EQ(BuildPolygon(d, pts, {10, 30}, {0, 100}, false), 6);  // slot 3 (past the points, intensity 0) is part of it
  EXPECT_EQ(pts[1], (Point{50, 95}));
  EXPECT_EQ(pts[3], (Point{60, 0}));
  EXPECT_EQ(BuildPolygon(d, pts, {0, 5}, {0, 100}, false), 0);  // entirely right of the range
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

TEST(Draw, FrontPolygonsHideTheDiagramsBehindThemAndOnlyTheHighlightedBaseLineShows) {
  RecordingCanvas dc;
  const ViewerState st = Painted({0, 1, 2}, dc, false);
  // Back to front, each polygon filled with the background even unfilled, so it covers what is behind.
  const auto polygons = Polygons(dc);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[0]->points[0].x, st.Back.left);
  EXPECT_EQ(polygons[2]->points[0].x, st.Front.left);
  std::vector<km::Rgb> basePens;
  std::optional<km::Rgb> brush;
  // After each polygon: a pen for the base line, then the line from one pixel right of its first point.
  for (size_t i = 0; i + 3 < dc.calls.size(); ++i) {
    if (dc.calls[i].kind == CanvasCall::SetBrush) brush = dc.calls[i].color;
    if (dc.calls[i].kind == CanvasCall::Polygon) {
      EXPECT_EQ(brush, st.BackColor);
      EXPECT_EQ(dc.calls[i + 2].points[0].x, dc.calls[i].points[0].x + 1);
      basePens.push_back(dc.calls[i + 1].pen.color);
    }
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
  // The cube a status file brings back, kept through the reset, is checked on the window.
  st.RelativeIntensities = true;
  ResetRanges(st, view, {0, 0, 640, 400});
  EXPECT_EQ(st.YDraw, (FloatRange{0, 100}));
}

TEST(TopView, TwoDiagramsTakeFixedNeighboursAndMeetHalfWay) {
  ViewerState st = StateWith({MakeDiagram({0, 5, 10}, 0, 3, 0), MakeDiagram({10, 5, 0}, 0, 3, 10)});
  st.TopView = true;
  ViewState view;
  RecordingCanvas dc;
  Paint(dc, st, view, 800, 600);  // the ranges and faces
  std::vector<int> order;
  SortDiagrams(st, order);
  const float depth = PlaceDiagrams(st, view, 1.0f);
  const auto bands = TopViewBands(st, order, depth, 1.0f);
  // Front 130..550: Z 0 at the top, Z 10 at the bottom, the two bands meeting at Z 5.
  EXPECT_FLOAT_EQ(bands[0].lower, 130 + 420 * 0.5f);  // diagram 1 (Z 10): from 5 ...
  EXPECT_FLOAT_EQ(bands[0].upper, 550);                // ... to 10
  EXPECT_FLOAT_EQ(bands[1].upper, 340);
}

TEST(DraftOutline, KeepsTheHighestPointOfEachColumnAndTheBaseEnds) {
  using Points = std::vector<km::Point>;
  const std::pair<Points, Points> cases[] = {
      {{{0, 50}, {0, 40}, {1, 30}, {2, 45}, {2, 50}}, {{0, 50}, {0, 40}, {1, 30}, {2, 45}, {2, 50}}},
      {{{5, 50}, {5, 44}, {5, 41}, {5, 47}, {6, 30}, {6, 38}, {7, 49}, {7, 50}}, {{5, 50}, {5, 41}, {6, 30}, {7, 49}, {7, 50}}},
      {{{9, 20}, {9, 20}, {9, 20}}, {{9, 20}, {9, 20}, {9, 20}}},  // base ends kept though they share a column
  };
  for (const auto& [in, draft] : cases) {
    Points pts = in;
    const auto kept = DraftOutline(pts);
    EXPECT_EQ(Points(kept.begin(), kept.end()), draft);
  }
}

TEST(DragPreview, SelectionIsSpreadEvenlyAndKeepsBothEnds) {
  struct Case {
    int count, max, kept;
  } cases[] = {{200, 40, 40}, {200, 1, 2}, {10, 40, 10}, {0, 5, 0}};
  for (const Case& c : cases) {
    const std::vector<bool> keep = PreviewSelection(c.count, c.max);
    ASSERT_EQ(keep.size(), static_cast<size_t>(c.count));
    EXPECT_EQ(std::count(keep.begin(), keep.end(), true), c.kept) << c.count << " " << c.max;
    EXPECT_TRUE(c.count == 0 || (keep.front() && keep.back()));
  }
  int longestGap = 0, gap = 0;
  for (bool k : PreviewSelection(200, 40)) longestGap = std::max(longestGap, gap = k ? 0 : gap + 1);
  EXPECT_LE(longestGap, 5);
}

TEST(DragPreview, CountFollowsTheFrameBudget) {
  EXPECT_EQ(PreviewDiagramCount(400.0, 200, 25.0, 8, 200), 12);  // 2 ms a diagram
  EXPECT_EQ(PreviewDiagramCount(5000.0, 200, 25.0, 8, 200), 8);
  EXPECT_EQ(PreviewDiagramCount(0.0, 0, 25.0, 8, 200), 200);  // nothing measured yet
  EXPECT_EQ(PreviewDiagramCount(5000.0, 200, 25.0, 8, 3), 3);
}

// The thinning on the window is checked there; here the user's own omissions survive it.
TEST(DragPreview, ScopeRestoresTheOmittedFlags) {
  ViewerState st;
  CreateDemoSet(st);
  st.Diagrams[7].Omitted = true;
  { PreviewScope scope(st, 5); }
  for (int i = 0; i < 20; ++i) EXPECT_EQ(st.Diagrams[i].Omitted, i == 7) << i;
}

}  // namespace
}  // namespace morvane
