#pragma once
// keltor-cli never changes an input file: an output path that names one of the inputs is refused.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace keltor::cli {

inline bool NamesSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  std::error_code errorA;
  std::error_code errorB;
  const auto canonicalA = std::filesystem::weakly_canonical(a, errorA);
  const auto canonicalB = std::filesystem::weakly_canonical(b, errorB);
  if (errorA || errorB) return a == b;
  return canonicalA == canonicalB;
}

inline bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (NamesSameFile(output, input)) return true;
  }
  return false;
}

}  // namespace keltor::cli
