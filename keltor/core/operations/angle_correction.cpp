#include "keltor/core/operations/angle_correction.h"

#include "keltor/core/operations/intensity_extremes.h"
#include "keltor/core/operations/scan_axis.h"

#include <algorithm>
#include <cmath>

namespace keltor {


double InterpolateLinear(double x, std::span<const double> X, std::span<const float> Y) {
  const size_t n = std::min(X.size(), Y.size());
  if (n == 0 || !(x >= X[0] && x <= X[n - 1])) return 0.0;
  size_t i = 0;
  if (n > 2) {
    size_t hi = n - 1;
    while (hi > i + 1) {
      const size_t mid = (i + hi) / 2;
      if (X[mid] <= x) {
        i = mid;
      } else {
        hi = mid;
      }
    }
    if (X[hi] <= x) i = hi;
  }
  if (i == n - 1) return Y[n - 1];
  return Y[i] + (x - X[i]) / (X[i + 1] - X[i]) * (static_cast<double>(Y[i + 1]) - Y[i]);
}

const char* AngleRangeSkipText(AngleRangeOutcome outcome) {
  switch (outcome) {
    case AngleRangeOutcome::BeyondHalfCircle:
      return " Angle correction will result in an 2Theta-range greater than 180 degree!\n Range will be skipped!";
    case AngleRangeOutcome::Inverted:
      return " Angle correction will result in an inverted 2Theta-range!\n Range will be skipped!";
    case AngleRangeOutcome::Descending:
      return " Angle correction will turn the order of the measured angles round!\n Range will be skipped!";
    case AngleRangeOutcome::Unusable:
      return " The range has no usable begin, end or step width!\n Range will be skipped!";
    case AngleRangeOutcome::Corrected: break;
  }
  return "";
}

AngleRangeOutcome CorrectRangeAngles(const AngleDelta& delta, int angleResolution, bool omegaScan,
                                     km::RawRangeHeader& header, std::span<const float> data,
                                     std::vector<float>& out) {
  km::RawRangeHeader h = header;
  const AxisFields scan = ScanAxis(h, omegaScan), other = OtherAxis(h, omegaScan);
  const double b = scan.Begin, e = scan.End, s = scan.Step;
  const size_t count = std::min(data.size(), static_cast<size_t>(std::clamp<int>(h.PointCount, 0, km::kWorkbenchMaxPoints)));
  if (count == 0 || !std::isfinite(b) || !std::isfinite(e) || !std::isfinite(s) || !(s > 0.0) || angleResolution <= 0)
    return AngleRangeOutcome::Unusable;

  const double newBegin = b + delta(b), newEnd = e + delta(e);
  if (!std::isfinite(newBegin) || !std::isfinite(newEnd)) return AngleRangeOutcome::Unusable;
  if (newEnd > 180.0) return AngleRangeOutcome::BeyondHalfCircle;
  if (!(newBegin < newEnd)) return AngleRangeOutcome::Inverted;

  // Both limits on the goniometer's grid.
  const double r = angleResolution;
  const double nb = static_cast<double>(RoundHalfAwayToLong(newBegin * r)) / r;
  const double ne = static_cast<double>(RoundHalfAwayToLong(newEnd * r)) / r;
  const double steps = (ne - nb) / s + 0.001;
  const int n = steps >= km::kWorkbenchMaxPoints - 1 ? km::kWorkbenchMaxPoints : static_cast<int>(steps) + 1;

  // The measured positions, corrected; the first one is the new begin itself, so the first intensity
  // stays where the range now begins. When the grid moved the begin past the next corrected positions
  // (a coarse resolution), those points lie before the range and are left out, so that the positions
  // ascend as the interpolation needs them to.
  std::vector<double> corrected(count);
  for (size_t i = 1; i < count; ++i) corrected[i] = b + static_cast<double>(static_cast<int>(i)) * s;
  delta.ShiftAll(std::span(corrected).subspan(1));
  size_t first = 1;
  while (first < count && corrected[first] <= nb) ++first;
  // positions[0] = nb with the first intensity, then the kept points with theirs.
  corrected[first - 1] = nb;
  for (size_t i = first; i < count; ++i)
    if (!(corrected[i] > corrected[i - 1])) return AngleRangeOutcome::Descending;
  const std::span<const double> positions = std::span(corrected).subspan(first - 1);
  std::vector<float> shifted;
  std::span<const float> values = data.subspan(first - 1, positions.size());
  if (first > 1) {
    shifted.assign(values.begin(), values.end());
    shifted[0] = data[0];
    values = shifted;
  }

  out.resize(static_cast<size_t>(n));
  // A grid position that misses the last corrected position by rounding noise alone (single-precision
  // steps and coefficients) is that position: a plain shift keeps its last point.
  const double noise = 1e-4 * s;
  // The grid ascends, so the segment of each position is found by walking on from the last one's,
  // and the interpolation is asked within that segment alone: the same segment its bisection finds.
  const size_t last = positions.size() - 1;
  size_t segment = 0;
  for (int j = 0; j < n; ++j) {
    double x = nb + j * s;
    if (x > positions[last] && x - positions[last] <= noise) x = positions[last];
    while (segment < last && positions[segment + 1] <= x) ++segment;
    const size_t width = std::min<size_t>(2, positions.size() - segment);
    out[static_cast<size_t>(j)] =
        static_cast<float>(InterpolateLinear(x, positions.subspan(segment, width), values.subspan(segment, width)));
  }
  SetIntensityExtremes(h, out);
  const double otherStep = other.Step;
  const double otherBegin = other.Begin + (nb - b) * otherStep / s;
  scan.Begin = static_cast<float>(nb);
  scan.End = static_cast<float>(nb + (n - 1) * s);
  other.Begin = static_cast<float>(otherBegin);
  other.End = static_cast<float>(otherBegin + (n - 1) * otherStep);
  h.RangeFlags |= km::kFlagAngleCorrected;
  h.PointCount = static_cast<int16_t>(n);
  h.BackgroundPointCount = 0;
  header = h;
  return AngleRangeOutcome::Corrected;
}

}  // namespace keltor
