#include "common/core/program_directory.h"

#include <cstdlib>

namespace km {

namespace {

constexpr char kSeparator = '/';

void TrimEnd(std::string& text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

std::string SubdirectoryOf(std::string_view programDirectory, std::string_view name) {
  std::string path(programDirectory);
  path += kSeparator;
  path.append(name);
  return path;
}

}  // namespace

std::string EnvironmentProgramDirectory::ReadDirectoryValue() {
  const char* value = std::getenv(kVariable);
  return value != nullptr ? std::string(value) : std::string();
}

bool GetProgramDirectory(ProgramDirectorySource& source, std::string& out) {
  out = source.ReadDirectoryValue();
  // Trimmed first as well, so that "C:\QDIF\ " loses its separator like "C:\QDIF\" does.
  TrimEnd(out);
  if (out.empty()) return false;
  if (out.back() == '\\' || out.back() == '/') out.pop_back();
  TrimEnd(out);
  return true;
}

std::string UsersDirectory(std::string_view programDirectory) { return SubdirectoryOf(programDirectory, "USERS"); }

std::string ProgramsDirectory(std::string_view programDirectory) {
  return SubdirectoryOf(programDirectory, "PROGRAMS");
}

std::string UserProfilePath(std::string_view programDirectory, std::string_view user) {
  std::string path = UsersDirectory(programDirectory);
  path += kSeparator;
  path.append(user).append(".USR");
  return path;
}

}  // namespace km
