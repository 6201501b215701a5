#include "keltor/core/operations/add_ranges.h"

#include <algorithm>
#include <cmath>

#include "common/core/text.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/operations/truncate_range.h"

namespace keltor {

namespace {

// Grid points closer than this fraction of a step are the same point: 10 + 40 x 0.02 in double
// precision must meet the single-precision 10.8 a range begins at.
constexpr double kGridTolerance = 0.001;

int PointsOf(const km::RawRangeHeader& h, size_t size) {
  return std::clamp<int>(h.PointCount, 0, static_cast<int>(std::min<size_t>(size, km::kWorkbenchMaxPoints)));
}

}  // namespace

std::string PlanAddRanges(const km::RawFileHeader& fileHeader, const km::RawRangeHeader& target,
                          std::span<const km::RawRangeHeader> others, AddRegion& region) {
  const bool omega = IsOmegaScan(fileHeader);
  const ConstAxisFields h = ScanAxis(target, omega);
  const double s = h.Step;
  double lo = h.Begin;
  double hi = h.End;
  for (const km::RawRangeHeader& other : others) {
    const ConstAxisFields axis = ScanAxis(other, omega);
    if (RoundHalfAwayToLong(fileHeader.AngleResolution * (static_cast<double>(axis.Step) - s)) != 0) {
      return "Ranges have different stepwidths.";
    }
    lo = std::max(lo, static_cast<double>(axis.Begin));
    hi = std::max(lo, std::min(hi, static_cast<double>(axis.End)));
  }
  if (!std::isfinite(s) || s <= 0 || TruncToLong((hi - lo) / s) < 5) return "Selected ranges have no common angular region.";
  long long n = TruncToLong((hi - lo) / s + 0.001) + 1;
  long long i0 = RoundHalfAwayToLong((lo - h.Begin) / s);
  double b = h.Begin + static_cast<double>(i0) * s;
  // Below lo means below it by more than noise: compared on the step grid.
  if ((lo - b) / s > kGridTolerance) {
    b += s;
    ++i0;
    --n;
  }
  if (n < 10) return "Common angular region is too small.";
  n = std::min<long long>(n, km::kWorkbenchMaxPoints);
  region = {i0, static_cast<int>(n), b, b + static_cast<double>(n - 1) * s, s};
  return {};
}

std::string AddRangesShortenedWarning(bool omegaScan, double begin, double end) {
  std::string text = km::Printf("Resulting range has %s ( min, max ) = %8.3f, %8.3f",
                                std::string(ScanAxisName(omegaScan)).c_str(), begin, end);
  km::TrimAndNormalize(text);
  return text;
}

void ShiftTargetToRegion(std::span<float> data, int targetPoints, const AddRegion& region) {
  const auto size = static_cast<long long>(data.size());
  const long long count = std::min<long long>(targetPoints, size);
  for (long long j = 0; j < count; ++j) {
    const long long from = j + region.FirstPoint;
    data[static_cast<size_t>(j)] = from >= 0 && from < count ? data[static_cast<size_t>(from)] : 0.0f;
  }
}

void AddRangeOnto(std::span<float> target, const AddRegion& region, const km::RawRangeHeader& source,
                  std::span<const float> sourceData, bool omegaScan) {
  const int points = PointsOf(source, sourceData.size());
  auto value = [&](long long i) -> double {
    return i >= 0 && i < points ? static_cast<double>(sourceData[static_cast<size_t>(i)]) : 0.0;
  };
  const double d = (region.Begin - ScanAxis(source, omegaScan).Begin) / region.Step;
  const double f = d - std::floor(d);
  const long long count = std::min<long long>(region.Count, static_cast<long long>(target.size()));
  if (f > 0.01 && f < 0.99) {
    const long long first = static_cast<long long>(std::floor(d));
    for (long long j = 0; j < count; ++j) {
      const long long i = first + j;
      if (i < 0 || i >= points) continue;
      // The last point has no right neighbour: the value there is the point itself.
      const double v = i + 1 < points ? value(i) + f * (value(i + 1) - value(i)) : value(i);
      target[static_cast<size_t>(j)] = static_cast<float>(target[static_cast<size_t>(j)] + v);
    }
    return;
  }
  const long long j0 = RoundHalfAwayToLong(d);
  for (long long j = 0; j < count; ++j) {
    target[static_cast<size_t>(j)] = static_cast<float>(target[static_cast<size_t>(j)] + value(j0 + j));
  }
}

void FinishAddedTarget(km::RawRangeHeader& header, const AddRegion& region, bool omegaScan,
                       std::span<const float> data) {
  AxisFields scan = ScanAxis(header, omegaScan);
  AxisFields other = OtherAxis(header, omegaScan);
  header.PointCount = static_cast<int16_t>(region.Count);
  scan.Begin = static_cast<float>(region.Begin);
  scan.End = static_cast<float>(region.End);
  const double otherBegin = other.Begin + static_cast<double>(region.FirstPoint) * other.Step;
  other.Begin = static_cast<float>(otherBegin);
  other.End = static_cast<float>(otherBegin + static_cast<double>(region.Count - 1) * other.Step);
  SetIntensityExtremes(header, data.first(std::min<size_t>(data.size(), static_cast<size_t>(region.Count))));
  // The region moved the points under the background indices.
  header.BackgroundPointCount = 0;
}

}  // namespace keltor
