#pragma once
// keltor-cli never changes an input file: an output path that names one of the inputs is refused.
#include <string>
#include <vector>

#include "common/core/file_access.h"

namespace keltor::cli {

inline bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (km::SameFile(output, input)) return true;
  }
  return false;
}

}  // namespace keltor::cli
