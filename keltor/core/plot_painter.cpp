#include "keltor/core/plot_painter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "keltor/core/plot_labels.h"
#include "keltor/core/plot_ticks.h"

namespace keltor {

namespace {

double RoundHalfAway(double v) { return v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5); }

int ToPixel(double v) {
  constexpr double kLimit = 1 << 30;  // far outside any device, still safe to add and subtract
  if (!(v == v)) return 0;
  return static_cast<int>(std::clamp(RoundHalfAway(v), -kLimit, kLimit));
}

// The device's pixels per millimetre in whole pixels, as the plot's millimetre sizes are measured.
int PixelsPerMm(int pixels, int millimetres, int pixelsPerInch) {
  if (millimetres > 0 && pixels > 0) return std::max(1, pixels / millimetres);
  return std::max(1, pixelsPerInch * 10 / 254);
}

}  // namespace

PlotPainter::PlotPainter(PlotSettings& settings, km::Canvas& canvas, km::FontSpec font)
    : s_(settings), canvas_(canvas), font_(std::move(font)) {
  const km::DeviceCaps caps = canvas_.Caps();
  hppmm_ = PixelsPerMm(caps.horzRes, caps.horzSizeMm, caps.logPixelsX);
  vppmm_ = PixelsPerMm(caps.vertRes, caps.vertSizeMm, caps.logPixelsY);
  ComputeScales();
}

void PlotPainter::ComputeScales() {
  const double dx = s_.XMax - s_.XMin;
  const double dy = s_.YMax - s_.YMin;
  xScale_ = dx > 0 ? (s_.Inner.right - s_.Inner.left) / dx : 0;
  yScale_ = dy > 0 ? -(s_.Inner.bottom - s_.Inner.top) / dy : 0;
}

int PlotPainter::MmToPixels(double mm) const { return ToPixel(mm * hppmm_); }

int PlotPainter::Column(double x) const { return s_.Inner.left + ToPixel(xScale_ * (x - s_.XMin)); }
int PlotPainter::Row(double y) const { return s_.Inner.bottom + ToPixel(yScale_ * (y - s_.YMin)); }

int PlotPainter::LabelWidth(double value, const std::string& format) {
  return canvas_.TextExtent(TrimLabel(FormatAxisValue(format, value), -1)).cx;
}

void PlotPainter::DrawFrame() {
  canvas_.SetFont(font_);
  const int T = std::max(3, MmToPixels(s_.TickMm));
  const int G = std::max(1, MmToPixels(s_.GapMm));
  const int h = canvas_.Metrics().height;
  const int tickDown = ToPixel(s_.TickMm * vppmm_);
  const int labelTop = ToPixel(1.5 * s_.TickMm * vppmm_);

  canvas_.FillRect(s_.Outer, s_.BackColor);

  int left = LabelWidth(s_.YMax, s_.YFormat) + 3 * T + G;
  if (!s_.YTitle.empty()) left += h + T;
  const int top = h / 3 + G;
  const int right = G;
  int bottom = (3 * T) / 2 + G;
  if (!s_.XTitle.empty()) bottom += h;
  s_.Inner = {s_.Outer.left + left, s_.Outer.top + top, s_.Outer.right - right, s_.Outer.bottom - bottom};
  ComputeScales();
  const km::Rect& in = s_.Inner;

  canvas_.SetPen({s_.AxisColor, MmToPixels(s_.PenMm), true});
  canvas_.SetTextColor(s_.AxisColor);
  canvas_.SetTextBackground(std::nullopt);

  // X axis and its title; the tick labels share the title's line and stay clear of it.
  canvas_.MoveTo({in.left, in.bottom});
  canvas_.LineTo({in.right, in.bottom});
  const int textTop = in.bottom + labelTop;
  int labelLimit = s_.Outer.right;
  if (!s_.XTitle.empty()) {
    canvas_.SetTextAlign(km::align::Right | km::align::Top);
    canvas_.TextOut({in.right, textTop}, s_.XTitle);
    labelLimit = in.right - canvas_.TextExtent(s_.XTitle).cx - 2 * T;
  }

  const int xLabelWidth = std::max(1, LabelWidth(s_.XMax, s_.XFormat));
  const TickSet xt = ChooseTicks(s_.XMin, s_.XMax, true, std::max(2, in.Width() / xLabelWidth));
  s_.XFirstTick = xt.firstTick;
  s_.XTickStep = xt.step;
  s_.XTickCount = xt.count;
  const TickSet yt = ChooseTicks(s_.YMin, s_.YMax, false, std::max(2, in.Height() / std::max(1, h)));
  s_.YFirstTick = yt.firstTick;
  s_.YTickStep = yt.step;
  s_.YTickCount = yt.count;

  canvas_.SetTextAlign(km::align::Left | km::align::Top);
  for (int k = -1; k <= s_.XTickCount; ++k) {
    const double x = s_.XFirstTick + k * s_.XTickStep;
    const int p = Column(x);
    if (p > in.right) break;
    if (p < in.left) continue;
    canvas_.MoveTo({p, in.bottom});
    canvas_.LineTo({p, in.bottom + tickDown});
    const std::string label = TrimLabel(FormatAxisValue(s_.XFormat, x), s_.XLabelDecimals);
    const int w = canvas_.TextExtent(label).cx;
    const int at = p - T - w / 2;
    if (at + w > labelLimit) continue;
    canvas_.TextOut({at, textTop}, label);
  }

  // Y axis, ticks and labels right-aligned against the ticks.
  canvas_.MoveTo({in.left, in.bottom});
  canvas_.LineTo({in.left, in.top});
  canvas_.SetTextAlign(km::align::Right | km::align::Top);
  for (int k = -1; k <= s_.YTickCount; ++k) {
    const double y = s_.YFirstTick + k * s_.YTickStep;
    if (y > s_.YMax) break;
    if (y < s_.YMin) continue;
    const int row = Row(y);
    canvas_.MoveTo({in.left, row});
    canvas_.LineTo({in.left - T, row});
    const std::string label = TrimLabel(FormatAxisValue(s_.YFormat, y), s_.YLabelDecimals);
    canvas_.TextOut({in.left - 2 * T, row - h / 2}, label);
  }

  if (!s_.YTitle.empty()) {
    const int w = canvas_.TextExtent(s_.YTitle).cx;
    km::FontSpec turned = font_;
    turned.escapement = 900;
    canvas_.SetFont(turned);
    canvas_.SetTextAlign(km::align::Left | km::align::Top);
    canvas_.TextOut({s_.Outer.left + G, (in.top + in.bottom + w) / 2}, s_.YTitle);
    canvas_.SetFont(font_);
  }
}

bool PlotPainter::UsesDenseMethod() const { return s_.Step * xScale_ < 1; }

void PlotPainter::DrawCurve() {
  if (s_.PointCount <= 0 || xScale_ <= 0 || yScale_ >= 0) return;
  canvas_.SetPen({s_.CurveColor, MmToPixels(s_.PenMm), true});
  if (UsesDenseMethod())
    DrawDense();
  else
    DrawLines();
}

void PlotPainter::DrawDense() {
  const int n = std::min<int>(s_.PointCount, static_cast<int>(s_.Data.size()));
  if (n <= 0) return;
  const auto X = [this](int i) { return s_.Begin + i * s_.Step; };

  int i = 0;
  if (s_.Begin < s_.XMin && s_.Step > 0) {
    const double first = std::floor((s_.XMin - s_.Begin) / s_.Step);
    if (first >= n) return;
    i = static_cast<int>(first);
  }
  int column = Column(std::max(s_.XMin, s_.Begin));
  double leftEdge = s_.Data[i];

  while (i < n && column <= s_.Inner.right) {
    const double xe = s_.XMin + (column - s_.Inner.left + 0.5) / xScale_;
    int e = i;
    while (e < n && X(e) <= xe) ++e;

    double lo = leftEdge, hi = leftEdge;
    for (int k = i; k < e; ++k) {
      lo = std::min<double>(lo, s_.Data[k]);
      hi = std::max<double>(hi, s_.Data[k]);
    }
    if (e < n && e >= 1) {
      const double x0 = X(e - 1), x1 = X(e);
      const double y0 = s_.Data[e - 1], y1 = s_.Data[e];
      const double atEdge = x1 != x0 ? y0 + (y1 - y0) * (xe - x0) / (x1 - x0) : y1;
      lo = std::min(lo, atEdge);
      hi = std::max(hi, atEdge);
      leftEdge = atEdge;
    }

    if (hi >= s_.YMin && lo <= s_.YMax) {
      lo = std::max(lo, s_.YMin);
      hi = std::min(hi, s_.YMax);
      // Rows grow downwards: one beyond the high end's row sets both end pixels.
      canvas_.MoveTo({column, Row(lo)});
      canvas_.LineTo({column, Row(hi) - 1});
    }
    i = e;
    ++column;
  }
}

void PlotPainter::DrawLines() {
  const int n = std::min<int>(s_.PointCount, static_cast<int>(s_.Data.size()));
  canvas_.SetClip(km::Rect{s_.Inner.left, s_.Outer.top, s_.Inner.right + 1, s_.Outer.bottom});

  struct End {
    double x, y;
    bool moved = false;
  };
  // Moves an end that lies beyond the Y extent along the segment to the edge it crosses.
  const auto clip = [this](End& end, const End& other) {
    const double edge = end.y > s_.YMax ? s_.YMax : end.y < s_.YMin ? s_.YMin : end.y;
    if (edge == end.y) return;
    end.x += (edge - end.y) / (other.y - end.y) * (other.x - end.x);
    end.y = edge;
    end.moved = true;
  };
  const auto pixel = [this](const End& end) -> std::optional<km::Point> {
    const double column = s_.Inner.left + RoundHalfAway(xScale_ * (end.x - s_.XMin));
    const double row = end.moved ? (end.y >= s_.YMax ? s_.Inner.top : s_.Inner.bottom)
                                 : s_.Inner.bottom + RoundHalfAway(yScale_ * (end.y - s_.YMin));
    if (!(std::abs(column) <= 32767) || !(std::abs(row) <= 32767)) return std::nullopt;
    return km::Point{static_cast<int>(column), static_cast<int>(row)};
  };

  bool havePrevious = false, penThere = false;
  End previous{0, 0};
  for (int i = 0; i < n; ++i) {
    const End current{s_.Begin + i * s_.Step, s_.Data[i]};
    if (current.x < s_.XMin - s_.Step) continue;
    if (current.x > s_.XMax) break;
    if (havePrevious) {
      const bool bothAbove = previous.y > s_.YMax && current.y > s_.YMax;
      const bool bothBelow = previous.y < s_.YMin && current.y < s_.YMin;
      End a = previous, b = current;
      if (!bothAbove && !bothBelow) {
        clip(a, current);
        clip(b, previous);
      }
      const auto pa = pixel(a), pb = pixel(b);
      if (bothAbove || bothBelow || !pa || !pb) {
        penThere = false;
      } else {
        if (a.moved || !penThere) canvas_.MoveTo(*pa);
        canvas_.LineTo(*pb);
        penThere = !b.moved;
      }
    }
    previous = current;
    havePrevious = true;
  }
  canvas_.SetClip(std::nullopt);
}

}  // namespace keltor
