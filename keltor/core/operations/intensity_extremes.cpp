#include "keltor/core/operations/intensity_extremes.h"

#include <algorithm>

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

}  // namespace keltor
