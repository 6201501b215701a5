#pragma once
// The whole picture of the viewer, drawn on any Canvas: the window, an image, a printer page with its
// scale factor, a metafile.
#include "common/core/canvas.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

// The font of title and labels for a device: Font's height in tenths of a point becomes a character
// height in the device's pixels.
km::FontSpec DeviceFont(const LogicalFont& font, const km::DeviceCaps& caps);

// Draws the picture at scale s (1.0 on the screen and in metafiles). view gives the client size.
void Draw(km::Canvas& dc, ViewerState& state, ViewState& view, float s);

// What the view's paint does: nothing while a load is under way or the set is empty; the ranges
// are recomputed when dirty, then the picture is drawn at scale 1.0. False when nothing was drawn.
bool Paint(km::Canvas& dc, ViewerState& state, ViewState& view, int clientWidth, int clientHeight);

}  // namespace morvane
