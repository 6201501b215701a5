#include "morvane/core/axes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "morvane/core/int_conversion.h"

namespace morvane {
namespace {

// A typed Z increment far below its range would ask for millions of ticks; no axis draws more.
constexpr int kMostTicks = 1000;

int Scaled(double v, float s) { return RoundToInt(v * s); }

void Line(km::Canvas& dc, double x1, double y1, double x2, double y2, float s) {
  dc.MoveTo({Scaled(x1, s), Scaled(y1, s)});
  dc.LineTo({Scaled(x2, s), Scaled(y2, s)});
}

// The first tick at or above axisMin, and how many follow it.
void FirstTick(float axisMin, float& start, float increment, int& count) {
  if (start < axisMin) {
    start += increment;
    count -= 1;
  }
  count = std::min(count, kMostTicks);
}

bool Outside(float v, FloatRange r) { return !(v >= r.min && v <= r.max); }

}  // namespace

int ComputeTicks(float min, float max, float& increment, float& start, bool startOnBase, int /*maxTicks*/,
                 bool wholeIncrements) {
  // In double precision: ten increments of 0.05 must cover a range of exactly 0.5.
  const double w = static_cast<double>(max) - min;
  if (!(w > 0) || !std::isfinite(w)) {  // nothing to divide: one tick at the minimum
    increment = 1.0f;
    start = std::isfinite(min) ? min : 0.0f;
    return 0;
  }
  double base = 0.01;
  if (w < 0.1) {
    do base *= 0.1;
    while (!(base * 10 <= w));
  }
  double inc = base;
  while (inc * 10 < w) {
    inc = base * 2;
    if (!(inc * 10 < w)) break;
    inc = base * 4;
    if (!(inc * 10 < w)) break;
    inc = base * 5;
    if (!(inc * 10 < w)) break;
    inc = base * 10;
    base = inc;
  }
  if (wholeIncrements) inc = TruncToInt(inc + 0.99);
  if (!(inc > 0)) inc = 1;
  const double unit = startOnBase ? base : inc;
  start = static_cast<float>(unit * RoundToInt(min / unit));
  increment = static_cast<float>(inc);
  return TruncToInt((max - static_cast<double>(start)) / inc);
}

bool WholeNumberTicks(const ViewerState& state) {
  return state.ZAxis[std::clamp(state.ZMode, 0, 2)] == "Z axis = N";
}

std::string FormatTickValue(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  std::string s = text;
  const size_t point = s.find('.');
  if (point == std::string::npos) return s;
  while (s.size() > point + 2 && s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

int SegmentEscapement(int dx, int dy) {
  const double length = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  if (!(length > 0)) return 0;
  double a = std::acos(std::min(1.0, std::fabs(dx) / length)) * 180.0 / 3.14159265358979323846;
  if ((dx > 0 && dy > 0) || (dx < 0 && dy < 0)) a = -a;
  return TruncToInt(0.5 + 10 * a);
}

int DrawAxis(km::Canvas& dc, const AxisStyle& style, int x1, int y1, int x2, int y2, float axisMin, float start,
             float increment, int count, int side, float scale, std::string_view caption, FloatRange range) {
  FirstTick(axisMin, start, increment, count);
  const int dx = x2 - x1, dy = y2 - y1;
  const double w = static_cast<double>(range.max) - range.min;
  const km::Point p0{x1 + TruncToInt((start - range.min) * dx / w + 0.5),
                     y1 + TruncToInt((start - range.min) * dy / w + 0.5)};
  const int escapement = SegmentEscapement(dx, dy);

  dc.SetTextColor(style.pen);
  dc.SetTextBackground(std::nullopt);
  dc.SetPen({style.pen, 1, true});
  const int t = TruncToInt(scale);
  const int fontHeight = dc.Metrics().height;
  int widest = 0;
  for (int i = 0; i <= count; ++i) {
    const float value = start + static_cast<float>(i) * increment;
    if (Outside(value, range)) continue;
    const std::string text = FormatTickValue(value);
    const km::Point p{p0.x + TruncToInt(i * static_cast<double>(increment) * dx / w),
                      p0.y + TruncToInt(i * static_cast<double>(increment) * dy / w)};
    km::Point tick = p, at = p;
    unsigned align = km::align::Left | km::align::Top;
    switch (side) {
      case 0:
        tick = {p.x + 8 * t, p.y};
        at = {p.x + 10 * t, p.y - fontHeight / 2};
        break;
      case 1:
        tick = {p.x, p.y + 8 * t};
        at = {p.x, p.y + 10 * t};
        align = km::align::Center | km::align::Top;
        break;
      case 2:
        tick = {p.x - 8 * t, p.y};
        at = {p.x - 10 * t, p.y - fontHeight / 2};
        align = km::align::Right | km::align::Top;
        break;
      default:
        tick = {p.x, p.y - 8 * t};
        at = {p.x, p.y - 10 * t};
        align = km::align::Center | km::align::Bottom;
        break;
    }
    dc.MoveTo(p);
    dc.LineTo(tick);
    dc.SetTextAlign(align);
    dc.TextOut(at, text);
    widest = std::max(widest, dc.TextExtent(text).cx);
  }

  const km::Point m{x1 + dx / 2, y1 + dy / 2};
  const bool sameSign = (dx > 0 && dy > 0) || (dx < 0 && dy < 0);
  km::FontSpec turned = style.font;
  turned.escapement = escapement;
  dc.SetFont(turned);
  km::Point at = m;
  unsigned align = km::align::Center | km::align::Top;
  int distance = 0;
  switch (side) {
    case 0:
      distance = TruncToInt(14 * scale + widest);
      at = {TruncToInt(m.x + 14 * scale + widest), m.y};
      align = km::align::Center | (sameSign ? km::align::Bottom : km::align::Top);
      break;
    case 1:
      distance = fontHeight + 10 * t;
      at = {m.x, m.y + distance};
      break;
    case 2:
      distance = TruncToInt(widest + 14 * scale);
      at = {TruncToInt(m.x - widest - 14 * scale), m.y};
      align = km::align::Center | (sameSign ? km::align::Top : km::align::Bottom);
      break;
    default:
      distance = fontHeight + 10 * t;
      at = {m.x, m.y - distance};
      align = km::align::Center | km::align::Bottom;
      break;
  }
  dc.SetTextAlign(align);
  dc.TextOut(at, caption);
  dc.SetFont(style.font);
  return distance;
}

void DrawGridLines(km::Canvas& dc, const CubeFaces& faces, Rgb gridColor, int axis, float axisMin, float start,
                   float increment, int count, float scale, FloatRange range) {
  FirstTick(axisMin, start, increment, count);
  dc.SetPen({gridColor, 1, true});
  const Rect& F = faces.front;
  const Rect& B = faces.back;
  const double w = static_cast<double>(range.max) - range.min;
  for (int i = 0; i <= count; ++i) {
    const float value = start + static_cast<float>(i) * increment;
    if (Outside(value, range)) continue;
    const double f = (value - range.min) / w;  // 0 at the minimum, 1 at the maximum
    const double depth = faces.invertZ ? 1 - f : f;
    switch (axis) {
      case kGridXBack: {
        const double x = B.left + f * (B.right - B.left);
        Line(dc, x, B.bottom, x, B.top, scale);
        break;
      }
      case kGridYBack: {
        const double y = B.bottom - f * (B.bottom - B.top);
        Line(dc, B.left, y, B.right, y, scale);
        break;
      }
      case kGridZLeft:
      case kGridZRight: {
        const bool left = axis == kGridZLeft;
        const double fx = left ? F.left : F.right, bx = left ? B.left : B.right;
        Line(dc, fx + (bx - fx) * depth, F.top + (B.top - F.top) * depth, fx + (bx - fx) * depth,
             F.bottom + (B.bottom - F.bottom) * depth, scale);
        break;
      }
      default: {  // Y on a side face, from the front edge to the back edge at that height
        const bool left = axis == kGridYLeft;
        Line(dc, left ? F.left : F.right, F.bottom - f * (F.bottom - F.top), left ? B.left : B.right,
             B.bottom - f * (B.bottom - B.top), scale);
        break;
      }
    }
  }
}

void DrawFaceOutline(km::Canvas& dc, const Rect& r, float s) {
  dc.MoveTo({Scaled(r.left, s), Scaled(r.top, s)});
  dc.LineTo({Scaled(r.right, s), Scaled(r.top, s)});
  dc.LineTo({Scaled(r.right, s), Scaled(r.bottom, s)});
  dc.LineTo({Scaled(r.left, s), Scaled(r.bottom, s)});
  dc.LineTo({Scaled(r.left, s), Scaled(r.top, s)});
}

void DrawRightEdges(km::Canvas& dc, const CubeFaces& c, float s) {
  Line(dc, c.front.right, c.front.top, c.back.right, c.back.top, s);
  Line(dc, c.front.right, c.front.bottom, c.back.right, c.back.bottom, s);
}

void DrawLeftEdges(km::Canvas& dc, const CubeFaces& c, float s) {
  Line(dc, c.front.left, c.front.top, c.back.left, c.back.top, s);
  Line(dc, c.front.left, c.front.bottom, c.back.left, c.back.bottom, s);
}

void DrawWaterfallAxes(km::Canvas& dc, const ViewerState& st, ViewState& view, const AxisStyle& style, float s,
                       bool visible) {
  const Rect& F = st.Front;
  const Rect& B = st.Back;
  auto axis = [&](km::Point a, km::Point b, int side, const Ticks& ticks, FloatRange range,
                  const std::string& caption) {
    const int x1 = Scaled(a.x, s), y1 = Scaled(a.y, s), x2 = Scaled(b.x, s), y2 = Scaled(b.y, s);
    return DrawAxis(dc, style, x1, y1, x2, y2, range.min, ticks.start, ticks.increment, ticks.count, side, s,
                    caption, range);
  };

  // X: front bottom, back bottom, back top, front top.
  const int xPos = st.LabelPos[0];
  if (xPos >= 0 && xPos <= 3 && (xPos == 0 || xPos == 3) == visible) {
    const Rect& face = xPos == 0 || xPos == 3 ? F : B;
    const int y = xPos == 0 || xPos == 1 ? face.bottom : face.top;
    view.CaptionDistanceX = axis({face.left, y}, {face.right, y}, xPos <= 1 ? 1 : 3, st.XTicks, st.XDraw, st.XCaption);
  }
  // Y, bottom to top: front left, front right, back right, back left.
  const int yPos = st.LabelPos[1];
  if (yPos >= 0 && yPos <= 3 && (yPos <= 1) == visible) {
    const Rect& face = yPos <= 1 ? F : B;
    const int x = yPos == 0 || yPos == 3 ? face.left : face.right;
    const int side = yPos == 0 || yPos == 3 ? 2 : 0;
    view.CaptionDistanceY = axis({x, face.bottom}, {x, face.top}, side, st.YTicks, st.YDraw, st.YCaption);
  }
  // Z, front corner to back corner: top left, top right, bottom right, bottom left.
  const int zPos = st.LabelPos[2];
  if (zPos >= 0 && zPos <= 3) {
    const bool onLeft = zPos == 0 || zPos == 3;
    const bool shows = onLeft ? F.left > B.left : F.right < B.right;
    if (shows == visible) {
      const bool onTop = zPos <= 1;
      km::Point front{onLeft ? F.left : F.right, onTop ? F.top : F.bottom};
      km::Point back{onLeft ? B.left : B.right, onTop ? B.top : B.bottom};
      if (st.InvertZ) std::swap(front, back);
      axis(front, back, onLeft ? 2 : 0, st.ZAxisT, st.ZDraw, st.ZCaption);
    }
  }
}

}  // namespace morvane
