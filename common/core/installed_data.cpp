#include "common/core/installed_data.h"

#include <cstdlib>

#ifndef KM_INSTALLED_DATA_DIR
#define KM_INSTALLED_DATA_DIR "/usr/local/share/keltor-morvane"
#endif

namespace km {

std::string InstalledDataDirectory() {
  const char* value = std::getenv(kDataDirectoryVariable);
  std::string folder = value != nullptr && *value != '\0' ? std::string(value) : std::string(KM_INSTALLED_DATA_DIR);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace km
