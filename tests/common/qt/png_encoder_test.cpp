// PNG files read back by Qt's own reader: every pixel as drawn, for pictures that repeat a lot, that
// never repeat, and of awkward sizes.
#include "common/qt/png_encoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>
#include <string>

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
  struct Case {
    const char* name;
    QImage image;
  };
  QImage argb = Noise(50, 40, 3).convertToFormat(QImage::Format_ARGB32);
  argb.setPixel(0, 0, qRgba(10, 20, 30, 0));  // alpha is left out, the colour kept
  QImage grey = Drawing(120, 90).convertToFormat(QImage::Format_Grayscale8);
  const Case cases[] = {
      {"a drawing", Drawing(640, 480)},
      {"noise", Noise(300, 200, 1)},
      {"one pixel", Noise(1, 1, 2)},
      {"one row", Drawing(500, 1)},
      {"one column", Noise(1, 300, 4)},
      {"rows too long to match the row above", Drawing(11000, 6)},
      {"one colour", QImage(700, 500, QImage::Format_RGB32)},
      {"transparent pixels", argb},
      {"another format", grey},
  };
  for (const Case& c : cases) {
    QImage image = c.image;
    if (image.format() == QImage::Format_RGB32 && image.pixel(0, 0) == 0) image.fill(QColor(12, 34, 56));
    const auto png = EncodePng(image);
    ASSERT_TRUE(png.has_value()) << c.name;
    QImage read;
    ASSERT_TRUE(read.loadFromData(png->data(), static_cast<int>(png->size()), "PNG")) << c.name;
    const QImage expected = image.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(read.size(), expected.size()) << c.name;
    const QImage got = read.convertToFormat(QImage::Format_RGB32);
    long wrong = 0;
    for (int y = 0; y < got.height(); ++y)
      for (int x = 0; x < got.width(); ++x) wrong += qRgb(qRed(expected.pixel(x, y)), qGreen(expected.pixel(x, y)),
                                                           qBlue(expected.pixel(x, y))) != got.pixel(x, y);
    EXPECT_EQ(wrong, 0) << c.name;
  }
}

TEST(PngEncoder, DrawnPicturesStaySmall) {
  // A drawn picture packs to a small fraction of its pixels' bytes.
  const QImage image = Drawing(1920, 1080);
  const auto png = EncodePng(image);
  ASSERT_TRUE(png.has_value());
  EXPECT_LT(png->size(), size_t{1920} * 1080 * 3 / 15);
}

TEST(PngEncoder, NullImageGivesNothing) { EXPECT_FALSE(EncodePng(QImage()).has_value()); }

}  // namespace
}  // namespace km
