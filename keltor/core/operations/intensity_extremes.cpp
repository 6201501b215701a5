#include "keltor/core/operations/intensity_extremes.h"

#include <algorithm>

namespace keltor {

void SetIntensityExtremes(km::RawRangeHeader& header, std::span<const float> values) {
  if (values.empty()) {
    header.MinIntensity = header.MaxIntensity = 0;
    return;
  }
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  header.MinIntensity = km::RoundToCount(*low);
  header.MaxIntensity = km::RoundToCount(*high);
}

}  // namespace keltor
