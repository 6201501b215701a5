#include "morvane/core/drag_preview.h"

#include <algorithm>
#include <cmath>

#include "morvane/core/diagram_order.h"

namespace morvane {

std::vector<bool> PreviewSelection(int count, int maxDiagrams) {
  std::vector<bool> keep(static_cast<size_t>(std::max(count, 0)), false);
  if (count <= 0) return keep;
  if (maxDiagrams >= count) {
    std::fill(keep.begin(), keep.end(), true);
    return keep;
  }
  const int m = std::max(maxDiagrams, 2);
  for (int k = 0; k < m; ++k) {
    const auto at = static_cast<size_t>(std::lround(static_cast<double>(k) * (count - 1) / (m - 1)));
    keep[std::min(at, keep.size() - 1)] = true;
  }
  return keep;
}

int PreviewDiagramCount(double lastFrameMs, int lastDrawn, double budgetMs, int minimum, int count) {
  if (lastDrawn <= 0 || !(lastFrameMs > 0)) return count;
  const double perDiagram = lastFrameMs / lastDrawn;
  const double fit = budgetMs / perDiagram;
  return std::clamp(static_cast<int>(std::min(fit, static_cast<double>(count))), std::min(minimum, count), count);
}

PreviewScope::PreviewScope(ViewerState& state, int maxDiagrams) : state_(state) {
  const int n = static_cast<int>(state.Diagrams.size());
  saved_.reserve(static_cast<size_t>(n));
  for (const Diagram& d : state.Diagrams) saved_.push_back(d.Omitted);
  std::vector<int> order;
  SortDiagrams(state, order);
  const std::vector<bool> keep = PreviewSelection(static_cast<int>(order.size()), maxDiagrams);
  for (size_t p = 0; p < order.size(); ++p) {
    Diagram& d = state.Diagrams[static_cast<size_t>(order[p])];
    if (!keep[p]) d.Omitted = true;
    if (!d.Omitted) ++drawn_;
  }
}

PreviewScope::~PreviewScope() {
  for (size_t i = 0; i < saved_.size() && i < state_.Diagrams.size(); ++i) state_.Diagrams[i].Omitted = saved_[i];
}

}  // namespace morvane
