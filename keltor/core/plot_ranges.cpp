#include "keltor/core/plot_ranges.h"

#include <algorithm>
#include <vector>

namespace keltor {

void WidenExtents(PlotExtents& extents, const PlotExtents& other) {
  extents.XMin = std::min(extents.XMin, other.XMin);
  extents.XMax = std::max(extents.XMax, other.XMax);
  extents.YMin = std::min(extents.YMin, other.YMin);
  extents.YMax = std::max(extents.YMax, other.YMax);
}

std::optional<PlotExtents> LoadRanges(PlotDataSource& source, PlotRangeTable& table) {
  km::RawFileHeader header{};
  if (!source.ReadHeader(header)) return std::nullopt;
  if (header.TotalPointCount == 0) return std::nullopt;
  const int count = std::clamp<int>(header.MeasuredRangeCount, 0, km::kMaxRanges);
  if (count == 0) return std::nullopt;
  const bool omega = header.ScanType == km::kScanTypeOmega;

  std::vector<float> buffer(km::kWorkbenchMaxPoints);
  std::optional<PlotExtents> extents;
  for (int k = 1; k <= count; ++k) {
    km::RawRangeHeader rh{};
    std::fill(buffer.begin(), buffer.end(), 0.0f);
    const bool read = source.ReadRange(k, rh, buffer);
    PlotRange& range = table[k - 1];
    range.PointCount = std::clamp<int>(rh.PointCount, 0, km::kWorkbenchMaxPoints);
    range.Begin = omega ? rh.OmegaBegin : rh.TwoThetaBegin;
    range.End = omega ? rh.OmegaEnd : rh.TwoThetaEnd;
    range.Step = omega ? rh.OmegaStep : rh.TwoThetaStep;
    range.Data.assign(buffer.begin(), buffer.begin() + range.PointCount);
    if (!read && rh.PointCount == 0) continue;

    // The extremes are kept in stored counts; the data the plot draws are divided by the scale factor.
    const float scale = rh.ScaleFactor > 1 ? rh.ScaleFactor : 1.0f;
    const PlotExtents these{range.Begin, range.End, static_cast<float>(rh.MinIntensity) / scale,
                            static_cast<float>(rh.MaxIntensity) / scale};
    if (extents)
      WidenExtents(*extents, these);
    else
      extents = these;
  }
  return extents;
}

}  // namespace keltor
