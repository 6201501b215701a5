#pragma once
// Intensity scalings of the diagrams: linear, square root, base-10 logarithm; and the relative mode
// in which each diagram is drawn against its own maximum in percent.
#include "morvane/core/viewer_state.h"

namespace morvane {

enum ScalingMode { kLinear = 0, kSquareRoot = 1, kLogarithm = 2 };

// ScaledMax (and TopValue) from RawMax in the given scaling; any mode value is kept in Scaling.
void SetDiagramScaling(Diagram& diagram, int mode);

// An intensity in a diagram's scaling (0 linear, 1 square root, 2 base-10 logarithm).
float ScaledIntensity(float v, int scaling);

// The largest ScaledMax of the set, the search starting from -100.0.
float LargestScaledMax(const ViewerState& state);

// The Linear, SQRT and Log commands: every diagram gets the scaling, the switches say only it, and
// unless the intensities are relative YDraw becomes (0, largest ScaledMax) and the Y caption follows.
void ChooseScaling(ViewerState& state, int mode);

// After a status file was read: the switches applied in the order SQRT, Linear, LOG, the last set
// one winning.
void ApplyScalingSwitches(ViewerState& state);

// The Y caption the picture shows for the current switches.
const char* IntensityCaption(const ViewerState& state);

}  // namespace morvane
