#pragma once
// What the first paint after a load recomputes: the cube (when it is to be restored), the order and
// the X, Y and Z ranges drawn, and the colours.
#include "morvane/core/viewer_state.h"

namespace morvane {

// The cube a new view starts with when no saved one is valid.
Rect DefaultBackFace(const Rect& client);
Rect DefaultFrontFace(const Rect& client);

// A face is valid when it has a positive width and height.
inline bool IsValidFace(const Rect& r) { return r.right > r.left && r.bottom > r.top; }

void ResetRanges(ViewerState& state, ViewState& view, const Rect& client);

}  // namespace morvane
