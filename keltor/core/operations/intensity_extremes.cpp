#include "keltor/core/operations/intensity_extremes.h"

#include <algorithm>

#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/operations/value_extremes.h"

namespace keltor {

void SetIntensityExtremes(km::RawRangeHeader& header, std::span<const float> values) {
  if (values.empty()) {
    header.MinIntensity = 0;
    header.MaxIntensity = 0;
    return;
  }
  // Several values at a time while all are finite (every range after every change goes through here);
  // a value that is no number or infinite takes the one-by-one way, whose order decides what it gives.
  ValueExtremes<float> extremes;
  extremes.Include(values);
  if (extremes.Finite) {
    header.MinIntensity = RoundIntensity(static_cast<double>(extremes.Lowest));
    header.MaxIntensity = RoundIntensity(static_cast<double>(extremes.Highest));
    return;
  }
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  header.MinIntensity = RoundIntensity(static_cast<double>(*low));
  header.MaxIntensity = RoundIntensity(static_cast<double>(*high));
}

}  // namespace keltor
