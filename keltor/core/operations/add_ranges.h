#pragma once
// Add Ranges: several ranges added point by point into a target range over the angular region
// common to all of them.
#include <span>
#include <string>

#include "common/core/raw_format.h"

namespace keltor {

// The target's part that stays: i0 points dropped in front, Count points from Begin to End.
struct AddRegion {
  long long FirstPoint = 0;
  int Count = 0;
  double Begin = 0;
  double End = 0;
  double Step = 0;
};

// The common region of target and others (headers only). Returns the error to show, or an empty text.
std::string PlanAddRanges(const km::RawFileHeader& fileHeader, const km::RawRangeHeader& target,
                          std::span<const km::RawRangeHeader> others, AddRegion& region);

// "Resulting range has %s ( min, max ) = %8.3f, %8.3f", blanks normalised.
std::string AddRangesShortenedWarning(bool omegaScan, double begin, double end);

// Moves the target's data down to the region's first point and zeroes the rest of its points.
void ShiftTargetToRegion(std::span<float> data, int targetPoints, const AddRegion& region);

// Adds range source onto the region's points of target: its value at each target grid point, taken
// straight when the grids agree within a hundredth of a step and interpolated linearly otherwise;
// nothing beyond its last point is read.
void AddRangeOnto(std::span<float> target, const AddRegion& region, const km::RawRangeHeader& source,
                  std::span<const float> sourceData, bool omegaScan);

// The target header after adding: region limits on both axes, extremes, no background points.
void FinishAddedTarget(km::RawRangeHeader& header, const AddRegion& region, bool omegaScan, std::span<const float> data);

}  // namespace keltor
