#include "keltor/core/operations/truncate_range.h"

#include <algorithm>
#include <cmath>

#include "keltor/core/operations/scan_axis.h"

namespace keltor {

void SetIntensityExtremes(km::RawRangeHeader& header, std::span<const float> values) {
  if (values.empty()) {
    header.MinIntensity = 0;
    header.MaxIntensity = 0;
    return;
  }
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  header.MinIntensity = RoundIntensity(static_cast<double>(*low));
  header.MaxIntensity = RoundIntensity(static_cast<double>(*high));
}

bool TruncateRange(km::RawRangeHeader& header, std::span<float> data, bool omegaScan, float newBegin, float newEnd) {
  const int oldCount = std::min<int>(header.PointCount, static_cast<int>(data.size()));
  AxisFields scan = ScanAxis(header, omegaScan);
  AxisFields other = OtherAxis(header, omegaScan);
  const double step = scan.Step;
  if (oldCount < 1 || !std::isfinite(step) || step == 0.0 || !std::isfinite(newBegin) || !std::isfinite(newEnd)) {
    return false;
  }
  const long long i0 = RoundHalfAwayToLong((static_cast<double>(newBegin) - scan.Begin) / step);
  const double begin = scan.Begin + static_cast<double>(i0) * step;
  const long long i1 = RoundHalfAwayToLong((static_cast<double>(newEnd) - begin) / step);
  const long long n = i1 + 1;
  // The dialog's limits keep the new range inside the old one; anything else is not a truncation.
  if (n >= oldCount || i0 < 0 || n < 1 || i0 + n > oldCount) return false;

  const double otherBegin = other.Begin + static_cast<double>(i0) * other.Step;
  scan.Begin = static_cast<float>(begin);
  other.Begin = static_cast<float>(otherBegin);
  scan.End = static_cast<float>(begin + static_cast<double>(i1) * step);
  other.End = static_cast<float>(otherBegin + static_cast<double>(i1) * other.Step);

  const auto count = static_cast<size_t>(n);
  std::copy(data.begin() + i0, data.begin() + i0 + n, data.begin());
  std::fill(data.begin() + n, data.begin() + oldCount, 0.0f);
  header.PointCount = static_cast<int16_t>(n);
  SetIntensityExtremes(header, data.first(count));
  header.BackgroundPointCount = 0;
  return true;
}

}  // namespace keltor
