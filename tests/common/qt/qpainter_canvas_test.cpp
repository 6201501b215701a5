// The QPainter canvas on an image: pixels as the classic device context sets them.
#include "common/qt/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/core/pixel_drawing.h"
#include "tests/support/picture_compare.h"
#include "tests/support/qt_environment.h"

namespace km {
namespace {

QImage Blank(int w = 40, int h = 40) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

bool Black(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }

TEST(QPainterCanvas, LinesLeaveOutTheirEndPixelAndOutlinesTheirRightAndBottom) {
  QImage image = Blank();
  {
    QPainter painter(&image);
    QPainterCanvas dc(painter);
    dc.SetPen({{0, 0, 0}, 1, true});
    dc.MoveTo({5, 10});
    dc.LineTo({15, 10});
    dc.MoveTo({30, 5});
    dc.LineTo({30, 15});
    dc.SetBrush(Rgb{255, 0, 0});
    dc.Rectangle({10, 20, 20, 30});
    dc.FillRect({30, 30, 32, 33}, {0, 0, 0});
  }
  EXPECT_TRUE(Black(image, 5, 10) && Black(image, 14, 10) && Black(image, 30, 14));
  EXPECT_FALSE(Black(image, 15, 10) || Black(image, 30, 15));
  EXPECT_TRUE(Black(image, 10, 20) && Black(image, 19, 29));
  EXPECT_FALSE(Black(image, 20, 30));
  EXPECT_EQ(image.pixel(15, 25), qRgb(255, 0, 0));
  EXPECT_TRUE(Black(image, 31, 32));
  EXPECT_FALSE(Black(image, 32, 32) || Black(image, 31, 33));
}

TEST(QPainterCanvas, StraightLinesAsThePainterDrawsThem) {
  // Rows and columns go straight into the image: pixel for pixel what the painter draws, in either
  // direction, under a clip, and reaching outside the image.
  const std::vector<std::pair<Point, Point>> lines = {
      {{5, 10}, {35, 10}}, {{35, 12}, {5, 12}},  {{8, 2}, {8, 38}},    {{9, 38}, {9, 2}},
      {{-20, 20}, {90, 20}}, {{20, -50}, {20, 70}}, {{0, 39}, {40, 39}}, {{39, 0}, {39, 40}}};
  for (const bool clipped : {false, true}) {
    QImage images[2] = {Blank(), Blank()};
    for (int k = 0; k < 2; ++k) {
      QPainter painter(&images[k]);
      if (clipped) painter.setClipRect(3, 4, 30, 25);
      QPainterCanvas dc(painter, k == 0 ? QPainterCanvas::RasterPath::Painter : QPainterCanvas::RasterPath::Direct);
      dc.SetPen({{0, 0, 200}, 1, true});
      for (const auto& [from, to] : lines) {
        dc.MoveTo(from);
        dc.LineTo(to);
      }
    }
    EXPECT_TRUE(images[0] == images[1]) << "clipped " << clipped;
  }
}

TEST(QPainterCanvas, TextAlignmentAroundTheReferencePoint) {
  QImage image = Blank(200, 60);
  Size extent;
  {
    QPainter painter(&image);
    QPainterCanvas dc(painter);
    dc.SetFont({"Arial", -20, 700, 0, false});
    dc.SetTextColor({0, 0, 0});
    dc.SetTextBackground(std::nullopt);
    dc.SetTextAlign(align::Right | align::Top);
    dc.TextOut({100, 10}, "MMM");
    extent = dc.TextExtent("MMM");
  }
  EXPECT_GT(extent.cx, 20);
  int minX = 200, maxX = -1, minY = 60;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
      }
  EXPECT_LE(maxX, 100);
  EXPECT_GE(minX, 100 - extent.cx - 1);
  EXPECT_GE(minY, 10);
}

// Waterfall outlines: a base line, a noisy curve over it with peaks, many points per pixel column.
std::vector<Point> CurveOutline(std::mt19937& random, int left, int base, int points, double xpix) {
  std::uniform_int_distribution<int> noise(0, 12);
  std::vector<Point> p{{left + 3, base}};
  for (int k = 0; k < points; ++k) {
    int height = noise(random) + (k % 701 < 9 ? 150 : 0) + (k % 337 == 5 ? 400 : 0);
    p.push_back({left + 3 + static_cast<int>(k * xpix + 0.5), std::max(base - height, base - 300)});
  }
  p.push_back({p.back().x, base});
  return p;
}

QImage PainterPolygon(const std::vector<Point>& outline, int w, int h) {
  QImage image = Blank(w, h);
  QPainter painter(&image);
  QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(QColor(200, 30, 10));
  QPolygon polygon;
  for (const Point& p : outline) polygon << QPoint(p.x, p.y);
  painter.drawPolygon(polygon, Qt::OddEvenFill);
  return image;
}

struct CurveCase {
  double xpix;
  int left, base;
  bool clipped;
};
const CurveCase kCurveCases[] = {{0.17, 10, 380, false}, {1.0, 10, 380, false}, {2.5, 10, 380, false},
                                 {0.34, 10, 380, true},  {2.5, -40, 420, false}, {1.0, -40, 420, true}};

TEST(QPainterCanvas, LongCurveOutlinesFillAsOnePolygon) {
  // Through the painter in strips: exactly the pixels of the one polygon. Straight into the pixels
  // (under a clip, and partly outside the image): the same to the eye. These curves turn at every
  // point, the hardest case for matching the painter's line steps: a few pixels in a thousand of
  // the outline pass one pixel off, a rare one leaves a pixel of the area showing beside it.
  std::mt19937 random(7);
  for (const CurveCase& c : kCurveCases) {
    const auto outline = CurveOutline(random, c.left, c.base, 1200, c.xpix);
    const QImage whole = PainterPolygon(outline, 3200, 400);
    const long outlinePixels = testing::CountColour(whole, qRgb(0, 0, 0));
    for (const auto path : {QPainterCanvas::RasterPath::Painter, QPainterCanvas::RasterPath::Direct}) {
      QImage drawn = Blank(3200, 400);
      {
        QPainter painter(&drawn);
        if (c.clipped) painter.setClipRect(0, 0, 3200, 400);
        QPainterCanvas dc(painter, path);
        dc.SetPen({{0, 0, 0}, 1, true});
        dc.SetBrush(Rgb{200, 30, 10});
        dc.Polygon(outline);
      }
      const testing::PictureDifference d = testing::ComparePictures(whole, drawn);
      const std::string name = "xpix " + std::to_string(c.xpix) + " left " + std::to_string(c.left) +
                               (c.clipped ? " clipped" : "") + " " + std::to_string(d.differing) + " differ";
      if (path == QPainterCanvas::RasterPath::Painter) {
        EXPECT_EQ(d.differing, 0) << name;
      } else {
        EXPECT_LE(d.differing * 50, outlinePixels) << name;
        EXPECT_LE(d.misplaced * 1000, outlinePixels) << name;
      }
    }
  }
}

TEST(QPainterCanvas, AreaUnderCurveFillsThePolygonsInside) {
  // The area filled straight into the pixels with the painter's outline over it: exactly the polygon.
  std::mt19937 random(11);
  for (const CurveCase& c : kCurveCases) {
    const auto outline = CurveOutline(random, c.left, c.base, 1200, c.xpix);
    const QImage whole = PainterPolygon(outline, 3200, 400);
    QImage filled = Blank(3200, 400);
    FillAreaUnderCurve(PixelSurface(reinterpret_cast<uint32_t*>(filled.bits()), 3200, 400, filled.bytesPerLine() / 4),
                       outline, qRgb(200, 30, 10));
    {
      QPainter painter(&filled);
      QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
      pen.setCosmetic(true);
      painter.setPen(pen);
      QPolygon polyline;
      for (const Point& p : outline) polyline << QPoint(p.x, p.y);
      polyline << polyline.first();
      painter.drawPolyline(polyline);
    }
    EXPECT_TRUE(whole == filled) << "xpix " << c.xpix << " left " << c.left;
  }
}

}  // namespace
}  // namespace km
