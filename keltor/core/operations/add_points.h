#pragma once
// Add Points: each group of k neighbouring points summed into one, the step made k times coarser.
#include <span>

#include "common/core/messages.h"
#include "common/core/raw_format.h"

namespace keltor {

inline constexpr int kAddPointsMinimum = 2;
inline constexpr int kAddPointsMaximum = 10;
inline constexpr int kAddPointsEdit = 1032;

// The dialog's check on OK: the count within 2 .. 10 (the range message shown otherwise).
bool CheckAddPointsCount(km::MessageSink& sink, int count);

// Sums groups of k points of a range in place (values hold its PointCount points; the trailing
// PointCount mod k points are dropped) and moves both axes to the groups' centres. Returns the new
// point count; a range of fewer than k points is left alone (0).
int AddPoints(km::RawRangeHeader& header, std::span<float> values, int k);

}  // namespace keltor
