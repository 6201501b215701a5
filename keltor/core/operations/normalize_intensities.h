#pragma once
// normalized Intensities: one range multiplied by a factor, or scaled so that its largest value
// becomes a given maximum.
#include <span>

#include "common/core/messages.h"
#include "common/core/raw_format.h"

namespace keltor {

// The dialog's values: multiply by Factor, or normalise to Maximum.
struct NormalizeChoice {
  bool Multiply = true;
  float Factor = 1.0f;
  int Maximum = 100;
};

inline constexpr int kNormalizeFactorEdit = 1048;
inline constexpr int kNormalizeMaximumEdit = 1047;

// The dialog's check on OK: 0 when accepted, else the edit to put the focus on (message shown).
int CheckNormalizeChoice(km::MessageSink& sink, const NormalizeChoice& choice);

// The factor the choice stands for; in normalise mode maximum / the largest value. A range whose
// largest value is 0 or below cannot be normalised: refused with a message (0 returned).
double NormalizeFactor(km::MessageSink& sink, const NormalizeChoice& choice, std::span<const float> values);

// Multiplies the values and the stored background intensities by factor, and sets the extremes.
void ScaleRange(km::RawRangeHeader& header, std::span<float> values, double factor);

}  // namespace keltor
