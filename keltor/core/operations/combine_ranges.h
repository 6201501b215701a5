#pragma once
// Combine Range: two ranges that follow each other in angle joined into one, blended linearly where
// they overlap.
#include <span>
#include <string>
#include <vector>

#include "common/core/raw_format.h"

namespace keltor {

// One range with its own 16384-value buffer.
struct RangeBuffer {
  km::RawRangeHeader Header = km::ZeroRangeHeader();
  std::vector<float> Data = std::vector<float>(km::kWorkbenchMaxPoints);
};

// The two ranges ready to be joined: R1 begins lower, counts stand for the same counting time, and
// R2 lies on R1's grid.
struct CombinePlan {
  RangeBuffer R1, R2;
  bool OmegaScan = false;
  double Step = 0;      // the scan-axis step of the lower-numbered range
  double TimePerStep = 0;  // the time the counts stand for after scaling
};

// The checks, the scaling to the longer counting time and the resampling of R2 onto R1's grid. a is
// the lower-numbered range. Returns the error to show (the plan unusable) or an empty text.
std::string PrepareCombine(const km::RawFileHeader& fileHeader, const RangeBuffer& a, const RangeBuffer& b,
                           CombinePlan& plan);

// R1's end lies below R2's begin: the ranges do not overlap (the user is asked).
bool CombineLeavesGap(const CombinePlan& plan);

// The joined range into header and data (at least 16384 values). Returns true when the result was
// cut at 16384 points.
bool CombineRanges(const CombinePlan& plan, km::RawRangeHeader& header, std::span<float> data);

// "Too many data, combined range truncated at %s = %-8.3f", trailing blanks removed.
std::string CombineTruncatedWarning(bool omegaScan, float end);

}  // namespace keltor
