#pragma once
// The user profile file shared by the programs of the suite: 512-byte blocks, little-endian. Blocks 0 and 1
// are a directory of up to 64 sections; a section of n blocks holds a 1024-byte list of NUL-terminated
// texts (an empty text ends it) and then (n - 2) * 512 bytes of binary settings.
// Everything here works on bytes in memory; opening, locking and reporting live in user_profile.h.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace km {

static_assert(std::endian::native == std::endian::little,
              "the profile structs are the on-disk bytes; a big-endian port must swap them");

inline constexpr int kProfileBlockSize = 512;
inline constexpr int kProfileSectionSlots = 64;
inline constexpr int kSectionTextBytes = 1024;
inline constexpr int kSectionTextBlocks = 2;
inline constexpr size_t kMaxSectionTexts = 8;        // readers take no more
inline constexpr int kLastAddressableBlock = 32767;  // block numbers are 16-bit
inline constexpr char kProfileMagic[8] = {'U', 'S', 'R', '_', '2', '.', '0', '1'};

#pragma pack(push, 1)
struct UserProfileDirectory {
  char ProfileMagic[8];
  uint8_t Reserved8[20];
  int32_t SectionCount;
  int32_t NextFreeBlock;
  uint8_t Reserved36[56];
  char WorkDirectory[256];
  uint8_t Reserved348[164];
  int16_t SectionId[kProfileSectionSlots];
  int16_t SectionBlock[kProfileSectionSlots];
  int16_t SectionBlockCount[kProfileSectionSlots];
  uint8_t Reserved896[128];
};
#pragma pack(pop)

static_assert(sizeof(UserProfileDirectory) == 2 * kProfileBlockSize);
static_assert(offsetof(UserProfileDirectory, SectionCount) == 28);
static_assert(offsetof(UserProfileDirectory, NextFreeBlock) == 32);
static_assert(offsetof(UserProfileDirectory, WorkDirectory) == 92);
static_assert(offsetof(UserProfileDirectory, Reserved348) == 348);
static_assert(offsetof(UserProfileDirectory, SectionId) == 512);
static_assert(offsetof(UserProfileDirectory, SectionBlock) == 640);
static_assert(offsetof(UserProfileDirectory, SectionBlockCount) == 768);
static_assert(offsetof(UserProfileDirectory, Reserved896) == 896);

// What is wrong with a profile, as far as the bytes tell.
enum class ProfileFault {
  None,
  Truncated,         // the file ends before something that should be there
  BadMagic,          // not "USR_2.01"
  BadDirectory,      // counts or block numbers no writer can have made
  NoRoomForSection,  // all 64 entries are taken, or the block numbers would overflow
  SettingsTooLarge,  // more settings than the section was created for
};

// Where one section lies.
struct SectionPlace {
  int Entry = -1;  // index in the directory; -1 for a section still to be appended
  int FirstBlock = 0;
  int BlockCount = 0;

  int64_t TextOffset() const { return int64_t{FirstBlock} * kProfileBlockSize; }
  int64_t SettingsOffset() const { return TextOffset() + kSectionTextBytes; }
  size_t SettingsCapacity() const {
    return BlockCount > kSectionTextBlocks ? size_t(BlockCount - kSectionTextBlocks) * kProfileBlockSize : 0;
  }
};

// Takes the directory from the first 1024 bytes and checks it: the magic, a SectionCount of 0 to 64, and
// every entry in use starting after the directory with at least its 2 text blocks.
ProfileFault ParseProfileDirectory(std::span<const uint8_t> bytes, UserProfileDirectory& directory);

// The entry of sectionId among the entries in use; nothing when the profile has no such section.
std::optional<SectionPlace> FindSection(const UserProfileDirectory& directory, int sectionId);

// The place for a section to be written with settingsSize bytes of settings. An existing section keeps its
// size and must hold the settings; a new one is appended at NextFreeBlock, which must lie after every
// section in use, when an entry is free. Leaves the directory as it is.
ProfileFault PlanSectionWrite(const UserProfileDirectory& directory, int sectionId, size_t settingsSize,
                              SectionPlace& place);

// Records a planned new section in the directory (an existing one needs no change).
void AddSectionEntry(UserProfileDirectory& directory, int sectionId, const SectionPlace& place);

// Blocks a new section needs: its 2 text blocks and enough blocks for the settings.
int BlocksForSettings(size_t settingsSize);

// The texts of a section's text area, at most 8, up to the first empty one. A text that runs to the end of
// the area without its terminator ends there.
std::vector<std::string> ParseSectionTexts(std::span<const uint8_t> area);

// The text area for the texts: each with its terminator while the whole stays within 1023 bytes (the last
// byte is always a terminator, so the list always ends with an empty text); the rest zero. A text ends at
// an embedded NUL, as it would in the file; an empty text ends the list.
// A profile with no section yet, as the suite's user administration creates one (these programs never
// create profiles; the demo data and the tests do).
std::vector<uint8_t> NewUserProfile(std::string_view workDirectory);

std::array<uint8_t, kSectionTextBytes> BuildSectionTexts(const std::vector<std::string>& texts);

// The work directory field as text (never beyond the field, terminated or not).
std::string WorkDirectoryOf(const UserProfileDirectory& directory);
// Stores the work directory when it fits with its terminator; false (field unchanged) when it is too long.
bool SetWorkDirectory(UserProfileDirectory& directory, std::string_view workDirectory);

}  // namespace km
