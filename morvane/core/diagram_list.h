#pragma once
// The Diagrams list of the View menu: every diagram of the set by decreasing series number, where the
// user hides single scans from the picture and shows them again.
#include <string>
#include <vector>

#include "morvane/core/viewer_state.h"

namespace morvane {

struct DiagramListEntry {
  int Diagram = 0;   // index into ViewerState::Diagrams
  std::string Text;  // the diagram's name, or "< name >" while it is omitted
};

// The list's entries, by decreasing Z of the series number (equal numbers in load order).
std::vector<DiagramListEntry> DiagramListEntries(const ViewerState& state);

// "Omit": each of the listed diagrams is hidden when shown and shown when hidden. Indices outside
// the set are passed over.
void ToggleOmitted(ViewerState& state, const std::vector<int>& diagrams);

}  // namespace morvane
