#pragma once
// One program's section of the user's profile file, read at start-up and written at exit. Each call takes
// the suite's profile lock, opens the file ("User" in the messages), works and closes it again.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "common/core/user_profile_section.h"

namespace km {

inline constexpr int kWorkbenchSectionId = 4;
inline constexpr int kCalibrationSectionId = 9;
inline constexpr int kViewerSectionId = 13;

// Reads section sectionId: its texts (at most 8) into texts and its settings into settings, at most
// settings.size() bytes and never more than the section holds; the rest of settings keeps what the caller
// put there (the defaults). A section not found, or one of 2 blocks, gives no texts and zeros the first 8
// bytes of settings. workDirectory, when given, receives the stored work directory. An empty settings
// span reads no settings. False after a message; the outputs are then unchanged.
bool ReadUserSection(MessageSink& sink, const std::string& profilePath, std::string* workDirectory, int sectionId,
                     std::vector<std::string>& texts, std::span<uint8_t> settings);

// As above, but takes all (n - 2) * 512 settings bytes of the section, whatever its size (empty for a
// section of 2 blocks or one not found).
bool ReadUserSection(MessageSink& sink, const std::string& profilePath, std::string* workDirectory, int sectionId,
                     std::vector<std::string>& texts, std::vector<uint8_t>& allSettings);

// Writes section sectionId (see WriteProfileSection): an empty settings span leaves the stored settings
// as they are. A work directory, when given and not empty, replaces the stored one.
bool WriteUserSection(MessageSink& sink, const std::string& profilePath, const std::string* workDirectory,
                      int sectionId, const std::vector<std::string>& texts, std::span<const uint8_t> settings);

}  // namespace km
