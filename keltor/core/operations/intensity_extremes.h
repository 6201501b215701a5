#pragma once
// MinIntensity and MaxIntensity of a range after its values changed: the rounded extremes, in the
// units the values are read in (the writer takes care of the file's scale factor).
#include <span>

#include "common/core/raw_format.h"

namespace keltor {

void SetIntensityExtremes(km::RawRangeHeader& header, std::span<const float> values);

}  // namespace keltor
