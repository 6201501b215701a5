#pragma once
// Truncate Range: a range cut to new limits on its scan axis, on whole steps of its grid.
#include <span>

#include "common/core/raw_format.h"

namespace keltor {

// Moves the begin to the grid point nearest newBegin and the end to the one nearest newEnd (both
// axes follow), moves the data down, zeroes what is left behind and recomputes the extremes; the
// background points no longer apply. data holds at least the range's points (values beyond the new
// count up to the old one are set to 0). Returns false, leaving everything as it was, when the range
// would not get shorter (or the header cannot be cut: no step, limits outside the range).
bool TruncateRange(km::RawRangeHeader& header, std::span<float> data, bool omegaScan, float newBegin, float newEnd);

// The smallest and largest of values, rounded half away from zero into the header's extremes.
void SetIntensityExtremes(km::RawRangeHeader& header, std::span<const float> values);

}  // namespace keltor
