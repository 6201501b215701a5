#include "common/core/user_profile_format.h"

#include <algorithm>
#include <cstring>

namespace km {

ProfileFault ParseProfileDirectory(std::span<const uint8_t> bytes, UserProfileDirectory& directory) {
  // A file too short for the magic is no profile; one cut after it is a damaged profile.
  if (bytes.size() < sizeof kProfileMagic || std::memcmp(bytes.data(), kProfileMagic, sizeof kProfileMagic) != 0) {
    return ProfileFault::BadMagic;
  }
  if (bytes.size() < sizeof(UserProfileDirectory)) return ProfileFault::Truncated;
  std::memcpy(&directory, bytes.data(), sizeof directory);
  if (directory.SectionCount < 0 || directory.SectionCount > kProfileSectionSlots) return ProfileFault::BadDirectory;
  for (int i = 0; i < directory.SectionCount; ++i) {
    if (directory.SectionBlock[i] < kSectionTextBlocks || directory.SectionBlockCount[i] < kSectionTextBlocks) {
      return ProfileFault::BadDirectory;
    }
  }
  return ProfileFault::None;
}

std::optional<SectionPlace> FindSection(const UserProfileDirectory& directory, int sectionId) {
  const int count = std::clamp(directory.SectionCount, 0, kProfileSectionSlots);
  for (int i = 0; i < count; ++i) {
    if (directory.SectionId[i] == sectionId) {
      return SectionPlace{i, directory.SectionBlock[i], directory.SectionBlockCount[i]};
    }
  }
  return std::nullopt;
}

int BlocksForSettings(size_t settingsSize) {
  const size_t blocks = (settingsSize + kProfileBlockSize - 1) / kProfileBlockSize + kSectionTextBlocks;
  return static_cast<int>(std::min<size_t>(blocks, kLastAddressableBlock + 1));
}

ProfileFault PlanSectionWrite(const UserProfileDirectory& directory, int sectionId, size_t settingsSize,
                              SectionPlace& place) {
  if (const auto found = FindSection(directory, sectionId)) {
    if (settingsSize > found->SettingsCapacity()) return ProfileFault::SettingsTooLarge;
    place = *found;
    return ProfileFault::None;
  }
  if (directory.SectionCount >= kProfileSectionSlots) return ProfileFault::NoRoomForSection;
  // A stale NextFreeBlock would put the new section over one in use.
  int usedEnd = kSectionTextBlocks;
  for (int i = 0; i < directory.SectionCount; ++i) {
    usedEnd = std::max(usedEnd, directory.SectionBlock[i] + directory.SectionBlockCount[i]);
  }
  if (directory.NextFreeBlock < usedEnd) return ProfileFault::BadDirectory;
  const int blocks = BlocksForSettings(settingsSize);
  if (directory.NextFreeBlock > kLastAddressableBlock - blocks) return ProfileFault::NoRoomForSection;
  place = SectionPlace{-1, directory.NextFreeBlock, blocks};
  return ProfileFault::None;
}

void AddSectionEntry(UserProfileDirectory& directory, int sectionId, const SectionPlace& place) {
  const int entry = directory.SectionCount;
  directory.SectionId[entry] = static_cast<int16_t>(sectionId);
  directory.SectionBlock[entry] = static_cast<int16_t>(place.FirstBlock);
  directory.SectionBlockCount[entry] = static_cast<int16_t>(place.BlockCount);
  directory.SectionCount = entry + 1;
  directory.NextFreeBlock = place.FirstBlock + place.BlockCount;
}

std::vector<std::string> ParseSectionTexts(std::span<const uint8_t> area) {
  area = area.first(std::min<size_t>(area.size(), kSectionTextBytes));
  std::vector<std::string> texts;
  size_t at = 0;
  while (at < area.size() && texts.size() < kMaxSectionTexts) {
    const auto begin = area.begin() + static_cast<std::ptrdiff_t>(at);
    const auto end = std::find(begin, area.end(), uint8_t{0});
    if (end == begin) break;
    texts.emplace_back(begin, end);
    at += texts.back().size() + 1;
  }
  return texts;
}

std::array<uint8_t, kSectionTextBytes> BuildSectionTexts(const std::vector<std::string>& texts) {
  std::array<uint8_t, kSectionTextBytes> area{};
  size_t at = 0;
  for (const std::string& text : texts) {
    const size_t length = std::min(text.size(), text.find('\0'));
    if (length == 0) break;  // an empty text ends the list for every reader
    if (at + length + 1 > kSectionTextBytes - 1) break;
    std::memcpy(area.data() + at, text.data(), length);
    at += length + 1;
  }
  return area;
}

std::string WorkDirectoryOf(const UserProfileDirectory& directory) {
  const char* field = directory.WorkDirectory;
  return std::string(field, strnlen(field, sizeof directory.WorkDirectory));
}

bool SetWorkDirectory(UserProfileDirectory& directory, std::string_view workDirectory) {
  workDirectory = workDirectory.substr(0, workDirectory.find('\0'));
  if (workDirectory.size() >= sizeof directory.WorkDirectory) return false;
  std::memset(directory.WorkDirectory, 0, sizeof directory.WorkDirectory);
  std::memcpy(directory.WorkDirectory, workDirectory.data(), workDirectory.size());
  return true;
}

std::vector<uint8_t> NewUserProfile(std::string_view workDirectory) {
  UserProfileDirectory directory{};
  std::memcpy(directory.ProfileMagic, kProfileMagic, sizeof directory.ProfileMagic);
  directory.NextFreeBlock = 2;
  std::memcpy(directory.WorkDirectory, workDirectory.data(),
              std::min(workDirectory.size(), sizeof directory.WorkDirectory - 1));
  const auto* bytes = reinterpret_cast<const uint8_t*>(&directory);
  return {bytes, bytes + sizeof directory};
}

}  // namespace km
