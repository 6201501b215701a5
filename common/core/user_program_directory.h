#pragma once
// The program directory a person gets without asking for one: where nothing names the suite's directory
// (no environment variable, nothing in the settings), the desktop programs make one of their own in the
// per-user data folder, with USERS and PROGRAMS below it, filled from the data installed with the
// programs, and a profile for the person logged in.
#include <string>
#include <string_view>

#include "common/core/messages.h"

namespace km {

// The folder's name below the per-user data folder.
inline constexpr const char* kUserProgramDirectoryName = "keltor-morvane";

// "$XDG_DATA_HOME/keltor-morvane" when XDG_DATA_HOME is an absolute path, else
// "$HOME/.local/share/keltor-morvane"; empty when neither is known.
std::string DefaultUserProgramDirectory();

// The name the person logged in under, as a profile name; empty when there is none that can name a file
// (unknown, or holding a separator, a double quote or a control character).
std::string LoginUserName();

// The person's home folder; empty when unknown.
std::string HomeDirectory();

// Makes `directory` with USERS and PROGRAMS below it (what exists is kept), copies into them every file
// of the installed data's USERS and PROGRAMS that they do not hold yet, and, when `user` is not empty and
// has no profile there, writes a fresh profile whose work directory is `workDirectory`. Files already
// there are never replaced, so a person's profiles and tables survive every new version of the programs.
// A file is written under a temporary name first, so a full disk leaves no half file behind.
// False after a warning that names the folder or file that could not be made and why.
bool PrepareUserProgramDirectory(MessageSink& sink, const std::string& directory, const std::string& installedData,
                                 const std::string& user, const std::string& workDirectory);

}  // namespace km
