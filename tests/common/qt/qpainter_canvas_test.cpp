// The QPainter canvas on an image: pixels as the classic device context sets them.
#include "common/qt/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>

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

TEST(QPainterCanvas, LongCurveOutlinesFillExactlyAsOnePolygon) {
  // Filled straight into the image, in strips (under a clip, which only the painter applies), and
  // partly outside the image: always the pixels of the one polygon.
  struct Case {
    double xpix;
    int left, base;
    bool clipped;
  };
  const Case cases[] = {{0.17, 10, 380, false}, {1.0, 10, 380, false}, {2.5, 10, 380, false},
                        {0.34, 10, 380, true},  {2.5, -40, 420, false}, {1.0, -40, 420, true}};
  std::mt19937 random(7);
  for (const Case& c : cases) {
    const auto outline = CurveOutline(random, c.left, c.base, 1200, c.xpix);
    QImage whole = Blank(3200, 400), fast = Blank(3200, 400);
    {
      QPainter painter(&whole);
      QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
      pen.setCosmetic(true);
      painter.setPen(pen);
      painter.setBrush(QColor(200, 30, 10));
      QPolygon polygon;
      for (const Point& p : outline) polygon << QPoint(p.x, p.y);
      painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
    {
      QPainter painter(&fast);
      if (c.clipped) painter.setClipRect(0, 0, 3200, 400);
      QPainterCanvas dc(painter);
      dc.SetPen({{0, 0, 0}, 1, true});
      dc.SetBrush(Rgb{200, 30, 10});
      dc.Polygon(outline);
    }
    EXPECT_TRUE(whole == fast) << "xpix " << c.xpix << " left " << c.left << " clipped " << c.clipped;
  }
}

}  // namespace
}  // namespace km
