#include "common/core/user_profile_section.h"

#include <algorithm>
#include <array>
#include <limits>

namespace km {

size_t MemoryProfileStore::ReadAt(int64_t offset, void* buffer, size_t count) const {
  if (offset < 0 || static_cast<uint64_t>(offset) >= bytes_.size()) return 0;
  const size_t start = static_cast<size_t>(offset);
  const size_t n = std::min(count, bytes_.size() - start);
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(start), n, static_cast<uint8_t*>(buffer));
  return n;
}

bool MemoryProfileStore::WriteAt(int64_t offset, const void* buffer, size_t count) {
  if (offset < 0 || static_cast<uint64_t>(offset) > maxSize_ || count > maxSize_ - static_cast<size_t>(offset)) {
    return false;
  }
  const size_t start = static_cast<size_t>(offset);
  if (bytes_.size() < start + count) bytes_.resize(start + count, 0);
  std::copy_n(static_cast<const uint8_t*>(buffer), count, bytes_.begin() + static_cast<std::ptrdiff_t>(start));
  return true;
}

std::string DescribeProfileFault(ProfileFault fault, std::string_view path) {
  switch (fault) {
    case ProfileFault::None: return {};
    case ProfileFault::Truncated: return FormatCatalog(msg::EndOfFile, path);
    case ProfileFault::BadMagic:
    case ProfileFault::BadDirectory: return FormatCatalog(msg::InvalidFormat, path);
    case ProfileFault::NoRoomForSection: return FormatMessage("User file has no room for another section.\n\n%1", path);
    case ProfileFault::SettingsTooLarge:
      return FormatMessage("User file section is too small for these settings.\n\n%1", path);
  }
  return {};
}

namespace {

bool Refuse(MessageSink& sink, ProfileFault fault, std::string_view path) {
  sink.ShowError(DescribeProfileFault(fault, path));
  return false;
}

bool CannotWrite(MessageSink& sink, std::string_view path) {
  sink.ShowError(FormatCatalog(msg::FileCannotBeAccessed, "User", path));
  return false;
}

ProfileFault LoadDirectory(const ProfileStore& store, UserProfileDirectory& directory) {
  std::array<uint8_t, sizeof(UserProfileDirectory)> bytes{};
  const size_t got = store.ReadAt(0, bytes.data(), bytes.size());
  return ParseProfileDirectory(std::span<const uint8_t>(bytes).first(got), directory);
}

// A section must at least begin inside the file; one pointing beyond it is a broken directory rather than
// a file cut short.
bool BeginsInside(const ProfileStore& store, const SectionPlace& place) { return place.TextOffset() < store.Size(); }

bool WriteZeros(ProfileStore& store, int64_t offset, size_t count) {
  static constexpr std::array<uint8_t, 4096> kZeros{};
  while (count > 0) {
    const size_t n = std::min(count, kZeros.size());
    if (!store.WriteAt(offset, kZeros.data(), n)) return false;
    offset += static_cast<int64_t>(n);
    count -= n;
  }
  return true;
}

}  // namespace

bool ReadProfileSection(MessageSink& sink, std::string_view path, const ProfileStore& store,
                        const SectionRequest& request, SectionContent& content) {
  UserProfileDirectory directory;
  if (const ProfileFault fault = LoadDirectory(store, directory); fault != ProfileFault::None) {
    return Refuse(sink, fault, path);
  }
  SectionContent result;
  result.WorkDirectory = WorkDirectoryOf(directory);
  if (const auto place = FindSection(directory, request.SectionId)) {
    if (!BeginsInside(store, *place)) return Refuse(sink, ProfileFault::BadDirectory, path);
    std::array<uint8_t, kSectionTextBytes> area{};
    if (store.ReadAt(place->TextOffset(), area.data(), area.size()) != area.size()) {
      return Refuse(sink, ProfileFault::Truncated, path);
    }
    result.Found = true;
    result.Texts = ParseSectionTexts(area);
    // Never past the section: bytes beyond it belong to the next one.
    const size_t wanted = std::min(request.SettingsSize, place->SettingsCapacity());
    const int64_t available = std::max<int64_t>(0, store.Size() - place->SettingsOffset());
    if (wanted > static_cast<uint64_t>(available)) {
      return Refuse(sink, ProfileFault::Truncated, path);
    }
    result.Settings.resize(wanted);
    if (store.ReadAt(place->SettingsOffset(), result.Settings.data(), result.Settings.size()) !=
        result.Settings.size()) {
      return Refuse(sink, ProfileFault::Truncated, path);
    }
  }
  content = std::move(result);
  return true;
}

bool WriteProfileSection(MessageSink& sink, std::string_view path, ProfileStore& store,
                         const std::string* workDirectory, int sectionId, const std::vector<std::string>& texts,
                         std::span<const uint8_t> settings) {
  UserProfileDirectory directory;
  if (const ProfileFault fault = LoadDirectory(store, directory); fault != ProfileFault::None) {
    return Refuse(sink, fault, path);
  }
  if (sectionId < std::numeric_limits<int16_t>::min() || sectionId > std::numeric_limits<int16_t>::max()) {
    return Refuse(sink, ProfileFault::NoRoomForSection, path);
  }
  SectionPlace place;
  if (const ProfileFault fault = PlanSectionWrite(directory, sectionId, settings.size(), place);
      fault != ProfileFault::None) {
    return Refuse(sink, fault, path);
  }
  if (place.Entry >= 0 && !BeginsInside(store, place)) return Refuse(sink, ProfileFault::BadDirectory, path);

  if (workDirectory != nullptr && !workDirectory->empty() && !SetWorkDirectory(directory, *workDirectory)) {
    sink.ShowWarning(FormatMessage("Work directory is too long to be kept in the user file.\n\n%1", *workDirectory));
  }
  if (place.Entry < 0) AddSectionEntry(directory, sectionId, place);

  const auto area = BuildSectionTexts(texts);
  if (!store.WriteAt(place.TextOffset(), area.data(), area.size())) return CannotWrite(sink, path);
  if (!settings.empty()) {
    if (!store.WriteAt(place.SettingsOffset(), settings.data(), settings.size())) return CannotWrite(sink, path);
    if (!WriteZeros(store, place.SettingsOffset() + static_cast<int64_t>(settings.size()),
                    place.SettingsCapacity() - settings.size())) {
      return CannotWrite(sink, path);
    }
  }
  if (!store.WriteAt(0, &directory, sizeof directory)) return CannotWrite(sink, path);
  return true;
}

}  // namespace km
