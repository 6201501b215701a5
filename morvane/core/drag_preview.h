#pragma once
// While the cube is dragged the picture is redrawn on every mouse move. A large set (hundreds of
// scans of thousands of points) cannot be drawn whole that often, so the moving picture shows a
// subset of the diagrams spread evenly in depth; the whole set is drawn again when the button is let go.
#include <vector>

#include "morvane/core/viewer_state.h"

namespace morvane {

// Which of count diagrams (by position in the depth order) the quick picture draws: at most
// maxDiagrams, evenly spaced, the front- and the rearmost always among them.
std::vector<bool> PreviewSelection(int count, int maxDiagrams);

// How many diagrams fit a frame's time budget, from the time the last frame took for the diagrams
// it drew; never fewer than minimum.
int PreviewDiagramCount(double lastFrameMs, int lastDrawn, double budgetMs, int minimum, int count);

// Hides the diagrams a quick picture leaves out, for the scope's lifetime; the Omitted flags are
// restored afterwards.
class PreviewScope {
 public:
  PreviewScope(ViewerState& state, int maxDiagrams);
  ~PreviewScope();
  PreviewScope(const PreviewScope&) = delete;
  PreviewScope& operator=(const PreviewScope&) = delete;
  int Drawn() const { return drawn_; }

 private:
  ViewerState& state_;
  std::vector<bool> saved_;
  int drawn_ = 0;
};

}  // namespace morvane
