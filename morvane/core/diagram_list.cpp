#include "morvane/core/diagram_list.h"

#include <algorithm>

#include "morvane/core/diagram_order.h"

namespace morvane {

std::vector<DiagramListEntry> DiagramListEntries(const ViewerState& state) {
  std::vector<int> order;
  SortDiagramsBy(state, 0, order);
  std::vector<DiagramListEntry> entries;
  entries.reserve(order.size());
  for (int i : order) {
    const Diagram& d = state.Diagrams[static_cast<size_t>(i)];
    entries.push_back({i, d.Omitted ? "< " + d.Name + " >" : d.Name});
  }
  return entries;
}

void ToggleOmitted(ViewerState& state, const std::vector<int>& diagrams) {
  const int n = std::min(state.NumDiagrams, static_cast<int>(state.Diagrams.size()));
  for (int i : diagrams)
    if (i >= 0 && i < n) state.Diagrams[static_cast<size_t>(i)].Omitted = !state.Diagrams[static_cast<size_t>(i)].Omitted;
}

}  // namespace morvane
