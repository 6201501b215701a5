#include "keltor/core/workbench_plot.h"

#include <algorithm>
#include <cmath>

#include "common/core/cp1252.h"
#include "keltor/core/plot_painter.h"

namespace keltor {

namespace {

void SetRange(PlotSettings& s, const PlotRange& range) {
  s.PointCount = range.PointCount;
  s.Begin = range.Begin;
  s.Step = range.Step;
  s.Data = range.Data;
}

// Extents that enclose nothing (one angle, or every intensity equal) get room around their value, so
// that the scales stay finite and the curve is still drawn.
void OpenUpEmptyExtents(PlotSettings& s) {
  const auto openUp = [](double& lo, double& hi) {
    if (hi > lo) return;
    const double pad = std::max(1.0, std::abs(lo) * 0.05);
    lo -= pad;
    hi += pad;
  };
  openUp(s.XMin, s.XMax);
  openUp(s.YMin, s.YMax);
}

}  // namespace

km::FontSpec PlotFont(const km::DeviceCaps& caps) {
  km::FontSpec font;
  font.face = "Arial";
  font.weight = 400;
  font.height = -static_cast<int>(std::lround(9.0 * caps.logPixelsY / 72.0));
  return font;
}

void WorkbenchPlot::FileChanged(PlotDataSource& source, bool hasFile) {
  if (!hasFile) return;
  if (const auto loaded = LoadRanges(source, loaded_)) {
    extents_ = *loaded;
    hasLoaded_ = true;
  }
  if (const auto current = LoadRanges(source, current_)) WidenExtents(extents_, *current);
}

void WorkbenchPlot::DataChanged(PlotDataSource& source) {
  if (const auto current = LoadRanges(source, current_)) WidenExtents(extents_, *current);
}

void WorkbenchPlot::Paint(km::Canvas& canvas, const km::Rect& client, const PlotFileState& file) const {
  if (file.DocumentPath.empty() || file.WorkingRangeCount == 0 || !hasLoaded_) return;
  const km::FontSpec font = PlotFont(canvas.Caps());
  canvas.SetFont(font);

  PlotSettings upper = Template;
  upper.XMin = extents_.XMin;
  upper.XMax = extents_.XMax;
  upper.YMin = extents_.YMin;
  upper.YMax = extents_.YMax;
  OpenUpEmptyExtents(upper);
  upper.Inner = {};
  PlotSettings lower = upper;
  upper.Outer = client;
  upper.Outer.bottom = client.top + client.Height() / 2;
  lower.Outer = client;
  lower.Outer.top = upper.Outer.bottom;

  PlotPainter upperPainter(upper, canvas, font);
  PlotPainter lowerPainter(lower, canvas, font);
  upperPainter.DrawFrame();
  lowerPainter.DrawFrame();

  const int opened = std::clamp(file.OpenedRangeCount, 0, km::kMaxRanges);
  for (int i = 0; i < opened; ++i) {
    upper.CurveColor = kLoadedRangeColors[i];
    SetRange(upper, loaded_[i]);
    upperPainter.DrawCurve();
  }

  const int working = std::clamp(file.WorkingRangeCount, 0, km::kMaxRanges);
  for (const bool changed : {false, true}) {
    for (int i = 0; i < working; ++i) {
      if (file.RangeModified[i] != changed) continue;
      lower.CurveColor = changed ? kChangedRangeColor : kUnchangedRangeColor;
      SetRange(lower, current_[i]);
      lowerPainter.DrawCurve();
    }
  }

  // The path and the legend, inside the upper data area.
  canvas.SetFont(font);
  canvas.SetClip(upper.Inner);
  canvas.SetTextAlign(km::align::Left | km::align::Top);
  canvas.SetTextColor({0, 0, 0});
  canvas.SetTextBackground(km::Rgb{255, 255, 255});
  const std::string path = km::Utf8ToCp1252(file.DocumentPath);
  const km::Size pathSize = canvas.TextExtent(path);
  // Right-aligned 10 pixels inside the frame; a path wider than the area keeps its start visible.
  const int right = upper.Inner.right - 10;
  const int pathX = std::max(upper.Inner.left, right - pathSize.cx);
  int y = upper.Inner.top;
  canvas.TextOut({pathX, y}, path);
  const int lineHeight = std::max(pathSize.cy, canvas.Metrics().height);
  // The range names start below the middle of the path, moved left as far as their widest needs to
  // end inside the frame, so that the numbers are never cut off.
  int legendWidth = 0;
  for (int i = 0; i < opened; ++i) {
    legendWidth = std::max(legendWidth, canvas.TextExtent(" Range " + std::to_string(i + 1) + " ").cx);
  }
  const int legendX = std::max(upper.Inner.left, std::min(pathX + pathSize.cx / 2, right - legendWidth));
  for (int i = 0; i < opened; ++i) {
    y += lineHeight;
    canvas.SetTextColor(kLoadedRangeColors[i]);
    canvas.TextOut({legendX, y}, " Range " + std::to_string(i + 1) + " ");
  }
  canvas.SetTextBackground(std::nullopt);
  canvas.SetClip(std::nullopt);
}

}  // namespace keltor
