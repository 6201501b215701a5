#include "keltor/core/operations/extract_names.h"

#include "common/core/paths.h"

namespace keltor {

namespace {

// Position of the last "." of the file name part, or npos.
size_t LastDotOfName(std::string_view path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos) return dot;
  const size_t separator = path.find_last_of("/\\");
  return separator != std::string_view::npos && separator > dot ? std::string_view::npos : dot;
}

}  // namespace

std::string ProposedExtractName(std::string_view documentPath) {
  const size_t dot = LastDotOfName(documentPath);
  if (dot == std::string_view::npos) return std::string(documentPath) + ".ra#";
  return std::string(documentPath.substr(0, dot + 1)) + "ra#";
}

std::string CompleteExtractName(std::string name, std::string_view directory) {
  if (name.empty()) return name;
  if (LastDotOfName(name) == std::string::npos) name += ".raw";
  if (name.find_first_of("/\\") == std::string::npos && !directory.empty()) name = km::JoinPath(directory, name);
  return name;
}

std::string ExtractFileName(std::string pattern, int rangeNumber) {
  if (!pattern.empty()) pattern.back() = static_cast<char>('0' + rangeNumber);
  return pattern;
}

}  // namespace keltor
