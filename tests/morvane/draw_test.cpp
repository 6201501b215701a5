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

[[maybe_unused]] Diagram MakeDiagram(std::vector<float> intensities, float xBegin, float xEnd, float z, int capacity = 0) {
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
[[maybe_unused]] ViewerState StateWith(std::vector<Diagram> diagrams) {
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
  EXPECT_EQ(st.Front, (Rect{110, 130, 690, 550}));
  EXPECT_EQ(st.Back, (Rect{210, 50, 790, 470}));
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

}  // namespace
}  // namespace morvane
