#include "morvane/core/scaling.h"

#include <algorithm>
#include <cmath>

namespace morvane {

float ScaledIntensity(float v, int scaling) {
  if (scaling == kSquareRoot) return std::sqrt(v);
  if (scaling == kLogarithm) return std::log10(v);
  return v;
}

void SetDiagramScaling(Diagram& diagram, int mode) {
  if (mode == kLinear || mode == kSquareRoot || mode == kLogarithm) {
    diagram.ScaledMax = ScaledIntensity(diagram.RawMax, mode);
    diagram.TopValue = diagram.ScaledMax;
  }
  diagram.Scaling = mode;
}

float LargestScaledMax(const ViewerState& state) {
  float largest = -100.0f;
  for (const Diagram& d : state.Diagrams) largest = std::max(largest, d.ScaledMax);
  return largest;
}

const char* IntensityCaption(const ViewerState& state) {
  if (state.RelativeIntensities) return "Relative Intensities %";
  if (state.LOG) return "LOG(Intensity)";
  if (state.SQRT) return "SQRT(Intensity)";
  return "Absolute Intensity";
}

void ChooseScaling(ViewerState& state, int mode) {
  for (Diagram& d : state.Diagrams) SetDiagramScaling(d, mode);
  state.Linear = mode == kLinear;
  state.SQRT = mode == kSquareRoot;
  state.LOG = mode == kLogarithm;
  if (!state.RelativeIntensities) state.YDraw = {0.0f, LargestScaledMax(state)};
  state.YCaption = IntensityCaption(state);
}

void ApplyScalingSwitches(ViewerState& state) {
  for (Diagram& d : state.Diagrams) {
    if (state.SQRT) SetDiagramScaling(d, kSquareRoot);
    if (state.Linear) SetDiagramScaling(d, kLinear);
    if (state.LOG) SetDiagramScaling(d, kLogarithm);
  }
}

}  // namespace morvane
