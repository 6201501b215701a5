#pragma once
// What the Label Setup dialog shows and takes over: label positions, the Z mode, grid and box, the
// axis label texts and the Z ticks. The dialog's window only binds its controls to these values.
#include <array>
#include <string>

#include "morvane/core/viewer_state.h"

namespace morvane {

struct LabelSetup {
  std::array<int, 3> LabelPos{};  // 0..4; 4 places no axis
  int ZMode = 0;
  bool DrawGrid = false, DrawBox = true;
  std::string XLabel, YLabel, ZLabel;
  Ticks X, Y, Z;           // Start, Increment, and End = start + count x increment
  bool ZTicksEdited = false;
};

// The values the dialog opens with.
LabelSetup OpenLabelSetup(const ViewerState& state);

// Another Z mode chosen: its caption as the Z label, and Z ticks proposed from its range (at most
// eight increments, no whole-number rule).
void ChooseLabelZMode(const ViewerState& state, LabelSetup& setup, int mode);

// Z Start or Increment typed: End follows, and the Z axis becomes the user's.
void EditLabelZTicks(LabelSetup& setup, float start, float increment);

inline float TicksEnd(const Ticks& t) { return static_cast<float>(t.count) * t.increment + t.start; }

// OK: the values go to the state.
void ApplyLabelSetup(ViewerState& state, const LabelSetup& setup);

}  // namespace morvane
