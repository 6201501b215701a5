#pragma once
// The suite's program directory: PROGRAMS holds the programs and their tables, USERS the user profiles.
// The desktop programs read it from their settings (company "ORVE", group "General", value "Directory");
// the command-line tools and the tests from the environment.
#include <string>
#include <string_view>

namespace km {

// Where the directory value comes from.
class ProgramDirectorySource {
 public:
  virtual ~ProgramDirectorySource() = default;
  // The stored value as it is; empty when none is stored.
  virtual std::string ReadDirectoryValue() = 0;
};

// The value of the environment variable KM_PROGRAM_DIRECTORY.
class EnvironmentProgramDirectory : public ProgramDirectorySource {
 public:
  static constexpr const char* kVariable = "KM_PROGRAM_DIRECTORY";
  std::string ReadDirectoryValue() override;
};

// The program directory without a trailing separator or trailing blanks. False, with out emptied, when
// no directory is stored (a value of blanks alone counts as none).
bool GetProgramDirectory(ProgramDirectorySource& source, std::string& out);

// "<dir>/USERS/<user>.USR"
std::string UserProfilePath(std::string_view programDirectory, std::string_view user);
// "<dir>/USERS"
std::string UsersDirectory(std::string_view programDirectory);
// "<dir>/PROGRAMS"
std::string ProgramsDirectory(std::string_view programDirectory);

}  // namespace km
