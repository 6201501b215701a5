#pragma once
// Everything the 3D viewer knows lives in one ViewerState, shared by the document, the view and the
// dialogs and passed to whoever needs it: the file set and its diagrams, the captions, the colours,
// the switches, the cube faces and the ranges drawn.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/core/canvas.h"

namespace morvane {

using km::Rect;
using km::Rgb;

inline constexpr int kMaxFiles = 1000;        // entries of the file list, the directory entry included
inline constexpr int kMaxRecentSets = 8;
inline constexpr int kMaxNameLength = 260;    // longest path the suite's file routines take
inline constexpr int kGradientSize = 256;

// The degree sign of the programs' single-byte character set.
inline constexpr char kDegree = '\xB0';

struct DiagramPoint {
  int Index = 0;
  float Intensity = 0;
};

struct FloatRange {
  float min = 0, max = 0;
  friend bool operator==(FloatRange, FloatRange) = default;
};

// z lies within r, both ends included.
inline bool InRange(float z, FloatRange r) { return r.min <= z && z <= r.max; }

struct Ticks {
  float start = 0, increment = 0;
  int count = 0;
  friend bool operator==(Ticks, Ticks) = default;
};

// One scan of the set, drawn as one curve of the waterfall or one band of the top view.
class Diagram {
 public:
  virtual ~Diagram() = default;

  bool Omitted = false;
  int Capacity = 0;
  int PointCount = 0;
  float TopValue = 0;
  float ScaledMax = 0;
  float RawMax = 0;
  int Scaling = 0;  // 0 linear, 1 square root, 2 base-10 logarithm
  Rect ScreenRect;
  std::vector<DiagramPoint> Points;  // Capacity slots
  Rgb Color;
  float XBegin = 0, XEnd = 0;
  float VisibleXBegin = 0, VisibleXEnd = 0;
  float XStep = 0;
  std::array<float, 3> Z{};
  std::string Name;
};

// The platform's logical font record, as the profile keeps it; Height in tenths of a point.
struct LogicalFont {
  int32_t Height = 80, Width = 0, Escapement = 0, Orientation = 0, Weight = 400;
  uint8_t Italic = 0, Underline = 0, StrikeOut = 0, CharSet = 0, OutPrecision = 0, ClipPrecision = 0,
          Quality = 0, PitchAndFamily = 0;
  std::string FaceName;  // at most 31 characters
  friend bool operator==(const LogicalFont&, const LogicalFont&) = default;
};

struct ViewerState {
  ViewerState() { File.resize(kMaxFiles); }

  // The file set.
  std::vector<std::string> File;  // kMaxFiles entries; 0: the directory, 1..: names
  int NumFiles = 0;
  std::string Title;
  std::array<std::string, 3> ZAxis;  // "Z axis = ..." captions of the three Z quantities
  int ZMode = 0;
  bool OmegaScan = false;
  std::string MasterPath;
  int NumDiagrams = 0;
  int MaxPoints = 0;
  std::vector<Diagram> Diagrams;
  std::vector<std::string> RecentSets;  // newest first
  bool Busy = false;
  bool Linear = true, SQRT = false, LOG = false;
  bool RelativeIntensities = false;
  bool RangesDirty = false;

  // The picture.
  Rect Front, Back;
  Rect SavedFront, SavedBack;
  FloatRange XDraw, YDraw, ZDraw;
  FloatRange FullXRange, FullYRange, FullZRange;  // as found at the last range reset
  Rgb StartColor{0, 0, 255}, MeanColor{255, 0, 0}, EndColor{255, 255, 0};
  Rgb BackColor{255, 255, 255}, PenColor{0, 0, 0}, GridColor{128, 128, 128};
  std::array<Rgb, kGradientSize> Gradient{};
  bool FilledDiagrams = true;
  bool BorderPen = true;
  bool DrawBox = true;
  bool DrawGrid = false;
  bool TopView = false;
  bool InvertZ = false;
  LogicalFont Font;
  std::string XCaption, YCaption, ZCaption;

  // Axes and labels.
  std::array<int, 3> LabelPos{0, 0, 0};  // X, Y, Z; 4 places no axis
  Ticks XTicks, YTicks, ZAxisT;
  bool UserZAxis = false;
  bool UserCaptions = false;
  std::string XAxis, YAxis;

  // Main window rectangle as stored for the next start.
  Rect MainWin{10, 10, 640, 400};
};

// What one view of the viewer keeps between paints.
struct ViewState {
  int ClientWidth = 0, ClientHeight = 0;
  float YZoom = 1.0f;
  int Highlight = 0;          // position in the drawing order whose base line is drawn in PenColor
  int LastDiagram = 0;        // end of the shown diagram range (zoom Z narrows it)
  bool CubeMode = false;
  bool Printing = false;
  bool RestoreCube = true;    // take the faces from the saved copies at the next range reset
  int CaptionDistanceX = 0;   // vertical distance of the X caption from its axis, as last drawn
  int CaptionDistanceY = 0;   // horizontal distance of the Y caption from its axis
  bool Draft = false;         // while a face is dragged: the curves drawn as drafts (DraftOutline)

  // Reused from one drawing to the next.
  std::vector<int> Order;
  std::vector<km::Point> PolygonBuffer;
};

}  // namespace morvane
