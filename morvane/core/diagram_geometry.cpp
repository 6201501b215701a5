#include "morvane/core/diagram_geometry.h"

#include <algorithm>
#include <cmath>

#include "morvane/core/int_conversion.h"
#include "morvane/core/scaling.h"

namespace morvane {
namespace {

// The data points of a diagram that fall in xr: i0..i1, and how many steps the first one lies
// right of xr.min when the diagram begins inside xr.
struct PointSpan {
  int i0 = 0, i1 = -1, offset = 0;
};

PointSpan SpanOf(const Diagram& d, FloatRange xr) {
  auto p = [&](double x) { return TruncToInt(x / d.XStep + 0.5); };
  PointSpan s;
  s.i0 = p(static_cast<double>(xr.min) - d.XBegin);
  s.i1 = std::min(p(static_cast<double>(xr.max) - d.XBegin), d.PointCount);
  s.i1 = std::min(s.i1, d.Capacity - 1);
  if (s.i0 < 0) {
    s.offset = p(static_cast<double>(d.XBegin) - xr.min);
    s.i0 = 0;
  }
  return s;
}


}  // namespace

float PlaceDiagrams(ViewerState& state, const ViewState& view, float s) {
  const FloatRange zr = state.ZDraw;
  const int mode = std::clamp(state.ZMode, 0, 2);
  const Rect& F = state.InvertZ && !state.TopView ? state.Back : state.Front;
  const Rect& B = state.InvertZ && !state.TopView ? state.Front : state.Back;
  // An empty Z range puts every diagram on the front face.
  const bool flat = !(zr.max > zr.min);
  auto r = [s](double v) { return TruncToInt(v * s + 0.5); };
  const float top = static_cast<float>(TruncToInt(view.YZoom * state.YDraw.max + 0.5));
  for (Diagram& d : state.Diagrams) {
    const float z = d.Z[mode];
    if (!InRange(z, zr)) continue;
    const double t = flat ? 0.0 : (static_cast<double>(z) - zr.min) / (static_cast<double>(zr.max) - zr.min);
    if (!state.TopView) {
      d.ScreenRect = {r(F.left - (F.left - B.left) * t), r(F.top - (F.top - B.top) * t),
                      r(F.right - (F.right - B.right) * t), r(F.bottom - (F.bottom - B.bottom) * t)};
    } else {
      const Rect& f = state.Front;
      Rect rect{TruncToInt(f.left * s), 0, TruncToInt(f.right * s), 0};
      if (!state.InvertZ) {
        rect.bottom = r(f.bottom - (f.bottom - f.top) * t);
        rect.top = rect.bottom - 10;
      } else {
        rect.top = r(f.top + (f.bottom - f.top) * t);
        rect.bottom = r(f.bottom - (f.bottom - f.top) * t);
      }
      d.ScreenRect = rect;
    }
    d.TopValue = top;
  }
  if (flat) return 0.0f;
  const double w = static_cast<double>(zr.max) - zr.min;
  if (!state.TopView) {
    const double dx = TruncToInt((state.Front.left - state.Back.left) * s);
    const double dy = TruncToInt((state.Front.bottom - state.Back.bottom) * s);
    return static_cast<float>(std::sqrt(dx * dx + dy * dy) / w);
  }
  return static_cast<float>(TruncToInt((state.Front.bottom - state.Front.top) * s + 0.5) / w);
}

int BuildPolygon(Diagram& d, std::span<km::Point> pts, FloatRange xr, FloatRange yr, bool relative) {
  const PointSpan sp = SpanOf(d, xr);
  d.VisibleXBegin = d.XBegin + static_cast<float>(sp.i0) * d.XStep;
  d.VisibleXEnd = d.XBegin + static_cast<float>(sp.i1) * d.XStep;
  const int64_t count = int64_t{sp.i1} - sp.i0 + 3;
  if (sp.i1 < sp.i0 || count > static_cast<int64_t>(pts.size())) return 0;

  const Rect& rc = d.ScreenRect;
  const double xpix = static_cast<double>(rc.right - rc.left) / (static_cast<double>(xr.max) - xr.min) * d.XStep;
  const double ypix = relative
                          ? (rc.bottom - rc.top) / (static_cast<double>(d.ScaledMax) * (yr.max - yr.min) * 0.01)
                          : (rc.bottom - rc.top) / (static_cast<double>(yr.max) - yr.min);
  const double floor = relative ? d.ScaledMax * yr.min * 0.01 : yr.min;
  int n = 0;
  pts[n++] = {sp.offset > 0 ? rc.left + TruncToInt(sp.offset * xpix) : rc.left, rc.bottom};
  // One loop per scaling, so that the scaling is chosen once, not at every point.
  auto points = [&](auto scaled) {
    for (int k = sp.i0; k <= sp.i1; ++k) {
      double v = scaled(std::max(d.Points[k].Intensity, 0.0f)) - floor;
      if (!(v >= 0)) v = 0;
      const int x = rc.left + TruncToInt((sp.offset + k - sp.i0) * xpix + 0.5);
      const int y = std::max(rc.bottom - TruncToInt(v * ypix + 0.5), rc.top);
      pts[n++] = {x, y};
    }
  };
  switch (d.Scaling) {
    case kSquareRoot:
      points([](float v) { return ScaledIntensity(v, kSquareRoot); });
      break;
    case kLogarithm:
      points([](float v) { return ScaledIntensity(v, kLogarithm); });
      break;
    case kLinear:
      points([](float v) { return v; });
      break;
    default:
      points([&](float v) { return ScaledIntensity(v, d.Scaling); });
      break;
  }
  pts[n++] = {rc.left + TruncToInt((sp.i1 - sp.i0 + sp.offset) * xpix + 0.5), rc.bottom};
  return n;
}

std::vector<Band> TopViewBands(const ViewerState& state, const std::vector<int>& order, float depthScale, float s) {
  const int n = static_cast<int>(order.size());
  const int mode = std::clamp(state.ZMode, 0, 2);
  const FloatRange zr = state.ZDraw;
  auto zOf = [&](int position) { return state.Diagrams[order[position]].Z[mode]; };
  auto toPixels = [&](float value) {
    const float pixels = (value - zr.min) * depthScale;
    return state.InvertZ ? state.Front.bottom * s - pixels : state.Front.top * s + pixels;
  };
  std::vector<Band> bands(static_cast<size_t>(n));
  const bool pair = state.NumDiagrams == 2;
  for (int p = 0; p < n; ++p) {
    const float z = zOf(p);
    if (!InRange(z, zr)) continue;
    int prev = p, next = p;
    for (int q = p - 1; q >= 0; --q)
      if (zOf(q) != z) {
        prev = q;
        break;
      }
    // The search for the next neighbour never reaches the last place of the order.
    for (int q = p + 1; q < n - 1; ++q)
      if (zOf(q) != z) {
        next = q;
        break;
      }
    float zPrev, zNext;
    if (pair) {
      zPrev = state.Diagrams[0].Z[mode];
      zNext = state.Diagrams[1].Z[mode];
      if (!InRange(zPrev, zr)) zPrev = z;
      if (!InRange(zNext, zr)) zNext = z;
    } else {
      if (!InRange(zOf(prev), zr)) prev = p;
      if (!InRange(zOf(next), zr)) next = p;
      zPrev = zOf(prev);
      zNext = zOf(next);
    }
    float upper = (z + zNext) / 2;
    float lower = (z + zPrev) / 2;
    if (!pair) {
      if (next == p) upper = 2 * z - lower;
      if (prev == p) lower = 2 * z - upper;
    }
    bands[p] = {toPixels(lower), toPixels(upper)};
  }
  return bands;
}

void DrawTopViewBand(const ViewerState& state, Diagram& d, km::Canvas& dc, FloatRange yr, Band band, FloatRange xr) {
  const PointSpan sp = SpanOf(d, xr);
  if (sp.i1 < sp.i0) return;
  const Rect& rc = d.ScreenRect;
  const double xpix = static_cast<double>(rc.right - rc.left) / (static_cast<double>(xr.max) - xr.min) * d.XStep;
  const double divisor = state.RelativeIntensities ? static_cast<double>(yr.max) * d.ScaledMax * 0.01 : yr.max;
  // The band's two edges in either order: the cells reach from one to the other, both included.
  const int top = RoundToInt(std::min(band.lower, band.upper));
  const int height = RoundToInt(std::fabs(band.upper - band.lower) + 1);
  const int width = RoundToInt(xpix + 1);

  // Cells are painted in point order, each over the ones before it. A cell at the same x as the next
  // one is covered by it entirely and is left out; neighbouring cells of one colour are painted as
  // one rectangle. Both keep every pixel as cell-by-cell painting leaves it.
  bool pending = false;
  Rect run{};
  km::Rgb runColour{};
  auto flush = [&] {
    if (pending) dc.FillRect(run, runColour);
  };
  auto add = [&](int x, km::Rgb colour) {
    if (pending && colour == runColour && x >= run.left && x <= run.right) {
      run.right = std::max(run.right, x + width);
      return;
    }
    flush();
    pending = true;
    run = {x, top, x + width, top + height};
    runColour = colour;
  };
  bool haveCell = false;
  int cellX = 0;
  km::Rgb cellColour{};
  for (int k = sp.i0; k <= sp.i1; ++k) {
    const int x = rc.left + TruncToInt((sp.offset + k - sp.i0) * xpix + 0.5);
    double v = ScaledIntensity(std::max(d.Points[k].Intensity, 0.0f), d.Scaling) / divisor;
    if (v > 1) v = 1;
    const int index = v > 0 ? std::clamp(TruncToInt(v * 254), 0, kGradientSize - 1) : 0;
    if (haveCell && x != cellX) add(cellX, cellColour);
    haveCell = true;
    cellX = x;
    cellColour = state.Gradient[index];
  }
  if (haveCell) add(cellX, cellColour);
  flush();
}

}  // namespace morvane
