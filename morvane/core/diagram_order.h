#pragma once
// The order in which the diagrams lie in depth: decreasing Z of the quantity on the depth axis.
#include <vector>

#include "morvane/core/viewer_state.h"

namespace morvane {

// Fills order with the diagram indices by decreasing Z[ZMode], equal values in index order, and
// returns the smallest and largest Z (the search starting from 10000.0 and -10000.0).
FloatRange SortDiagrams(const ViewerState& state, std::vector<int>& order);

// The same by the Z of another quantity (0 the series number, 1 the temperature, 2 the time).
FloatRange SortDiagramsBy(const ViewerState& state, int quantity, std::vector<int>& order);

}  // namespace morvane
