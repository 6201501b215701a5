#include "morvane/core/draw.h"

#include <algorithm>
#include <cmath>

#include "morvane/core/axes.h"
#include "morvane/core/diagram_geometry.h"
#include "morvane/core/diagram_order.h"
#include "morvane/core/int_conversion.h"
#include "morvane/core/outline.h"
#include "morvane/core/ranges.h"
#include "morvane/core/scaling.h"

namespace morvane {
namespace {


void DrawTitle(km::Canvas& dc, const ViewerState& st, const ViewState& view, float s) {
  dc.SetTextColor(st.PenColor);
  dc.SetTextBackground(std::nullopt);
  dc.SetTextAlign(km::align::Left | km::align::Bottom);
  dc.TextOut({TruncToInt(10.0 * s), TruncToInt((view.ClientHeight - 3) * static_cast<double>(s))}, st.Title);
}

void ComputeAllTicks(ViewerState& st) {
  const bool whole = WholeNumberTicks(st);
  Ticks& x = st.XTicks;
  x.count = ComputeTicks(st.XDraw.min, st.XDraw.max, x.increment, x.start, true, 8, whole);
  Ticks& y = st.YTicks;
  y.count = ComputeTicks(st.YDraw.min, st.YDraw.max, y.increment, y.start, true, 8, whole);
  Ticks& z = st.ZAxisT;
  // Typed Z ticks are kept; a user axis without usable ones (a status file keeps the switch but not
  // the ticks) gets the computed ticks rather than an increment of zero.
  const bool typed = st.UserZAxis && z.increment > 0 && std::isfinite(z.increment) && std::isfinite(z.start);
  if (!typed)
    z.count = ComputeTicks(st.ZDraw.min, st.ZDraw.max, z.increment, z.start, true, 8, whole);
  else
    z.count = TruncToInt((st.ZDraw.max - z.start) / z.increment);
}

// The part of the box behind the diagrams: back face, rear connecting edges, their grids.
void DrawRearBox(km::Canvas& dc, const ViewerState& st, const CubeFaces& faces, float s) {
  const Rect& F = st.Front;
  const Rect& B = st.Back;
  auto grid = [&](int axis, const Ticks& t, FloatRange r) {
    DrawGridLines(dc, faces, st.GridColor, axis, r.min, t.start, t.increment, t.count, s, r);
    dc.SetPen({st.PenColor, 1, true});
  };
  dc.SetPen({st.PenColor, 1, true});
  DrawFaceOutline(dc, B, s);
  if (st.DrawGrid) {
    grid(kGridXBack, st.XTicks, st.XDraw);
    grid(kGridYBack, st.YTicks, st.YDraw);
  }
  if (F.right >= B.right) {
    DrawRightEdges(dc, faces, s);
    if (st.DrawGrid) {
      grid(kGridYRight, st.YTicks, st.YDraw);
      grid(kGridZRight, st.ZAxisT, st.ZDraw);
    }
  }
  if (F.left <= B.left) {
    DrawLeftEdges(dc, faces, s);
    if (st.DrawGrid) {
      grid(kGridYLeft, st.YTicks, st.YDraw);
      grid(kGridZLeft, st.ZAxisT, st.ZDraw);
    }
  }
}

void DrawFrontBox(km::Canvas& dc, const ViewerState& st, const CubeFaces& faces, float s) {
  dc.SetPen({st.PenColor, 1, true});
  DrawFaceOutline(dc, st.Front, s);
  if (st.Front.right < st.Back.right) DrawRightEdges(dc, faces, s);
  if (st.Front.left > st.Back.left) DrawLeftEdges(dc, faces, s);
}

void DrawWaterfall(km::Canvas& dc, ViewerState& st, ViewState& view, const std::vector<int>& order) {
  int capacity = 0;
  for (const Diagram& d : st.Diagrams) capacity = std::max(capacity, d.Capacity);
  view.PolygonBuffer.resize(static_cast<size_t>(capacity) + 10);
  const int mode = std::clamp(st.ZMode, 0, 2);
  const int n = static_cast<int>(order.size());
  for (int p = 0; p < n; ++p) {
    Diagram& d = st.Diagrams[order[st.InvertZ ? n - 1 - p : p]];
    if (!InRange(d.Z[mode], st.ZDraw) || d.Omitted) continue;
    const int count = BuildPolygon(d, view.PolygonBuffer, st.XDraw, st.YDraw, st.RelativeIntensities);
    if (count == 0) continue;
    const km::Point first = view.PolygonBuffer[0];
    const km::Point last = view.PolygonBuffer[count - 1];
    dc.SetPen({st.BorderPen ? st.PenColor : d.Color, 1, true});
    dc.SetBrush(st.FilledDiagrams ? d.Color : st.BackColor);
    const std::span<km::Point> outline(view.PolygonBuffer.data(), static_cast<size_t>(count));
    dc.Polygon(view.Draft ? DraftOutline(outline) : SimplifyOutline(outline));
    // The base line is painted over so that only the highlighted diagram keeps its closing line.
    dc.SetPen({p == view.Highlight ? st.PenColor : st.BackColor, 1, true});
    dc.MoveTo({first.x + 1, first.y});
    dc.LineTo(last);
  }
}

// The bands of the top view; returns the vertical extent they cover (top, bottom).
std::pair<int, int> DrawTopView(km::Canvas& dc, ViewerState& st, const std::vector<int>& order, float depthScale,
                                float s) {
  std::vector<int> drawing(order);
  if (st.InvertZ) std::reverse(drawing.begin(), drawing.end());
  const std::vector<Band> bands = TopViewBands(st, drawing, depthScale, s);
  const int mode = std::clamp(st.ZMode, 0, 2);
  int top = TruncToInt(st.Front.top * static_cast<double>(s));
  int bottom = TruncToInt(st.Front.bottom * static_cast<double>(s));
  for (size_t p = 0; p < drawing.size(); ++p) {
    Diagram& d = st.Diagrams[drawing[p]];
    if (!InRange(d.Z[mode], st.ZDraw) || d.Omitted) continue;
    DrawTopViewBand(st, d, dc, st.YDraw, bands[p], st.XDraw);
    top = std::min(top, RoundToInt(std::min(bands[p].lower, bands[p].upper)));
    bottom = std::max(bottom, RoundToInt(std::max(bands[p].lower, bands[p].upper)));
  }
  return {top, bottom};
}

// Frame, axes and colour bar of the top view.
void DrawTopViewFrame(km::Canvas& dc, const ViewerState& st, ViewState& view, const AxisStyle& style, float s,
                      std::pair<int, int> extent) {
  const Rect& F = st.Front;
  const int left = TruncToInt(F.left * static_cast<double>(s));
  const int right = TruncToInt(F.right * static_cast<double>(s));
  const int top = TruncToInt(F.top * static_cast<double>(s));
  const int bottom = TruncToInt(F.bottom * static_cast<double>(s));

  const int zFrom = st.InvertZ ? bottom : top, zTo = st.InvertZ ? top : bottom;
  DrawAxis(dc, style, left, zFrom, left, zTo, st.ZDraw.min, st.ZAxisT.start, st.ZAxisT.increment, st.ZAxisT.count,
           2, s, st.ZCaption, st.ZDraw);
  view.CaptionDistanceX = DrawAxis(dc, style, left, extent.second, right, extent.second, st.XDraw.min,
                                   st.XTicks.start, st.XTicks.increment, st.XTicks.count, 1, s, st.XCaption, st.XDraw);
  dc.SetPen({st.PenColor, 1, true});
  DrawFaceOutline(dc, {left, extent.first, right, extent.second}, 1.0f);

  const int cell = (right - left) / 255;
  const int barTop = TruncToInt(10.0 * s), barBottom = TruncToInt(30.0 * s);
  for (int j = 0; j < kGradientSize; ++j)
    dc.FillRect({left + j * cell, barTop, left + (j + 1) * cell, barBottom}, st.Gradient[j]);
  DrawAxis(dc, style, left, barBottom, left + kGradientSize * cell, barBottom, st.YDraw.min, st.YTicks.start,
           st.YTicks.increment, st.YTicks.count, 1, s, st.YCaption, st.YDraw);
}

}  // namespace

km::FontSpec DeviceFont(const LogicalFont& font, const km::DeviceCaps& caps) {
  km::FontSpec logical;
  logical.face = font.FaceName.empty() ? "Arial" : font.FaceName;
  // Tenths of a point to pixels, rounded as the platform's multiply-divide rounds; a record without
  // a height (a new user's profile) takes the 8 point default.
  const int tenths = font.Height != 0 ? font.Height : 80;
  logical.height = -std::abs(RoundToInt(static_cast<double>(caps.logPixelsY) * tenths / 720.0));
  logical.weight = font.Weight > 0 ? font.Weight : 400;
  logical.italic = font.Italic != 0;
  return logical;
}

void Draw(km::Canvas& dc, ViewerState& st, ViewState& view, float s) {
  st.SavedFront = st.Front;
  st.SavedBack = st.Back;
  const AxisStyle style{st.PenColor, DeviceFont(st.Font, dc.Caps())};
  dc.SetFont(style.font);

  if (!st.UserCaptions) {
    st.XCaption = st.OmegaScan ? "Omega [\xB0]" : "2Theta [\xB0]";
    st.YCaption = IntensityCaption(st);
  }
  st.ZCaption = st.ZAxis[std::clamp(st.ZMode, 0, 2)];
  st.ZCaption.erase(0, std::min<size_t>(9, st.ZCaption.size()));

  std::vector<int>& order = view.Order;
  SortDiagrams(st, order);

  const Rect page{0, 0, TruncToInt(view.ClientWidth * static_cast<double>(s)),
                  TruncToInt(view.ClientHeight * static_cast<double>(s))};
  dc.SetPen({st.BackColor, 1, true});
  dc.SetBrush(st.BackColor);
  dc.Rectangle(page);

  ComputeAllTicks(st);
  DrawTitle(dc, st, view, s);

  const CubeFaces faces{st.Front, st.Back, st.InvertZ};
  if (!st.TopView && st.DrawBox) {
    DrawRearBox(dc, st, faces, s);
    DrawWaterfallAxes(dc, st, view, style, s, false);
  }

  const float depthScale = PlaceDiagrams(st, view, s);
  if (!st.TopView) {
    DrawWaterfall(dc, st, view, order);
    if (st.DrawBox) {
      DrawFrontBox(dc, st, faces, s);
      DrawWaterfallAxes(dc, st, view, style, s, true);
    }
  } else {
    const auto extent = DrawTopView(dc, st, order, depthScale, s);
    if (st.DrawBox) DrawTopViewFrame(dc, st, view, style, s, extent);
  }
  dc.SetFont(style.font);
}

bool Paint(km::Canvas& dc, ViewerState& state, ViewState& view, int clientWidth, int clientHeight) {
  if (state.Busy || state.NumDiagrams == 0) return false;
  view.ClientWidth = clientWidth;
  view.ClientHeight = clientHeight;
  if (state.RangesDirty) ResetRanges(state, view, {0, 0, clientWidth, clientHeight});
  Draw(dc, state, view, 1.0f);
  return true;
}

}  // namespace morvane
