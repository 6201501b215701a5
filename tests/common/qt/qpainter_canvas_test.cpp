// The QPainter canvas on an image: pixels as the classic device context sets them.
#include "common/qt/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <vector>

#include "common/core/pixel_drawing.h"
#include "tests/support/qt_environment.h"

namespace km {
namespace {

QImage Blank(int w = 40, int h = 40) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

bool Black(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }

// The image as the canvas leaves it after draw, through the given path and under an optional clip.
template <class Draw>
QImage Drawn(QImage image, Draw draw, QPainterCanvas::RasterPath path = QPainterCanvas::RasterPath::Direct,
             QRect clip = {}) {
  QPainter painter(&image);
  if (!clip.isNull()) painter.setClipRect(clip);
  QPainterCanvas dc(painter, path);
  draw(dc);
  painter.end();
  return image;
}

TEST(QPainterCanvas, LinesLeaveOutTheirEndPixelAndOutlinesTheirRightAndBottom) {
  const QImage image = Drawn(Blank(), [](Canvas& dc) {
    dc.SetPen({{0, 0, 0}, 1, true});
    dc.MoveTo({5, 10});
    dc.LineTo({15, 10});
    dc.MoveTo({30, 5});
    dc.LineTo({30, 15});
    dc.SetBrush(Rgb{255, 0, 0});
    dc.Rectangle({10, 20, 20, 30});
    dc.FillRect({30, 30, 32, 33}, {0, 0, 0});
  });
  EXPECT_TRUE(Black(image, 5, 10) && Black(image, 14, 10) && Black(image, 30, 14) && Black(image, 10, 20));
  EXPECT_TRUE(Black(image, 19, 29) && Black(image, 31, 32) && image.pixel(15, 25) == qRgb(255, 0, 0));
  EXPECT_FALSE(Black(image, 15, 10) || Black(image, 30, 15) || Black(image, 20, 30) || Black(image, 32, 32) ||
               Black(image, 31, 33));
}

TEST(QPainterCanvas, TextAlignmentAroundTheReferencePoint) {
  Size extent;
  const QImage image = Drawn(Blank(200, 60), [&](Canvas& dc) {
    dc.SetFont({"Arial", -20, 700, 0, false});
    dc.SetTextColor({0, 0, 0});
    dc.SetTextBackground(std::nullopt);
    dc.SetTextAlign(align::Right | align::Top);
    dc.TextOut({100, 10}, "MMM");
    extent = dc.TextExtent("MMM");
  });
  EXPECT_GT(extent.cx, 20);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x)
      ASSERT_TRUE(qGray(image.pixel(x, y)) >= 128 || (x <= 100 && x >= 100 - extent.cx - 1 && y >= 10)) << x << "," << y;
}

// Waterfall outlines: a base line, a noisy curve over it with peaks, many points per pixel column.
std::vector<Point> CurveOutline(std::mt19937& random, int left, int base, double xpix) {
  std::uniform_int_distribution<int> noise(0, 12);
  std::vector<Point> p{{left + 3, base}};
  for (int k = 0; k < 1200; ++k) {
    int height = noise(random) + (k % 701 < 9 ? 150 : 0) + (k % 337 == 5 ? 400 : 0);
    p.push_back({left + 3 + static_cast<int>(k * xpix + 0.5), std::max(base - height, base - 300)});
  }
  p.push_back({p.back().x, base});
  return p;
}

// The outline drawn by the painter over a filled (or, without a brush, already filled) image.
void PainterOutline(QImage& image, const std::vector<Point>& outline, bool fill) {
  QPainter painter(&image);
  QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(fill ? QBrush(QColor(200, 30, 10)) : QBrush());
  QPolygon polygon;
  for (const Point& p : outline) polygon << QPoint(p.x, p.y);
  painter.drawPolygon(polygon, Qt::OddEvenFill);
}

TEST(QPainterCanvas, LongCurveOutlinesFillAsOnePolygon) {
  // Through the painter in strips, and the area filled straight into the pixels under the painter's
  // outline: exactly the pixels of the one polygon, under a clip and partly outside the image too.
  // (Straight into the pixels altogether, the same to the eye: see the waterfall pictures.)
  struct Case {
    double xpix;
    int left, base;
    bool clipped;
  };
  std::mt19937 random(7);
  for (const Case c : {Case{0.17, 10, 380, false}, Case{1.0, 10, 380, false}, Case{2.5, 10, 380, false},
                       Case{0.34, 10, 380, true}, Case{2.5, -40, 420, false}, Case{1.0, -40, 420, true}}) {
    SCOPED_TRACE(::testing::Message() << "xpix " << c.xpix << " left " << c.left << " clipped " << c.clipped);
    const auto outline = CurveOutline(random, c.left, c.base, c.xpix);
    QImage whole = Blank(3200, 400), filled = Blank(3200, 400);
    PainterOutline(whole, outline, true);
    FillAreaUnderCurve(PixelSurface(reinterpret_cast<uint32_t*>(filled.bits()), 3200, 400, filled.bytesPerLine() / 4),
                       outline, qRgb(200, 30, 10));
    PainterOutline(filled, outline, false);
    EXPECT_TRUE(whole == filled);
    EXPECT_TRUE(whole == Drawn(Blank(3200, 400), [&](Canvas& dc) {
      dc.SetPen({{0, 0, 0}, 1, true});
      dc.SetBrush(Rgb{200, 30, 10});
      dc.Polygon(outline);
    }, QPainterCanvas::RasterPath::Painter, c.clipped ? QRect(0, 0, 3200, 400) : QRect()));
  }
}

}  // namespace
}  // namespace km
