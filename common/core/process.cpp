#include "common/core/process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace km {

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Whether exec could find the program: posix_spawnp may report success and leave the child to fail,
// so the search is done here first.
bool CanFindProgram(const std::string& program) {
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) return IsExecutableFile(program);
  const char* pathVariable = std::getenv("PATH");
  const std::string_view path = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    const size_t end = path.find(':', start);
    std::string dir(path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (dir.empty()) dir = ".";
    if (IsExecutableFile(dir + "/" + program)) return true;
    if (end == std::string_view::npos) return false;
    start = end + 1;
  }
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

bool RunProgram(MessageSink& sink, std::string_view commandLine, ProcessInfo* info, bool wait, ShowMode /*showMode*/,
                unsigned /*creationFlags*/) {
  const auto fail = [&] {
    sink.ShowError(FormatCatalog(msg::ProcessCannotBeExecuted, commandLine));
    return false;
  };
  std::vector<std::string> arguments = SplitCommandLine(commandLine);
  if (arguments.empty() || !CanFindProgram(arguments.front())) return fail();
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return fail();
  if (info) info->pid = pid;
  if (wait) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (info) info->pid = 0;
  }
  return true;
}

}  // namespace km
