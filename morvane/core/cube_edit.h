#pragma once
// Shaping the picture with the mouse: the grab handles of the cube, what dragging each one does (freely,
// or during a zoom of X, Y or Z), the zoom that turns a dragged face into a new range, and the view
// commands that move the faces (Centre, Default Cube, a new window size). Pure functions over the
// faces and ranges; the view widget only forwards its mouse and size events here.
#include <array>

#include "morvane/core/viewer_state.h"

namespace morvane {

using km::Point;

enum CubeHandle {
  kBackTop, kBackRight, kBackBottom, kBackLeft,
  kFrontTop, kFrontRight, kFrontBottom, kFrontLeft,
  kEdgeTopLeft, kEdgeTopRight, kEdgeBottomRight, kEdgeBottomLeft,
  kBackCentre, kFrontCentre, kCubeCentre,
  kHandleCount
};

using Handles = std::array<Point, kHandleCount>;
using HandleFlags = std::array<bool, kHandleCount>;

// A handle is within reach when the mouse is less than this many pixels away in x and in y.
inline constexpr int kHandleReach = 4;

enum class ZoomKind { None, X, Y, Z };

// What the view keeps while the cube is being edited.
struct CubeEdit {
  ZoomKind Zoom = ZoomKind::None;
  Rect ZoomFront, ZoomBack;  // the faces when the zoom started
  Handles HandlePoints{};
  HandleFlags HandleHit{};
  bool ButtonDown = false;
  // The client size the faces were last laid out for; a new window size scales them from it.
  int LayoutWidth = 0, LayoutHeight = 0;
};

// Handle positions of two faces, in integer halves.
Handles ComputeHandles(const Rect& front, const Rect& back);

// Marks every handle within reach of the mouse; true when any flag was or is set (the cube is then
// redrawn to show them).
bool UpdateHandleHits(CubeEdit& edit, Point mouse);

// A move with the left button down in cube mode: the dragged handles move the faces (by the rules of
// the zoom under way, if any). True when the faces changed. Edges never cross: a face keeps at least
// one pixel of width and height.
bool DragHandles(ViewerState& state, CubeEdit& edit, Point mouse);

// Zoom X, Y or Z pressed. The first press starts the zoom (and cube mode); the second narrows the
// range to the dragged face and puts the faces back. A press of another kind during a zoom does
// nothing. Returns true when the zoom ended.
bool PressZoom(ViewerState& state, ViewState& view, CubeEdit& edit, ZoomKind kind);

// The range narrowing of a finished zoom, from the saved and the dragged faces.
void NarrowRanges(ViewerState& state, ViewState& view, const CubeEdit& edit, ZoomKind kind);

// View whole diagram: the full ranges of the last reset, no zoom, every diagram shown.
void ViewWholeDiagram(ViewerState& state, ViewState& view);

// View > Default Cube for the client rectangle; false (faces kept) when the client is too small to
// hold it.
bool DefaultCube(ViewerState& state, const Rect& client);

// View > Centre: the cube scaled and shifted to fill the client, allowing for the axis captions;
// two passes. False when the faces could not be fitted (they are kept then).
bool CentreCube(ViewerState& state, const ViewState& view, const Rect& client);

// A new client size: every face coordinate scaled by new/old (integer part), the zoom's saved faces
// too. Nothing changes for a size too small to draw in (a minimised window) or without an old size;
// the faces then keep the size they were laid out for, so growing the window again restores them.
bool ResizeCube(ViewerState& state, CubeEdit& edit, int width, int height);

// A client this small shows no picture, and the cube is not scaled down to it.
inline constexpr int kSmallestClient = 16;

}  // namespace morvane
