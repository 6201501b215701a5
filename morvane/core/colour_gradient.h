#pragma once
// The three-colour gradient of the picture and the colours it gives the diagrams by their depth.
#include <array>

#include "morvane/core/viewer_state.h"

namespace morvane {

// 128 steps from StartColor towards MeanColor, then 128 from MeanColor towards EndColor (each step's
// channel offset truncated toward zero, so the last entry stops one step short of EndColor).
std::array<Rgb, kGradientSize> BuildGradient(Rgb start, Rgb mean, Rgb end);

// Rebuilds Gradient and colours every diagram by where its Z lies in ZDraw; diagrams outside ZDraw
// take BackColor.
void Recolour(ViewerState& state);

}  // namespace morvane
