#include "keltor/core/operations/range_selection.h"

#include <algorithm>

#include "common/core/dialog_fields.h"
#include "common/core/text.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/workbench_file.h"

namespace keltor {

std::string_view RangeSelectModeName(RangeSelectMode mode) {
  switch (mode) {
    case RangeSelectMode::Combine: return "Combine";
    case RangeSelectMode::Delete: return "Delete";
    case RangeSelectMode::Truncate: return "Truncate";
    case RangeSelectMode::Add: return "Add";
    case RangeSelectMode::Extract: return "Extract";
    case RangeSelectMode::Select:
    case RangeSelectMode::Export: break;
  }
  return "Select";
}

std::string RangeSelectTitle(RangeSelectMode mode) {
  return " " + std::string(RangeSelectModeName(mode)) + " Raw Data Ranges";
}

std::string RangeListLine(int rangeNumber, const km::RawRangeHeader& header, bool omegaScan) {
  const ConstAxisFields axis = ScanAxis(header, omegaScan);
  return km::Printf("%3d    %8.3f %8.3f %8.3f    %5d", rangeNumber, static_cast<double>(axis.Begin),
                    static_cast<double>(axis.End), static_cast<double>(axis.Step), static_cast<int>(header.PointCount));
}

std::optional<std::vector<std::string>> RangeListLines(km::MessageSink& sink, const WorkbenchFile& file) {
  const bool omega = IsOmegaScan(file.WorkingFile.Header);
  const int count = std::clamp<int>(file.WorkingFile.Header.MeasuredRangeCount, 0, km::kMaxRanges);
  std::vector<std::string> lines;
  for (int n = 1; n <= count; ++n) {
    km::RawRangeHeader header = km::ZeroRangeHeader();
    if (!file.ReadWorkbenchRange(sink, -n, header, {})) return std::nullopt;
    lines.push_back(RangeListLine(n, header, omega));
  }
  return lines;
}

std::optional<RangeSelectRequest> MakeRangeSelectRequest(km::MessageSink& sink, const WorkbenchFile& file,
                                                         const std::string& shownPath, RangeSelectMode mode) {
  auto lines = RangeListLines(sink, file);
  if (!lines) return std::nullopt;
  RangeSelectRequest request;
  request.Mode = mode;
  request.FilePath = shownPath;
  request.AxisName = std::string(ScanAxisName(file.WorkingFile.Header));
  request.RangeCount = static_cast<int>(lines->size());
  request.Lines = std::move(*lines);
  return request;
}

bool CheckRangeSelection(km::MessageSink& sink, RangeSelectMode mode, std::span<const int> selected, int rangeCount) {
  if (selected.empty()) return true;
  if (mode == RangeSelectMode::Combine && selected.size() != 2) {
    sink.ShowError("Please select exactly 2 ranges to combine.");
    return false;
  }
  if (mode == RangeSelectMode::Delete && static_cast<int>(selected.size()) >= rangeCount) {
    sink.ShowError("You cannot delete all ranges.");
    return false;
  }
  return true;
}

bool CheckAddTarget(km::MessageSink& sink, int target, int rangeCount) {
  if (target >= 1 && target <= rangeCount) return true;
  sink.ShowPlain(km::InvalidDataText(1.0f, static_cast<float>(rangeCount)));
  return false;
}

AngularRangeLimits TwoThetaLimits(const AngularRangeRequest& r) {
  return {r.TwoThetaBegin, r.TwoThetaEnd - r.TwoThetaStep, r.TwoThetaBegin + r.TwoThetaStep, r.TwoThetaEnd};
}

AngularRangeLimits OmegaLimits(const AngularRangeRequest& r) {
  return {r.OmegaBegin, r.OmegaEnd - r.OmegaStep, r.OmegaBegin + r.OmegaStep, r.OmegaEnd};
}

AngularRangeLimits ScanAxisLimits(const AngularRangeRequest& r) { return r.OmegaScan ? OmegaLimits(r) : TwoThetaLimits(r); }

AngularRangeRequest MakeAngularRangeRequest(int rangeNumber, const km::RawRangeHeader& h, bool omegaScan) {
  return {.RangeNumber = rangeNumber,
          .OmegaScan = omegaScan,
          .TwoThetaBegin = h.TwoThetaBegin,
          .TwoThetaEnd = h.TwoThetaEnd,
          .TwoThetaStep = h.TwoThetaStep,
          .OmegaBegin = h.OmegaBegin,
          .OmegaEnd = h.OmegaEnd,
          .OmegaStep = h.OmegaStep};
}

namespace {

// The field check: a value outside [minimum, maximum] is refused, checked only when minimum < maximum.
bool WithinField(km::MessageSink& sink, float value, float minimum, float maximum) {
  if (!(minimum < maximum) || (value >= minimum && value <= maximum)) return true;
  sink.ShowPlain(km::InvalidDataText(minimum, maximum));
  return false;
}

}  // namespace

bool CheckAngularOrder(km::MessageSink& sink, const AngularRangeRequest& request, float begin, float end) {
  if (begin < end) return true;
  sink.ShowError(std::string(ScanAxisName(request.OmegaScan)) + " (begin) must be less than end.");
  return false;
}

bool CheckAngularRange(km::MessageSink& sink, const AngularRangeRequest& request, float begin, float end) {
  const AngularRangeLimits limits = ScanAxisLimits(request);
  return WithinField(sink, begin, limits.BeginMinimum, limits.BeginMaximum) &&
         WithinField(sink, end, limits.EndMinimum, limits.EndMaximum) && CheckAngularOrder(sink, request, begin, end);
}

}  // namespace keltor
