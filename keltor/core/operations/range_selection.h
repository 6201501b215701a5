#pragma once
// The range selection dialog's contents and checks, shared by the desktop dialog, keltor-cli and the
// commands: the list lines, the mode names, what a mode refuses, and the angular range limits.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "common/core/raw_format.h"
#include "keltor/core/workbench_ui.h"

namespace keltor {

class WorkbenchFile;

// The mode name shown in the title (" %s Raw Data Ranges"); Export shows as "Select".
std::string_view RangeSelectModeName(RangeSelectMode mode);
// " Combine Raw Data Ranges".
std::string RangeSelectTitle(RangeSelectMode mode);

// One list line: "%3d    %8.3f %8.3f %8.3f    %5d" with the range number, begin, end and step of the
// scan axis, and the point count.
std::string RangeListLine(int rangeNumber, const km::RawRangeHeader& header, bool omegaScan);

// The lines of every range of the workbench's file, read header by header; nothing (after the
// reader's message) when a header cannot be read.
std::optional<std::vector<std::string>> RangeListLines(km::MessageSink& sink, const WorkbenchFile& file);

// A request for the dialog in mode, with the file's path, axis name and lines filled. Nothing when
// the lines could not be read.
std::optional<RangeSelectRequest> MakeRangeSelectRequest(km::MessageSink& sink, const WorkbenchFile& file,
                                                         const std::string& shownPath, RangeSelectMode mode);

// OK pressed with selected (ascending range numbers) in mode: false after the message the dialog
// shows while staying open ("Please select exactly 2 ranges to combine.", "You cannot delete all ranges.").
bool CheckRangeSelection(km::MessageSink& sink, RangeSelectMode mode, std::span<const int> selected, int rangeCount);

// "Add to Range" against its limits 1 to rangeCount, as the integer field checks it: false after
// "Invalid Data\nAllowed Range = ... to ...".
bool CheckAddTarget(km::MessageSink& sink, int target, int rangeCount);

// The angular range dialog's field limits, from the range header when it opens.
struct AngularRangeLimits {
  float BeginMinimum, BeginMaximum, EndMinimum, EndMaximum;
};
AngularRangeLimits ScanAxisLimits(const AngularRangeRequest& request);
AngularRangeLimits TwoThetaLimits(const AngularRangeRequest& request);
AngularRangeLimits OmegaLimits(const AngularRangeRequest& request);

// The request for one range header.
AngularRangeRequest MakeAngularRangeRequest(int rangeNumber, const km::RawRangeHeader& header, bool omegaScan);

// What the angular range dialog checks on OK for a begin and end typed on the scan axis: each value
// against its field's limits ("Invalid Data\nAllowed Range = ... to ..."), then the order ("%s (begin)
// must be less than end."). False after the message.
bool CheckAngularRange(km::MessageSink& sink, const AngularRangeRequest& request, float begin, float end);
// The order check alone, for a dialog whose fields have checked their limits.
bool CheckAngularOrder(km::MessageSink& sink, const AngularRangeRequest& request, float begin, float end);

}  // namespace keltor
