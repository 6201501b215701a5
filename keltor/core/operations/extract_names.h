#pragma once
// Extract Range's file names: a pattern whose last character stands for the range digit.
#include <string>
#include <string_view>

namespace keltor {

// The name the extract dialog proposes: the document's path up to and including the last "." of its
// file name, then "ra#" ("probe.raw" gives "probe.ra#"; a name without "." gets ".ra#").
std::string ProposedExtractName(std::string_view documentPath);

// The typed name made whole: ".raw" appended when its file name has no "."; the directory put in
// front when it names none (neither "/" nor "\"). Empty stays empty.
std::string CompleteExtractName(std::string name, std::string_view directory);

// The pattern with its last character replaced by the digit of rangeNumber (1 to 8).
std::string ExtractFileName(std::string pattern, int rangeNumber);

}  // namespace keltor
