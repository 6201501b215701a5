#include "morvane/core/diagram_order.h"

#include <algorithm>

namespace morvane {

FloatRange SortDiagrams(const ViewerState& state, std::vector<int>& order) {
  return SortDiagramsBy(state, state.ZMode, order);
}

FloatRange SortDiagramsBy(const ViewerState& state, int quantity, std::vector<int>& order) {
  const int mode = std::clamp(quantity, 0, 2);
  const int n = std::min(state.NumDiagrams, static_cast<int>(state.Diagrams.size()));
  order.clear();
  order.reserve(static_cast<size_t>(n));
  FloatRange range{10000.0f, -10000.0f};
  for (int j = 0; j < n; ++j) {
    const float z = state.Diagrams[j].Z[mode];
    // Before the first entry with a smaller Z: a comparison that also holds for NaN values (they
    // never compare smaller, so they go to the end) and keeps equal values in index order.
    auto at = std::find_if(order.begin(), order.end(), [&](int e) { return state.Diagrams[e].Z[mode] < z; });
    order.insert(at, j);
    range.min = std::min(range.min, z);
    range.max = std::max(range.max, z);
  }
  return range;
}

}  // namespace morvane
