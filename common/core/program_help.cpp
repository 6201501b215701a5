#include "common/core/program_help.h"

#ifndef KM_VERSION
#define KM_VERSION "0"
#endif

namespace km {

std::string_view ProgramVersion() { return KM_VERSION; }

bool AnswerHelpRequest(int argc, char** argv, std::string_view program, std::string_view help, std::FILE* out) {
  if (argc < 2 || argv[1] == nullptr) return false;
  const std::string_view first = argv[1];
  if (first == "--help" || first == "-h") {
    std::fwrite(help.data(), 1, help.size(), out);
  } else if (first == "--version") {
    std::fprintf(out, "%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                 static_cast<int>(ProgramVersion().size()), ProgramVersion().data());
  } else {
    return false;
  }
  std::fflush(out);
  return true;
}

}  // namespace km
