#pragma once
// How the suite starts a program: "/U" and the user name (directly, or in double quotes), "/1" or "/2" for
// the start mode, then the file to open.
#include <string>
#include <string_view>

namespace km {

struct StartCommandLine {
  int Mode = 1;      // 2 when "/2" was given (it wins over "/1"); the programs accept it and do not use it
  std::string User;  // empty: started without a user, no profile is read
  std::string File;  // empty: nothing to open
};

// Reads the command line the way the suite writes it. A switch counts only where a blank-separated word
// begins, "/1" and "/2" only as whole words, and a "/U" word whose unquoted name holds a "/" is a path:
// paths here are written with "/", so "/data/2024/a.raw" must not read as the mode switch "/2".
StartCommandLine ParseStartCommandLine(std::string_view commandLine);

// Rebuilds one command line from the arguments the shell split (argv[0] skipped). An argument with a blank
// is put in double quotes, and a "/U" standing alone takes the next argument as its user name, so that
// `/U "lab one" "/data/my file.raw"` and `/Ulab1 a.raw` both read as meant.
std::string JoinArguments(int argc, char** argv);

}  // namespace km
