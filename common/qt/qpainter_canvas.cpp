#include "common/qt/qpainter_canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygon>
#include <QRegion>
#include <QString>
#include <algorithm>
#include <vector>

#include "common/core/pixel_drawing.h"
#include "common/qt/qt_text.h"

namespace km {
namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QPolygon ToQPolygon(std::span<const Point> points) {
  QPolygon polygon(static_cast<int>(points.size()));
  for (size_t i = 0; i < points.size(); ++i) polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
  return polygon;
}

// The image the painter draws on, when shapes may be drawn straight into its pixels: a 32-bit image
// of its own (not shared), no transformation, painted over what is there. Under a clip only when the
// clip is one rectangle.
QImage* DirectTarget(QPainter& painter, PixelSurface& surface) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster) return nullptr;
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return nullptr;
  if (!image->isDetached() || !painter.deviceTransform().isIdentity()) return nullptr;
  if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver) return nullptr;
  if (painter.testRenderHint(QPainter::Antialiasing)) return nullptr;
  Rect clip{0, 0, image->width(), image->height()};
  if (painter.hasClipping()) {
    const QRegion region = painter.clipRegion();
    if (region.rectCount() > 1) return nullptr;
    const QRect r = region.boundingRect();
    clip = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  }
  surface = PixelSurface(reinterpret_cast<uint32_t*>(image->bits()), image->width(), image->height(),
                         image->bytesPerLine() / 4);
  surface.ClipTo(clip);
  return image;
}

bool Opaque(const QColor& c) { return c.alpha() == 255; }

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, RasterPath path) : painter_(painter), path_(path) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  SetPen(pen_);
  SetBrush(Rgb{255, 255, 255});
  SetFont(FontSpec{});
}

DeviceCaps QPainterCanvas::Caps() const {
  DeviceCaps caps;
  const QPaintDevice* device = painter_.device();
  if (!device) return caps;
  caps.horzRes = device->width();
  caps.vertRes = device->height();
  caps.horzSizeMm = device->widthMM();
  caps.vertSizeMm = device->heightMM();
  caps.logPixelsX = device->logicalDpiX();
  caps.logPixelsY = device->logicalDpiY();
  caps.numColors = device->depth() > 8 ? -1 : (1 << device->depth());
  return caps;
}

void QPainterCanvas::SetPen(const PenSpec& pen) {
  pen_ = pen;
  if (!pen.visible) {
    painter_.setPen(Qt::NoPen);
    return;
  }
  QPen qpen(ToQColor(pen.color));
  if (pen.width <= 1) {
    // One device pixel whatever the transformation; a flat cap leaves out the end pixel of a line.
    qpen.setWidth(1);
    qpen.setCosmetic(true);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
  } else {
    qpen.setWidth(pen.width);
    qpen.setCapStyle(Qt::RoundCap);
    qpen.setJoinStyle(Qt::RoundJoin);
  }
  painter_.setPen(qpen);
}

void QPainterCanvas::SetBrush(std::optional<Rgb> brush) {
  painter_.setBrush(brush ? QBrush(ToQColor(*brush)) : QBrush(Qt::NoBrush));
}

void QPainterCanvas::MoveTo(Point p) { position_ = QPoint(p.x, p.y); }

void QPainterCanvas::LineTo(Point p) {
  const QPoint to(p.x, p.y);
  if (to != position_) {
    // Lines along a row or a column, drawn right or down with a plain pen, straight into the
    // image: the same pixels as the painter's, which draws them far slower (the base lines of a
    // waterfall).
    const bool straight = (to.y() == position_.y() && to.x() > position_.x()) ||
                          (to.x() == position_.x() && to.y() > position_.y());
    const QPen& pen = painter_.pen();
    PixelSurface surface;
    if (straight && path_ == RasterPath::Direct && pen_.visible && pen_.width <= 1 && pen.style() == Qt::SolidLine &&
        Opaque(pen.color()) && DirectTarget(painter_, surface))
      DrawLine(surface, {position_.x(), position_.y()}, p, pen.color().rgba());
    else
      painter_.drawLine(position_, to);
  }
  position_ = to;
}

void QPainterCanvas::Polyline(std::span<const Point> points) {
  if (points.size() >= 2) painter_.drawPolyline(ToQPolygon(points));
}

void QPainterCanvas::Polygon(std::span<const Point> points) {
  if (points.size() < 2) return;
  const bool raster = painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Raster;
  if (!raster || points.size() < 64 || !IsAreaUnderCurve(points)) {
    painter_.drawPolygon(ToQPolygon(points), Qt::OddEvenFill);
    return;
  }
  const QPen pen = painter_.pen();
  const QBrush& brush = painter_.brush();
  // The area and its one-pixel outline straight into the image: the raster engine's stroker spends
  // most of a waterfall's time on the outlines of long curves. Its lines and these differ at most
  // where a line passes exactly halfway between two pixels.
  PixelSurface surface;
  if (path_ == RasterPath::Direct && pen.style() == Qt::SolidLine && pen_.width <= 1 && Opaque(pen.color()) &&
      brush.style() == Qt::SolidPattern && Opaque(brush.color()) && DirectTarget(painter_, surface)) {
    FillAreaUnderCurve(surface, points, brush.color().rgba());
    DrawClosedOutline(surface, points, pen.color().rgba());
    return;
  }
  // The raster engine fills a polygon of thousands of points very slowly. The area under a curve
  // is the union of the strips between vertical lines through its points; no pixel centre lies on
  // such a line (the points are whole numbers), so filling the strips one by one sets exactly the
  // pixels of the whole, many times faster. The closed outline is then stroked as one line.
  constexpr size_t kStrip = 16;
  const int base = points.front().y;
  painter_.setPen(Qt::NoPen);
  QPolygon strip;
  for (size_t s = 0; s + 1 < points.size();) {
    const size_t e = std::min(s + kStrip, points.size() - 1);
    strip.clear();
    strip << QPoint(points[s].x, base);
    for (size_t k = s; k <= e; ++k) strip << QPoint(points[k].x, points[k].y);
    strip << QPoint(points[e].x, base);
    painter_.drawPolygon(strip, Qt::OddEvenFill);
    s = e;
  }
  painter_.setPen(pen);
  if (pen.style() != Qt::NoPen) {
    QPolygon outline = ToQPolygon(points);
    outline << outline.first();
    painter_.drawPolyline(outline);
  }
}

void QPainterCanvas::Rectangle(const Rect& r) {
  const int left = std::min(r.left, r.right), right = std::max(r.left, r.right);
  const int top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom);
  if (right - left < 1 || bottom - top < 1) return;
  // A one-pixel outline of QRect(x, y, w, h) covers w + 1 columns: w = width - 1 keeps it inside.
  painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::FillRect(const Rect& r, Rgb color) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  painter_.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), ToQColor(color));
}

void QPainterCanvas::SetPixel(Point p, Rgb color) { painter_.fillRect(QRect(p.x, p.y, 1, 1), ToQColor(color)); }

void QPainterCanvas::SetClip(std::optional<Rect> clip) {
  if (!clip) {
    painter_.setClipping(false);
    return;
  }
  painter_.setClipRect(QRect(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top));
}

QFont QPainterCanvas::ToQFont(const FontSpec& wanted) {
  QFont font(FromCp1252(wanted.face));
  font.setStyleHint(QFont::SansSerif);
  if (wanted.height < 0) {
    font.setPixelSize(-wanted.height);
  } else if (wanted.height > 0) {
    // A positive height is the whole cell, internal leading included: scale the em to fit it.
    QFont probe(font);
    probe.setPixelSize(100);
    const int cell = QFontMetrics(probe).height();
    font.setPixelSize(std::max(1, cell > 0 ? (wanted.height * 100 + cell / 2) / cell : wanted.height));
  } else {
    font.setPixelSize(16);
  }
  font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 100, 900)));
  font.setItalic(wanted.italic);
  return font;
}

void QPainterCanvas::SetFont(const FontSpec& font) {
  font_ = ToQFont(font);
  escapement_ = font.escapement;
  painter_.setFont(font_);
}

void QPainterCanvas::SetTextColor(Rgb color) { textColor_ = ToQColor(color); }

void QPainterCanvas::SetTextBackground(std::optional<Rgb> color) {
  textBackground_ = color ? std::optional<QColor>(ToQColor(*color)) : std::nullopt;
}

void QPainterCanvas::SetTextAlign(unsigned flags) { textAlign_ = flags; }

void QPainterCanvas::TextOut(Point p, std::string_view text) {
  const QString s = FromCp1252(text);
  const QFontMetrics fm(font_, painter_.device());
  const int width = fm.horizontalAdvance(s);
  double dx = 0;
  if ((textAlign_ & align::Center) == align::Center)
    dx = -width / 2.0;
  else if (textAlign_ & align::Right)
    dx = -width;
  double baseline = fm.ascent();  // top alignment: the reference point is the cell's top
  if ((textAlign_ & align::Baseline) == align::Baseline)
    baseline = 0;
  else if (textAlign_ & align::Bottom)
    baseline = -fm.descent();

  painter_.save();
  painter_.translate(p.x, p.y);
  if (escapement_ != 0) painter_.rotate(-escapement_ / 10.0);
  if (textBackground_)
    painter_.fillRect(QRectF(dx, baseline - fm.ascent(), width, fm.height()), *textBackground_);
  painter_.setPen(textColor_);
  painter_.drawText(QPointF(dx, baseline), s);
  painter_.restore();
}

Size QPainterCanvas::TextExtent(std::string_view text) {
  const QFontMetrics fm(font_, painter_.device());
  return {fm.horizontalAdvance(FromCp1252(text)), fm.height()};
}

TextMetrics QPainterCanvas::Metrics() {
  const QFontMetrics fm(font_, painter_.device());
  return {fm.height(), fm.ascent(), fm.descent(), fm.averageCharWidth()};
}

}  // namespace km
