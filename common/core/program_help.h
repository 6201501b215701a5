#pragma once
// "--help" and "--version" of the desktop programs, answered before the toolkit looks for a display, so
// that a terminal without one (and the manual page generator) gets them.
#include <cstdio>
#include <string_view>

namespace km {

// The version of the programs, as the build names it.
std::string_view ProgramVersion();

// When the first argument is "--help" or "-h", prints help; when it is "--version", prints
// "<program> <version>"; true then (the program ends with 0).
bool AnswerHelpRequest(int argc, char** argv, std::string_view program, std::string_view help,
                       std::FILE* out = stdout);

}  // namespace km
