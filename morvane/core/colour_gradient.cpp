#include "morvane/core/colour_gradient.h"

#include <algorithm>

#include "morvane/core/int_conversion.h"

namespace morvane {
namespace {

uint8_t Channel(int from, int to, int j) { return static_cast<uint8_t>(from + j * (to - from) / 128); }

Rgb Step(Rgb from, Rgb to, int j) {
  return {Channel(from.r, to.r, j), Channel(from.g, to.g, j), Channel(from.b, to.b, j)};
}

}  // namespace

std::array<Rgb, kGradientSize> BuildGradient(Rgb start, Rgb mean, Rgb end) {
  std::array<Rgb, kGradientSize> g{};
  for (int j = 0; j < 128; ++j) {
    g[j] = Step(start, mean, j);
    g[128 + j] = Step(mean, end, j);
  }
  return g;
}

void Recolour(ViewerState& state) {
  state.Gradient = BuildGradient(state.StartColor, state.MeanColor, state.EndColor);
  const FloatRange zr = state.ZDraw;
  const bool empty = !(zr.max > zr.min);
  const float k = empty ? 0.0f : 255.0f / (zr.max - zr.min);
  const int mode = std::clamp(state.ZMode, 0, 2);
  for (Diagram& d : state.Diagrams) {
    const float z = d.Z[mode];
    if (zr.min <= z && z <= zr.max) {
      const int index = empty ? 0 : TruncToInt((z - zr.min) * k);
      d.Color = state.Gradient[std::clamp(index, 0, kGradientSize - 1)];
    } else {
      d.Color = state.BackColor;
    }
  }
}

}  // namespace morvane
