#pragma once
// Turning what the user picked (a master file, or a multiple selection of raw data files) into the
// diagrams of the viewer: each file's first range becomes one Diagram with its three Z quantities.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/core/messages.h"
#include "morvane/core/viewer_state.h"

namespace morvane {

inline constexpr std::string_view kErrorBoxCaption = "Morvane Error Message";

// The viewer's own error box: its caption, no icon.
inline void ShowErrorBox(km::MessageSink& sink, std::string_view text) { sink.ShowCaptioned(kErrorBoxCaption, text); }

// Fills File/NumFiles from the open dialog's selection buffer: the texts between NULs, empty ones
// dropped. A multiple selection gives the directory then the names; a single one the full path.
void TakeSelection(ViewerState& state, std::span<const char> buffer);

// Loads a master file (a path containing ".raw" or ".RAW") or the selection already in File.
// A failed master-file load leaves the placeholder set. Successful master loads go to RecentSets.
bool OpenFileSet(ViewerState& state, km::MessageSink& sink, const std::string& path);

// selection false: path is a master file whose related files form the set; true: File[1..] in the
// directory File[0] (path is not used).
bool LoadFileSet(ViewerState& state, km::MessageSink& sink, const std::string& path, bool selection);

// The placeholder set shown when nothing is loaded: 20 diagrams of blocks.
void CreateDemoSet(ViewerState& state);

// "%d-%b-%y %H:%M" back to calendar seconds in local time; 0 for a text holding "?", too short, or
// with a month that is none of the twelve English abbreviations.
int64_t ParseTimeStamp(std::string_view text);

// Puts path at the front of RecentSets: an equal entry (ignoring case) goes first, the list keeps 8.
void AddRecentSet(ViewerState& state, const std::string& path);

// The related file number n of a master file: its path less the last four characters, ".NNN".
std::string RelatedFilePath(std::string_view masterPath, int n);

}  // namespace morvane
