#pragma once
// Angle correction of one range: both limits shifted by Delta and put on the goniometer's grid, every
// measured position shifted by Delta at its own angle, and the intensities resampled linearly onto an
// even grid of the old step from the new begin.
#include <span>
#include <vector>

#include "common/core/raw_format.h"
#include "keltor/core/operations/calibration_record.h"

namespace keltor {

// Linear interpolation in the points (X[i], Y[i]), X ascending: 0 for x outside [X[0], X[N-1]] (never
// extrapolated), Y[N-1] at X[N-1]. The segment is found by bisection.
double InterpolateLinear(double x, std::span<const double> X, std::span<const float> Y);

enum class AngleRangeOutcome {
  Corrected,
  BeyondHalfCircle,  // the corrected end lies above 180 degrees
  Inverted,          // the corrected begin is not below the corrected end
  Descending,        // the correction turns the order of the measured positions round
  Unusable,          // no points, or a begin, end or step that is no number or a step not above 0
};

// The message shown for a range that is skipped.
const char* AngleRangeSkipText(AngleRangeOutcome outcome);

// Corrects one range. On Corrected, header describes the resampled range (scan axis begin and end on
// the grid of angleResolution steps per degree, the other axis shifted along, PointCount, the extremes,
// AngleCorrected set, BackgroundPointCount 0) and out holds its PointCount intensities; otherwise
// neither is changed. angleResolution must be above 0. The positions lie on the Omega axis for an
// Omega scan, else on 2Theta.
AngleRangeOutcome CorrectRangeAngles(const AngleDelta& delta, int angleResolution, bool omegaScan,
                                     km::RawRangeHeader& header, std::span<const float> data,
                                     std::vector<float>& out);

}  // namespace keltor
