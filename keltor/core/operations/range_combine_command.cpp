// Ranges, Combine Range and Add Ranges: ranges of the working file merged into one of them.
#include <algorithm>
#include <span>
#include <vector>

#include "keltor/core/operations/add_ranges.h"
#include "keltor/core/operations/combine_ranges.h"
#include "keltor/core/operations/range_selection.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

std::span<const float> PointsOf(const km::RawRangeHeader& header, std::span<const float> data) {
  return data.first(static_cast<size_t>(std::clamp<int>(header.PointCount, 0, static_cast<int>(data.size()))));
}

}  // namespace

bool Workbench::OnRangesCombine() {
  if (!File.HasUsableData() || File.WorkingFile.MeasuredRanges < 2) return false;
  const auto selection = SelectRanges(RangeSelectMode::Combine);
  if (!selection || selection->Ranges.size() < 2) return false;
  if (!CheckRangeSelection(ui_, RangeSelectMode::Combine, selection->Ranges, File.WorkingFile.MeasuredRanges)) {
    return false;
  }
  const int numberA = selection->Ranges[0];
  RangeBuffer a, b;
  if (!File.ReadWorkbenchRange(ui_, numberA, a.Header, a.Data)) return false;
  if (!File.ReadWorkbenchRange(ui_, selection->Ranges[1], b.Header, b.Data)) return false;

  CombinePlan plan;
  const std::string error = PrepareCombine(File.WorkingFile.Header, a, b, plan);
  if (!error.empty()) {
    ui_.ShowError(error);
    return false;
  }
  if (CombineLeavesGap(plan) && !ui_.AskYesNo("Ranges do not overlap, combine them anyhow ?")) return false;

  km::RawRangeHeader header = km::ZeroRangeHeader();
  const bool truncated = CombineRanges(plan, header, File.CurrentRangeData);
  if (!File.SaveWorkbenchRange(ui_, numberA, header, PointsOf(header, File.CurrentRangeData))) return false;
  File.SetRangeModified(numberA);
  NotifyDataChanged();
  if (truncated) ui_.ShowWarning(CombineTruncatedWarning(plan.OmegaScan, ScanAxis(header, plan.OmegaScan).End));
  return true;
}

bool Workbench::OnRangesAdd() {
  if (!File.HasUsableData() || File.WorkingFile.MeasuredRanges < 2) return false;
  const auto selection = SelectRanges(RangeSelectMode::Add, LastAddTarget);
  if (!selection) return false;
  const int count = File.WorkingFile.MeasuredRanges;
  const int t = selection->TargetRange;
  if (t < 1 || t > count) return false;
  LastAddTarget = t;
  std::vector<int> others;
  for (int n : selection->Ranges) {
    if (n != t) others.push_back(n);
  }
  if (others.empty()) return false;

  km::RawRangeHeader header = km::ZeroRangeHeader();
  std::vector<float>& data = File.CurrentRangeData;
  if (!File.ReadWorkbenchRange(ui_, t, header, data)) return false;
  std::vector<km::RawRangeHeader> otherHeaders;
  for (int n : others) {
    km::RawRangeHeader h = km::ZeroRangeHeader();
    if (!File.ReadWorkbenchRange(ui_, -n, h, {})) return false;
    otherHeaders.push_back(h);
  }
  const bool omega = IsOmegaScan(File.WorkingFile.Header);
  AddRegion region;
  const std::string error = PlanAddRanges(File.WorkingFile.Header, header, otherHeaders, region);
  if (!error.empty()) {
    ui_.ShowError(error);
    return false;
  }
  if (region.Count < header.PointCount) ui_.ShowWarning(AddRangesShortenedWarning(omega, region.Begin, region.End));

  const int targetPoints = std::clamp<int>(header.PointCount, 0, km::kWorkbenchMaxPoints);
  ShiftTargetToRegion(data, targetPoints, region);
  std::fill(data.begin() + std::min(region.Count, targetPoints), data.end(), 0.0f);
  double time = header.TimePerStep;
  for (int n : others) {
    km::RawRangeHeader h = km::ZeroRangeHeader();
    if (!File.ReadWorkbenchRange(ui_, n, h, File.ScratchRangeData)) return false;
    AddRangeOnto(data, region, h, File.ScratchRangeData, omega);
    time += h.TimePerStep;
  }
  header.TimePerStep = static_cast<float>(time);
  FinishAddedTarget(header, region, omega, data);
  if (!File.SaveWorkbenchRange(ui_, t, header, PointsOf(header, data))) return false;
  File.SetRangeModified(t);
  NotifyDataChanged();
  return true;
}

}  // namespace keltor
