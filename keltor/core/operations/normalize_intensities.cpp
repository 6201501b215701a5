#include "keltor/core/operations/normalize_intensities.h"

#include <algorithm>
#include <cmath>

#include "common/core/text.h"
#include "keltor/core/operations/truncate_range.h"

namespace keltor {

int CheckNormalizeChoice(km::MessageSink& sink, const NormalizeChoice& choice) {
  if (choice.Multiply && !(choice.Factor > 0.0f)) {
    sink.ShowError(" a factor of zero or a negative value doesn't make any sense!");
    return kNormalizeFactorEdit;
  }
  if (!choice.Multiply && choice.Maximum <= 0) {
    sink.ShowError(" can't normalized to a zero or negative Intensity!");
    return kNormalizeMaximumEdit;
  }
  return 0;
}

double NormalizeFactor(km::MessageSink& sink, const NormalizeChoice& choice, std::span<const float> values) {
  if (choice.Multiply) return choice.Factor;
  const float largest = values.empty() ? 0.0f : *std::max_element(values.begin(), values.end());
  if (!(largest > 0.0f)) {
    sink.ShowError(km::Printf("The largest intensity of the range is %g: it cannot be normalized.",
                              static_cast<double>(largest)));
    return 0.0;
  }
  return static_cast<double>(choice.Maximum) / largest;
}

void ScaleRange(km::RawRangeHeader& header, std::span<float> values, double factor) {
  for (float& v : values) v = static_cast<float>(v * factor);
  // The background intensities belong to the same points: they are scaled with them.
  const int background = std::clamp<int>(header.BackgroundPointCount, 0, km::kMaxBackgroundPoints);
  for (int i = 0; i < background; ++i) {
    header.BackgroundIntensity[i] = km::RoundToCount(header.BackgroundIntensity[i] * factor);
  }
  SetIntensityExtremes(header, values);
}

}  // namespace keltor
