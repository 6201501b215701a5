#pragma once
// Screen coordinates come from float arithmetic on values read from files; a hostile or degenerate
// file (an empty range, a step of zero) can make them huge, infinite or NaN. These conversions keep
// the classic rules (integer part toward zero; half away from zero) and hold everything else at
// +-2^28: far beyond any device, and sums of a few such values still fit an int, so that no
// conversion or later addition is ever undefined.
#include <cmath>

namespace morvane {

inline constexpr int kCoordinateLimit = 1 << 28;

// Integer part toward zero; NaN gives 0.
inline int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v <= -kCoordinateLimit) return -kCoordinateLimit;
  if (v >= kCoordinateLimit) return kCoordinateLimit;
  return static_cast<int>(v);
}

// Half away from zero: add 0.5 (or subtract it below zero), then the integer part.
inline int RoundToInt(double v) { return TruncToInt(v < 0 ? v - 0.5 : v + 0.5); }

}  // namespace morvane
