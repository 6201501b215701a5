#pragma once
// Starting the suite's other programs (the text viewer that prints list files).
#include <string>
#include <string_view>
#include <vector>

#include "common/core/messages.h"

namespace km {

// How the started program's window should appear; a hint that programs without windows ignore.
enum class ShowMode { Normal, Minimized, Hidden };

struct ProcessInfo {
  int pid = 0;  // the started program while it runs unwaited; 0 after a wait
};

// The arguments of a command line: split on blanks, a double-quoted part (quotes removed) may hold
// blanks. Backslashes are ordinary characters, as in the suite's paths.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Starts the program named first on the command line (searched on PATH when it holds no separator).
// With wait, returns once it has ended. On failure, a program that cannot be found or started
// included, shows "Process cannot be executed" with the command line and returns false.
// showMode and creationFlags are carried for the platforms that use them.
bool RunProgram(MessageSink& sink, std::string_view commandLine, ProcessInfo* info, bool wait, ShowMode showMode,
                unsigned creationFlags = 0);

}  // namespace km
