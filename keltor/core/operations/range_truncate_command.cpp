// Ranges, Truncate Range: the angular range dialog on one range, in the selection dialog when the
// file holds several.
#include <span>

#include "keltor/core/operations/range_selection.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/operations/truncate_range.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

// The angular range dialog on range n (0: the only range, read and written as range 1); the range
// is written back at once. True when it was truncated.
bool TruncateOneRange(Workbench& wb, int n) {
  WorkbenchFile& file = wb.File;
  const int number = n == 0 ? 1 : n;
  km::RawRangeHeader header = km::ZeroRangeHeader();
  if (!file.ReadWorkbenchRange(wb.Ui(), number, header, file.CurrentRangeData)) return false;
  const bool omega = IsOmegaScan(file.WorkingFile.Header);
  const auto limits = wb.Ui().ChooseAngularRange(MakeAngularRangeRequest(n, header, omega));
  if (!limits) return false;
  if (!TruncateRange(header, file.CurrentRangeData, omega, limits->Begin, limits->End)) return false;
  const auto points = std::span<const float>(file.CurrentRangeData).first(static_cast<size_t>(header.PointCount));
  if (!file.SaveWorkbenchRange(wb.Ui(), number, header, points)) return false;
  file.IsModified = true;
  file.SetRangeModified(number);
  return true;
}

}  // namespace

bool Workbench::OnRangesTruncate() {
  if (!File.HasUsableData()) return false;
  if (File.WorkingFile.MeasuredRanges == 1) {
    if (!TruncateOneRange(*this, 0)) return false;
    NotifyDataChanged();
    return true;
  }
  auto request = MakeRangeSelectRequest(ui_, File, File.DocumentPath, RangeSelectMode::Truncate);
  if (!request) return false;
  bool truncated = false;
  request->Truncate = [this, &truncated](int n) -> std::optional<std::vector<std::string>> {
    truncated = TruncateOneRange(*this, n) || truncated;
    return RangeListLines(ui_, File);
  };
  ui_.ChooseRanges(*request);
  // Truncations are written while the dialog is open, so the plot and the list follow them even
  // when the dialog is then cancelled.
  if (truncated) NotifyDataChanged();
  return truncated;
}

}  // namespace keltor
