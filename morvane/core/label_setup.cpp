#include "morvane/core/label_setup.h"

#include <algorithm>
#include <cmath>

#include "morvane/core/axes.h"
#include "morvane/core/diagram_order.h"
#include "morvane/core/int_conversion.h"

namespace morvane {
namespace {

constexpr std::string_view kZPrefix = "Z axis = ";

std::string WithoutPrefix(const std::string& caption) { return caption.substr(std::min(caption.size(), kZPrefix.size())); }

FloatRange ZRangeOf(const ViewerState& state, int mode) {
  ViewerState probe;  // only the diagrams' Z and the mode matter to the sorting
  probe.ZMode = mode;
  probe.NumDiagrams = state.NumDiagrams;
  probe.Diagrams.reserve(state.Diagrams.size());
  for (const Diagram& d : state.Diagrams) {
    Diagram z;
    z.Z = d.Z;
    probe.Diagrams.push_back(z);
  }
  std::vector<int> order;
  return SortDiagrams(probe, order);
}

// The next of 1, 2, 4, 5 times a power of ten above v.
double NextNiceIncrement(double v) {
  const double power = std::pow(10.0, std::floor(std::log10(v) + 1e-9));
  for (double m : {2.0, 4.0, 5.0, 10.0})
    if (m * power > v * (1 + 1e-9)) return m * power;
  return 20 * power;
}

}  // namespace

LabelSetup OpenLabelSetup(const ViewerState& st) {
  LabelSetup s;
  s.LabelPos = st.LabelPos;
  s.ZMode = std::clamp(st.ZMode, 0, 2);
  s.DrawGrid = st.DrawGrid;
  s.DrawBox = st.DrawBox;
  s.XLabel = st.XAxis;
  s.YLabel = st.YAxis;
  s.ZLabel = WithoutPrefix(st.ZAxis[s.ZMode]);
  s.X = st.XTicks;
  s.Y = st.YTicks;
  s.Z = st.ZAxisT;
  return s;
}

void ChooseLabelZMode(const ViewerState& st, LabelSetup& s, int mode) {
  s.ZMode = std::clamp(mode, 0, 2);
  s.ZLabel = WithoutPrefix(st.ZAxis[s.ZMode]);
  const FloatRange r = ZRangeOf(st, s.ZMode);
  float increment = 0, start = 0;
  ComputeTicks(r.min, r.max, increment, start, true, 8, false);
  const double w = static_cast<double>(r.max) - r.min;
  double inc = increment;
  while (inc > 0 && std::isfinite(w) && TruncToInt(w / inc + 0.001) > 8) inc = NextNiceIncrement(inc);
  s.Z.increment = static_cast<float>(inc);
  s.Z.start = start;
  s.Z.count = inc > 0 ? TruncToInt((r.max - static_cast<double>(start)) / inc) : 0;
}

void EditLabelZTicks(LabelSetup& s, float start, float increment) {
  s.Z.start = start;
  s.Z.increment = increment;
  s.ZTicksEdited = true;
}

void ApplyLabelSetup(ViewerState& st, const LabelSetup& s) {
  const int oldMode = st.ZMode;
  st.LabelPos = s.LabelPos;
  st.DrawGrid = s.DrawGrid;
  st.DrawBox = s.DrawBox;
  st.ZMode = std::clamp(s.ZMode, 0, 2);
  st.XAxis = s.XLabel;
  st.YAxis = s.YLabel;
  st.ZAxis[st.ZMode] = std::string(kZPrefix) + s.ZLabel;
  st.ZAxisT.start = s.Z.start;
  st.ZAxisT.increment = s.Z.increment;
  if (s.ZTicksEdited) st.UserZAxis = true;
  if (st.ZMode != oldMode) st.ZDraw = ZRangeOf(st, st.ZMode);
  if (st.XAxis != st.XCaption || st.YAxis != st.YCaption) {
    st.XCaption = st.XAxis;
    st.YCaption = st.YAxis;
    st.UserCaptions = true;
  }
}

}  // namespace morvane
