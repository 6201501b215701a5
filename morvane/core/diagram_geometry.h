#pragma once
// Where each diagram lies on the screen between the front and the back face, and the shapes that
// draw it: the closed polygon of the waterfall and the coloured cells of the top view.
#include <span>
#include <vector>

#include "common/core/canvas.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

// Gives every diagram whose Z lies in ZDraw its ScreenRect at its depth (others keep their old one)
// and its TopValue; returns the depth scale in pixels per Z unit (used by the top view).
float PlaceDiagrams(ViewerState& state, const ViewState& view, float scale);

// The closed outline of a diagram over xr and yr in its ScreenRect: a point on the base line, one
// point per data point drawn, a closing point on the base line. pts must hold Capacity + 3 points.
// Returns the number of points, 0 when no data point of the diagram lies in xr.
int BuildPolygon(Diagram& d, std::span<km::Point> pts, FloatRange xr, FloatRange yr, bool relative);

// The two edges of a top-view band, as screen y values (lower: towards the previous diagram of the
// drawing order, upper: towards the next).
struct Band {
  float lower = 0, upper = 0;
};

// The bands of every diagram in drawing order, by its neighbours in depth; entries for diagrams
// outside ZDraw are left unused. order is the drawing order.
std::vector<Band> TopViewBands(const ViewerState& state, const std::vector<int>& order, float depthScale, float scale);

// One diagram of the top view: a cell per data point in the gradient colour of its intensity.
void DrawTopViewBand(const ViewerState& state, Diagram& d, km::Canvas& dc, FloatRange yr, Band band, FloatRange xr);

}  // namespace morvane
