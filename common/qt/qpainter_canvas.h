#pragma once
// The Canvas on a QPainter: window, off-screen image, printer, PDF and SVG. Drawing follows the
// classic device context pixel for pixel on raster devices: one-pixel pens are cosmetic and not
// antialiased, a LineTo leaves out its end pixel, a Rectangle's outline covers left..right-1 and
// top..bottom-1. Texts are Windows-1252; fonts are chosen by face, height, weight and escapement.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>

#include "common/core/canvas.h"

namespace km {

class QPainterCanvas : public Canvas {
 public:
  // How the long curves of a waterfall reach an image: straight into its pixels (the same picture to
  // the eye, many times faster), or through the painter like every other shape.
  enum class RasterPath { Direct, Painter };

  // The painter must be active on its device for the canvas's lifetime.
  explicit QPainterCanvas(QPainter& painter, RasterPath path = RasterPath::Direct);

  DeviceCaps Caps() const override;
  void SetPen(const PenSpec& pen) override;
  void SetBrush(std::optional<Rgb> brush) override;
  void MoveTo(Point p) override;
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& r) override;
  void FillRect(const Rect& r, Rgb color) override;
  void SetPixel(Point p, Rgb color) override;
  void SetClip(std::optional<Rect> clip) override;
  void SetFont(const FontSpec& font) override;
  void SetTextColor(Rgb color) override;
  void SetTextBackground(std::optional<Rgb> color) override;
  void SetTextAlign(unsigned flags) override;
  void TextOut(Point p, std::string_view text) override;
  Size TextExtent(std::string_view text) override;
  TextMetrics Metrics() override;

  // The Qt font a FontSpec stands for (rotation aside).
  static QFont ToQFont(const FontSpec& font);

 private:
  QPainter& painter_;
  RasterPath path_;
  PenSpec pen_;
  QPoint position_;
  QFont font_;
  int escapement_ = 0;
  QColor textColor_ = Qt::black;
  std::optional<QColor> textBackground_ = QColor(Qt::white);
  unsigned textAlign_ = 0;
};

}  // namespace km
