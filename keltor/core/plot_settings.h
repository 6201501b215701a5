#pragma once
// Everything that describes one plot: colours, sizes in millimetres, label formats, titles, the axis
// extents, the rectangles and the range to draw. A plain record; the painter does the work.
#include <array>
#include <span>
#include <string>

#include "common/core/canvas.h"

namespace keltor {

struct PlotSettings {
  km::Rgb BackColor{255, 255, 255};
  km::Rgb AxisColor{0, 0, 0};
  km::Rgb CurveColor{0, 0, 0};
  double GapMm = 0.8;
  double TickMm = 0.8;
  double PenMm = 0.1;
  int XLabelDecimals = 2;
  int YLabelDecimals = 0;
  double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  km::Rect Outer;
  km::Rect Inner;  // computed by the frame layout
  std::string XFormat = "%-9.3f";
  std::string YFormat = "%-8.0f";
  std::string XTitle = "2Theta";
  std::string YTitle = "Absolute Intensity";
  double XFirstTick = 0, XTickStep = 1;
  int XTickCount = 0;
  double YFirstTick = 0, YTickStep = 1;
  int YTickCount = 0;
  // The range to draw.
  int PointCount = 0;
  double Begin = 0;
  double Step = 0;
  std::span<const float> Data;
};

// Colours of ranges 1 to 8 in the plot of the file as loaded.
inline constexpr std::array<km::Rgb, 8> kLoadedRangeColors = {{
    {0, 0, 127}, {0, 127, 0}, {0, 127, 127}, {127, 0, 0}, {127, 0, 127}, {127, 127, 0}, {255, 0, 0}, {0, 0, 255},
}};
// The plot of the file as it is now: unchanged ranges light grey, changed ones dark red on top.
inline constexpr km::Rgb kUnchangedRangeColor{192, 192, 192};
inline constexpr km::Rgb kChangedRangeColor{127, 0, 0};

}  // namespace keltor
