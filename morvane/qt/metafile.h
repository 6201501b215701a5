#pragma once
// Save Metafile: the picture the view shows, written as an Enhanced Metafile.
#include <string>

#include "common/core/messages.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

// Draws the picture at the client size given, at scale 1.0, with the drawing the window paints
// with (ranges recomputed first when a load left them dirty), and writes it to path. A file that
// cannot be created gets "Cannot write metafile - file in use."; a metafile that cannot be written
// whole is removed and reported. False after the message, or (without one) when the set is being
// loaded or empty, when the window shows nothing either.
bool SaveMetafile(km::MessageSink& sink, const std::string& path, ViewerState& state, ViewState& view,
                  int clientWidth, int clientHeight);

}  // namespace morvane
