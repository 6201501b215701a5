// The range dialogs of keltor-cli: the options stand for what the user would pick, and a value a
// dialog would refuse gets the dialog's own message.
#include <algorithm>

#include "common/core/text.h"
#include "keltor/cli/cli_workbench_ui.h"
#include "keltor/core/operations/range_selection.h"

namespace keltor::cli {

std::optional<RangeSelection> CliWorkbenchUi::ChooseRanges(const RangeSelectRequest& request) {
  if (Ranges.empty()) {
    ShowError(km::Printf("The file holds %d ranges: name the range(s) with --range or --ranges.", request.RangeCount));
    return std::nullopt;
  }
  RangeSelection selection;
  for (int n : Ranges) {
    if (n < 1 || n > request.RangeCount) {
      ShowError(km::Printf("There is no range %d: the file holds ranges 1 to %d.", n, request.RangeCount));
      return std::nullopt;
    }
    if (std::find(selection.Ranges.begin(), selection.Ranges.end(), n) == selection.Ranges.end()) {
      selection.Ranges.push_back(n);
    }
  }
  std::sort(selection.Ranges.begin(), selection.Ranges.end());
  if (request.Mode == RangeSelectMode::Truncate) {
    // Each named range is truncated as with the dialog's "Truncate" button; then the dialog closes.
    for (int n : selection.Ranges) {
      if (!request.Truncate || !request.Truncate(n)) return std::nullopt;
    }
    return selection;
  }
  if (!CheckRangeSelection(*this, request.Mode, selection.Ranges, request.RangeCount)) return std::nullopt;
  selection.TargetRange = request.TargetRange;
  if (request.Mode == RangeSelectMode::Add && Target) {
    if (!CheckAddTarget(*this, *Target, request.RangeCount)) return std::nullopt;
    selection.TargetRange = *Target;
  }
  return selection;
}

std::optional<AngularRange> CliWorkbenchUi::ChooseAngularRange(const AngularRangeRequest& request) {
  if (!Angles) {
    ShowError("The new limits are needed: --begin and --end.");
    return std::nullopt;
  }
  if (!CheckAngularRange(*this, request, Angles->Begin, Angles->End)) return std::nullopt;
  return Angles;
}

}  // namespace keltor::cli
