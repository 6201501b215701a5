#pragma once
// Whole ranges of intensities made into the counts a raw data file stores: multiplied by the write
// scale, rounded half away from zero, held at the limits of a 32-bit count, and 0 for a value that is
// not a number. Every count equals RoundToCount of the same product; this runs in vector registers
// because a working copy rewrite converts every point of every range, twice.
#include <cstdint>
#include <span>

namespace km {

// out[i] = RoundToCount(values[i] * scale); out must hold values.size() counts.
void RoundToCounts(std::span<const float> values, double scale, int32_t* out);

}  // namespace km
