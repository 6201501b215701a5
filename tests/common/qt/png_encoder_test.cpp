// PNG files read back by Qt's own reader: every pixel as drawn, for pictures that repeat a lot, that
// never repeat, and of awkward sizes.
#include "common/qt/png_encoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "tests/support/qt_environment.h"

namespace km {
namespace {

QImage Noise(int w, int h, unsigned seed) {
  QImage image(w, h, QImage::Format_RGB32);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(random() & 0xFF, random() & 0xFF, random() & 0xFF));
  return image;
}

QImage Drawing(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  for (int k = 0; k < 40; ++k) painter.drawLine(k * 7 % w, 0, w - 1 - k * 13 % w, h - 1);
  painter.fillRect(w / 4, h / 4, w / 2, h / 3, QColor(200, 30, 10));
  painter.drawText(10, h / 2, "2Theta [\xC2\xB0] 10000.0");
  return image;
}

TEST(PngEncoder, QtReadsBackEveryPixel) {
  QImage argb = Noise(50, 40, 3).convertToFormat(QImage::Format_ARGB32);
  argb.setPixel(0, 0, qRgba(10, 20, 30, 0));  // alpha is left out, the colour kept
  QImage plain(700, 500, QImage::Format_RGB32);
  plain.fill(QColor(12, 34, 56));
  // Rows that repeat a lot, never repeat, awkward sizes, rows too long to match the row above, one
  // colour, transparent pixels, another format.
  for (const QImage& image : {Drawing(640, 480), Noise(300, 200, 1), Noise(1, 1, 2), Drawing(500, 1), Noise(1, 300, 4),
                              Drawing(11000, 6), plain, argb, Drawing(120, 90).convertToFormat(QImage::Format_Grayscale8)}) {
    SCOPED_TRACE(::testing::Message() << image.width() << "x" << image.height());
    const auto png = EncodePng(image);
    ASSERT_TRUE(png.has_value());
    QImage read;
    ASSERT_TRUE(read.loadFromData(png->data(), static_cast<int>(png->size()), "PNG"));
    EXPECT_TRUE(read.convertToFormat(QImage::Format_RGB32) == image.convertToFormat(QImage::Format_RGB32));
  }
}

TEST(PngEncoder, DrawnPicturesStaySmallAndNoPictureGivesNothing) {
  // A drawn picture packs to a small fraction of its pixels' bytes.
  const auto png = EncodePng(Drawing(1920, 1080));
  ASSERT_TRUE(png.has_value());
  EXPECT_LT(png->size(), size_t{1920} * 1080 * 3 / 15);
  EXPECT_FALSE(EncodePng(QImage()).has_value());
}

}  // namespace
}  // namespace km
