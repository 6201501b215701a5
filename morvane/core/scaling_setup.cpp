#include "morvane/core/scaling_setup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "morvane/core/scaling.h"

namespace morvane {
namespace {

int CurrentMode(const ViewerState& st) { return st.LOG ? kLogarithm : st.SQRT ? kSquareRoot : kLinear; }

}  // namespace

float FullYMaximum(const ViewerState& st, int mode) {
  float raw = -100.0f;
  for (const Diagram& d : st.Diagrams) raw = std::max(raw, d.RawMax);
  switch (mode) {
    case kSquareRoot: return std::sqrt(std::max(raw, 0.0f));
    case kLogarithm: return std::log10(std::max(raw, 1.0f));
    default: return raw;
  }
}

ScalingSetup OpenScalingSetup(const ViewerState& st) {
  ScalingSetup s;
  s.X = st.XDraw;
  s.Y = st.YDraw;
  s.Z = st.ZDraw;
  s.FullX = st.FullXRange;
  s.FullZ = st.FullZRange;
  s.Mode = CurrentMode(st);
  s.Individual = st.RelativeIntensities;
  s.FullY = {st.FullYRange.min, s.Individual ? 100.0f : FullYMaximum(st, s.Mode)};
  return s;
}

void ChooseSetupScaling(const ViewerState& st, ScalingSetup& s, int mode) {
  s.Mode = std::clamp(mode, 0, 2);
  if (s.Individual) return;
  s.FullY.max = FullYMaximum(st, s.Mode);
  s.Y.max = s.FullY.max;
}

void ChooseSetupIndividual(const ViewerState& st, ScalingSetup& s, bool individual) {
  s.Individual = individual;
  s.FullY.max = individual ? 100.0f : FullYMaximum(st, s.Mode);
  s.Y.max = s.FullY.max;
}

void ApplyScalingSetup(ViewerState& st, const ScalingSetup& s) {
  auto limit = [](FloatRange r, FloatRange full, bool lowerMax) {
    // NaN typed into a field counts as "not below": the axis gets its full range.
    if (r.min < full.min) r.min = full.min;
    if (lowerMax && r.max > full.max) r.max = full.max;
    if (!(r.min < r.max)) r = full;
    return r;
  };
  const FloatRange fullY{st.FullYRange.min, s.Individual ? 100.0f : FullYMaximum(st, s.Mode)};
  st.XDraw = limit(s.X, st.FullXRange, true);
  st.YDraw = limit(s.Y, fullY, false);
  st.ZDraw = limit(s.Z, st.FullZRange, true);
  st.RelativeIntensities = s.Individual;
  st.Linear = s.Mode == kLinear;
  st.SQRT = s.Mode == kSquareRoot;
  st.LOG = s.Mode == kLogarithm;
  for (Diagram& d : st.Diagrams) SetDiagramScaling(d, s.Mode);
}

std::string FormatSetupNumber(float v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(v));
  return text;
}

}  // namespace morvane
