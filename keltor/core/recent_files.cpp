#include <algorithm>
#include <cctype>
#include <string>

#include "keltor/core/workbench.h"

namespace keltor {

namespace {

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void Workbench::AddRecentFile(const std::string& path, bool removeOnly) {
  auto& recent = State.RecentFiles;
  std::erase_if(recent, [&path](const std::string& entry) { return SamePathIgnoringCase(entry, path); });
  if (removeOnly) return;
  if (recent.size() >= kMaxRecentFiles) recent.resize(kMaxRecentFiles - 1);
  recent.insert(recent.begin(), path);
}

}  // namespace keltor
