#pragma once
// The data installed with the programs (the cylinder absorption table, the demo files): looked up where
// the build was configured to install them, unless the environment variable KM_DATA_DIRECTORY names
// another folder (a build tree, a test).
#include <string>

namespace km {

inline constexpr const char* kDataDirectoryVariable = "KM_DATA_DIRECTORY";

// The folder without a trailing separator; its PROGRAMS subfolder mirrors a program directory's.
std::string InstalledDataDirectory();

}  // namespace km
