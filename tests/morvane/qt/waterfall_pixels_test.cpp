// The waterfall drawn straight into an image's pixels against the same picture drawn wholly through
// the painter: the same to the eye. Lines may pass a pixel higher or lower where they run exactly
// halfway between two pixels; nothing else may differ.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/qt/qpainter_canvas.h"
#include "morvane/core/draw.h"
#include "tests/support/picture_compare.h"
#include "tests/support/qt_environment.h"

namespace morvane {
namespace {

// A heating series: noisy background, sharp peaks that shift and grow from scan to scan.
ViewerState HeatingSeries(int scans, int points) {
  ViewerState st;
  st.Diagrams.resize(static_cast<size_t>(scans));
  for (int i = 0; i < scans; ++i) {
    Diagram& d = st.Diagrams[static_cast<size_t>(i)];
    d.PointCount = d.Capacity = points;
    d.Points.resize(static_cast<size_t>(points));
    for (int j = 0; j < points; ++j) {
      const double x = 20.0 + 60.0 * j / points;
      double v = 40 + (j * 7919 + i * 104729) % 23;
      for (double centre : {28.4, 47.3, 56.1, 69.1, 76.4}) {
        const double c = centre + 0.004 * i;
        v += (2000.0 + 30.0 * i) / (1 + (x - c) * (x - c) / 0.004);
      }
      d.Points[static_cast<size_t>(j)] = {j, static_cast<float>(v)};
      d.RawMax = std::max(d.RawMax, d.Points[static_cast<size_t>(j)].Intensity);
    }
    d.ScaledMax = d.TopValue = d.RawMax;
    d.XBegin = d.VisibleXBegin = 20;
    d.XEnd = d.VisibleXEnd = 80;
    d.XStep = 60.0f / static_cast<float>(points);
    d.Z = {static_cast<float>(i + 1), 25.0f + static_cast<float>(i), 0.1f * static_cast<float>(i)};
    d.Color = {static_cast<uint8_t>(255 * i / scans), 40, static_cast<uint8_t>(255 - 255 * i / scans)};
  }
  st.NumDiagrams = scans;
  st.ZAxis = {"Z axis = N", "Z axis = N", "Z axis = Time [h]"};
  st.RangesDirty = true;
  return st;
}

QImage Draw(const ViewerState& series, bool draft, km::QPainterCanvas::RasterPath path, int w, int h) {
  ViewerState st = series;
  ViewState view;
  view.Draft = draft;
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  km::QPainterCanvas canvas(painter, path);
  Paint(canvas, st, view, w, h);
  return image;
}

// Pixels that differ from a neighbour to the right or below: the lines and edges of the picture.
long EdgePixels(const QImage& image) {
  long n = 0;
  for (int y = 0; y + 1 < image.height(); ++y)
    for (int x = 0; x + 1 < image.width(); ++x)
      n += image.pixel(x, y) != image.pixel(x + 1, y) || image.pixel(x, y) != image.pixel(x, y + 1);
  return n;
}

TEST(WaterfallPixels, DirectDrawingLooksAsThroughThePainter) {
  struct Case {
    const char* name;
    int scans, points, width, height;
    bool draft, border, filled;
  };
  const Case cases[] = {
      {"many points per column", 60, 5000, 1280, 800, false, true, true},
      {"draft while dragging", 60, 5000, 1280, 800, true, true, true},
      {"outlines in the curves' colours", 40, 3000, 900, 700, false, false, true},
      {"hollow curves", 40, 3000, 900, 700, false, true, false},
      {"fewer points than columns", 30, 400, 1600, 900, false, true, true},
  };
  for (const Case& c : cases) {
    ViewerState series = HeatingSeries(c.scans, c.points);
    series.BorderPen = c.border;
    series.FilledDiagrams = c.filled;
    const QImage painter = Draw(series, c.draft, km::QPainterCanvas::RasterPath::Painter, c.width, c.height);
    const QImage direct = Draw(series, c.draft, km::QPainterCanvas::RasterPath::Direct, c.width, c.height);
    const km::testing::PictureDifference d = km::testing::ComparePictures(painter, direct);
    const long edges = EdgePixels(painter);
    EXPECT_GT(edges, 10000) << c.name;  // the picture is there at all
    EXPECT_EQ(d.misplaced, 0) << c.name;
    EXPECT_LT(d.differing * 1000, edges) << c.name << ": " << d.differing << " of " << edges << " edge pixels differ";
  }
}

}  // namespace
}  // namespace morvane
