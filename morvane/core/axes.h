#pragma once
// The labelled axes of the picture: tick values, one axis with ticks, numbers and a caption turned
// to its direction along any screen segment, grid lines on the faces of the cube, and the box edges.
#include <string>
#include <string_view>

#include "common/core/canvas.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

// Ticks of an axis over min..max: the increment is the smallest of 1, 2, 4, 5 times a power of ten
// for which ten increments cover the range (whole numbers when wholeIncrements), the start a
// multiple of that power (startOnBase) or of the increment. Returns the count.
int ComputeTicks(float min, float max, float& increment, float& start, bool startOnBase, int maxTicks,
                 bool wholeIncrements);

// The whole-number rule applies while the depth axis shows the plain file number.
bool WholeNumberTicks(const ViewerState& state);

// "%.2f" with trailing zeros dropped while one decimal stays: 2.5, 2.0, 12.25.
std::string FormatTickValue(float value);

// What an axis is drawn with.
struct AxisStyle {
  Rgb pen;
  km::FontSpec font;  // escapement 0; the caption's copy is turned
};

// Escapement (tenths of a degree) of text along the segment dx, dy.
int SegmentEscapement(int dx, int dy);

// One axis from (x1, y1) at range.min to (x2, y2) at range.max; side 0 numbers right, 1 below,
// 2 left, 3 above. Returns the distance of the caption from the axis.
int DrawAxis(km::Canvas& dc, const AxisStyle& style, int x1, int y1, int x2, int y2, float axisMin, float start,
             float increment, int count, int side, float scale, std::string_view caption, FloatRange range);

// The two faces of the cube being drawn.
struct CubeFaces {
  Rect front, back;
  bool invertZ = false;
};

enum GridAxis { kGridXBack = 0, kGridYBack = 1, kGridZLeft = 2, kGridYLeft = 3, kGridZRight = 4, kGridYRight = 5 };

// One line per tick value inside the range across the face named by axis.
void DrawGridLines(km::Canvas& dc, const CubeFaces& faces, Rgb gridColor, int axis, float axisMin, float start,
                   float increment, int count, float scale, FloatRange range);

// Box edges, coordinates times scale rounded half away from zero; the current pen draws them.
void DrawFaceOutline(km::Canvas& dc, const Rect& face, float scale);
void DrawRightEdges(km::Canvas& dc, const CubeFaces& faces, float scale);
void DrawLeftEdges(km::Canvas& dc, const CubeFaces& faces, float scale);

// The axes of the waterfall at the label positions of state.LabelPos, those hidden behind the
// diagrams (visible false) or those in front of them (visible true). Updates the caption distances.
void DrawWaterfallAxes(km::Canvas& dc, const ViewerState& state, ViewState& view, const AxisStyle& style,
                       float scale, bool visible);

}  // namespace morvane
