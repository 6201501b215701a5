// The range selection dialog as the commands run it, and the change notification every data
// operation ends with.
#include <algorithm>

#include "keltor/core/operations/range_selection.h"
#include "keltor/core/workbench.h"

namespace keltor {

std::optional<RangeSelection> Workbench::SelectRanges(RangeSelectMode mode, int targetRange) {
  // The dialog names the user's file, not the temporary working copy behind it.
  auto request = MakeRangeSelectRequest(ui_, File, File.DocumentPath, mode);
  if (!request) return std::nullopt;
  request->TargetRange = targetRange;
  auto selection = ui_.ChooseRanges(*request);
  if (!selection) return std::nullopt;
  // Whatever answered, the selection is what the dialog's list can give: ascending, no repeats,
  // numbers of existing ranges, at most 8.
  std::vector<int> ranges;
  for (int n = 1; n <= request->RangeCount; ++n) {
    if (std::find(selection->Ranges.begin(), selection->Ranges.end(), n) != selection->Ranges.end()) {
      ranges.push_back(n);
    }
  }
  selection->Ranges = std::move(ranges);
  return selection;
}

void Workbench::NotifyDataChanged() {
  File.IsModified = true;
  observer_.OnDataChanged();
  BuildListFile();
}

}  // namespace keltor
