#pragma once
// A range header's MinIntensity and MaxIntensity follow its values after every change and import.
#include <span>

#include "common/core/raw_format.h"

namespace keltor {

// The smallest and largest of values, rounded half away from zero into the header's extremes (both 0
// without values).
void SetIntensityExtremes(km::RawRangeHeader& header, std::span<const float> values);

}  // namespace keltor
