#pragma once
// The workbench's two plots: above, the file as it was loaded, each range in its colour, with the
// file's path and a legend; below, the file as it is now, unchanged ranges grey and changed ones dark
// red. Both share one pair of extents that only widen until another file is loaded. The window
// shows them; keltor-cli draws them into pictures.
#include <array>
#include <string>

#include "common/core/canvas.h"
#include "keltor/core/plot_ranges.h"
#include "keltor/core/plot_settings.h"

namespace keltor {

// What painting needs to know of the open file.
struct PlotFileState {
  std::string DocumentPath;       // empty: no file open, nothing is drawn
  int OpenedRangeCount = 0;       // measured ranges of the file as opened
  int WorkingRangeCount = 0;      // measured ranges of the file as it is now
  std::array<bool, km::kMaxRanges> RangeModified{};
};

// The plot font: Arial, normal weight, 9 points on a device of the given vertical resolution.
km::FontSpec PlotFont(const km::DeviceCaps& caps);

class WorkbenchPlot {
 public:
  // Another file was opened, merged or imported: both tables are reloaded and the extents start anew.
  // hasFile false (no file open) leaves everything as it was.
  void FileChanged(PlotDataSource& source, bool hasFile);
  // The open file's data changed: the current table is reloaded and the extents widened.
  void DataChanged(PlotDataSource& source);

  // Draws both plots into the client rectangle (nothing without a file or ranges).
  void Paint(km::Canvas& canvas, const km::Rect& client, const PlotFileState& file) const;

  const PlotExtents& Extents() const { return extents_; }
  const PlotRangeTable& LoadedRanges() const { return loaded_; }
  const PlotRangeTable& CurrentRanges() const { return current_; }
  bool HasLoadedRanges() const { return hasLoaded_; }

  // The record both plots start from on every paint.
  PlotSettings Template;

 private:
  PlotRangeTable loaded_, current_;
  PlotExtents extents_;
  bool hasLoaded_ = false;
};

}  // namespace keltor
