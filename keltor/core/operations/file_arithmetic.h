#pragma once
// Add, Subtract and Divide File: one range of the working file (the target) combined point by point
// with one range of another file (the source) over their common angular region.
#include <span>

#include "common/core/messages.h"
#include "common/core/raw_format.h"

namespace keltor {

enum class FileOperation { Add = 0, Subtract = 1, Divide = 2 };

// The multiplication factors of target (M1) and source (M2).
struct ArithmeticFactors {
  float M1 = 1.0f;
  float M2 = 1.0f;
};
inline constexpr int kFactor1Edit = 1037;
inline constexpr int kFactor2Edit = 1038;
inline constexpr float kFactorLimit = 100.0f;

// The factors dialog's check on OK: each within -100 .. 100 and not 0. 0 when accepted, else the
// edit to focus (message shown).
int CheckArithmeticFactors(km::MessageSink& sink, const ArithmeticFactors& factors);

// The ranges fit together: equal steps, equal positions of the fixed axis, an overlap of at least
// 10 steps, and counting times that can be scaled onto each other. Shows the refusal.
bool CheckArithmeticRanges(km::MessageSink& sink, const km::RawFileHeader& target, const km::RawRangeHeader& h1,
                           const km::RawFileHeader& source, const km::RawRangeHeader& h2);

// Combines target values t (header h1) with source values s (header h2) over the common region:
// add and subtract m1*T + m2*S (m2 negated for subtraction), divide m1*T/S (0 where S is 0). The
// source is first scaled to the target's counting time and, when it lies off the target's grid,
// interpolated onto it. h1 becomes the result's header (begin, end, point count, extremes; its
// background points cleared) and result (at least as long as t) its values. Returns the point
// count, 0 when the ranges share no point (h1 then unchanged). Expects CheckArithmeticRanges passed.
int CombineRanges(FileOperation operation, bool omegaScan, km::RawRangeHeader& h1, std::span<const float> t,
                  const km::RawRangeHeader& h2, std::span<const float> s, double m1, double m2,
                  std::span<float> result);

}  // namespace keltor
