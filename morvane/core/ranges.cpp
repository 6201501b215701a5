#include "morvane/core/ranges.h"

#include <algorithm>

#include "morvane/core/colour_gradient.h"
#include "morvane/core/diagram_order.h"
#include "morvane/core/scaling.h"

namespace morvane {

Rect DefaultBackFace(const Rect& c) { return {c.left + 210, c.top + 50, c.right - 10, c.bottom - 130}; }
Rect DefaultFrontFace(const Rect& c) { return {c.left + 110, c.top + 130, c.right - 110, c.bottom - 50}; }

void ResetRanges(ViewerState& state, ViewState& view, const Rect& client) {
  if (view.RestoreCube) {
    state.Back = IsValidFace(state.SavedBack) ? state.SavedBack : DefaultBackFace(client);
    state.Front = IsValidFace(state.SavedFront) ? state.SavedFront : DefaultFrontFace(client);
  }
  state.ZDraw = SortDiagrams(state, view.Order);

  FloatRange x{100.0f, -100.0f};
  for (const Diagram& d : state.Diagrams) {
    x.min = std::min(x.min, d.XBegin);
    x.max = std::max(x.max, d.XEnd);
  }
  state.XDraw = x;
  state.YDraw = {0.0f, LargestScaledMax(state)};
  state.FullXRange = state.XDraw;
  state.FullYRange = state.YDraw;
  state.FullZRange = state.ZDraw;
  // Relative intensities are percentages of each diagram's own maximum: the axis runs to 100, as
  // it does after View whole diagram. Against the largest absolute maximum every curve would lie flat.
  if (state.RelativeIntensities) state.YDraw.max = 100.0f;

  view.YZoom = 1.0f;
  view.Highlight = 0;
  view.LastDiagram = state.NumDiagrams;
  view.CubeMode = false;
  view.RestoreCube = false;
  state.RangesDirty = false;
  Recolour(state);
}

}  // namespace morvane
