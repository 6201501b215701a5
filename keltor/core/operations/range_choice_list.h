#pragma once
// The single-choice range list (CRangeListDlg): ready-made lines, one per range, the file they
// belong to and a prompt that replaces the window title.
#include <optional>
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "common/core/raw_file.h"

namespace keltor {

// Which range the list asks for; the command line answers each from its own option.
enum class RangeListPurpose { Target, Source, Single };

struct RangeListRequest {
  std::vector<std::string> Lines;
  std::string Path;    // shown in the dialog; empty: "none selected"
  std::string Prompt;  // replaces the window title
  RangeListPurpose Purpose = RangeListPurpose::Single;
};

// "%3d    %8.3f   %8.3f %8.3f    %5d": number, begin, end and step of the scan axis, point count.
std::string RangeChoiceLine(int number, const km::RawRangeHeader& range, bool omegaScan);

// The lines for ranges 1 .. count of a file, read from the range headers only; nothing when a
// header cannot be read (the reader has said why).
std::optional<std::vector<std::string>> RangeChoiceLines(km::MessageSink& sink, km::RawFileContext context, int count);

}  // namespace keltor
