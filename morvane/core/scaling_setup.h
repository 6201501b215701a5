#pragma once
// What the Scaling setup dialog shows and takes over: the X, Y and Z ranges drawn, the intensity
// scaling (Linear, SQRT, LOG, one at a time) and the relative ("Individual") switch. The dialog's
// window only binds its controls to these values.
#include <string>

#include "morvane/core/viewer_state.h"

namespace morvane {

struct ScalingSetup {
  FloatRange X, Y, Z;  // "From" / "To"
  FloatRange FullX, FullY, FullZ;  // shown above the fields
  int Mode = 0;  // 0 Linear, 1 SQRT, 2 LOG
  bool Individual = false;
};

// The values the dialog opens with; the Y labels show the full maximum in the current scaling.
ScalingSetup OpenScalingSetup(const ViewerState& state);

// The full Y maximum of the set in a scaling: the largest stored maximum as is, its square root, or
// the base-10 logarithm of the larger of it and 1.0.
float FullYMaximum(const ViewerState& state, int mode);

// Linear, SQRT or LOG ticked: without "Individual" the Y "To" field takes the full maximum in it.
void ChooseSetupScaling(const ViewerState& state, ScalingSetup& setup, int mode);

// "Individual" ticked (Y "To" 100.00) or cleared (the full maximum in the current scaling again).
void ChooseSetupIndividual(const ViewerState& state, ScalingSetup& setup, bool individual);

// OK: minima below the full ranges are raised to them, X and Z maxima above them lowered (Y may go
// higher), an axis whose minimum is not below its maximum gets its full range; the switches and the
// diagrams' scaling follow.
void ApplyScalingSetup(ViewerState& state, const ScalingSetup& setup);

// "%.2f", as the fields and labels show numbers.
std::string FormatSetupNumber(float v);

}  // namespace morvane
