#pragma once
// Reading and writing one section of a user profile over any byte store: the file when the programs run,
// a buffer in memory for the fuzzer. Failures are shown through the sink with the profile's path.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/messages.h"
#include "common/core/user_profile_format.h"

namespace km {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual int64_t Size() const = 0;
  // Bytes read (fewer only at the end or on an error).
  virtual size_t ReadAt(int64_t offset, void* buffer, size_t count) const = 0;
  // True when every byte was written; writing past the end grows the store, a gap reads as zeros.
  virtual bool WriteAt(int64_t offset, const void* buffer, size_t count) = 0;
};

// A profile held in memory, refusing to grow beyond maxSize bytes (as a full disk would).
class MemoryProfileStore : public ProfileStore {
 public:
  explicit MemoryProfileStore(std::vector<uint8_t> bytes, size_t maxSize = size_t{64} << 20)
      : bytes_(std::move(bytes)), maxSize_(maxSize) {}
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  size_t ReadAt(int64_t offset, void* buffer, size_t count) const override;
  bool WriteAt(int64_t offset, const void* buffer, size_t count) override;
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  size_t maxSize_;
};

// What one read of a section asks for.
struct SectionRequest {
  int SectionId = 0;
  // Settings bytes wanted; kAllSettings takes all (n - 2) * 512 bytes of the section.
  size_t SettingsSize = 0;
  static constexpr size_t kAllSettings = static_cast<size_t>(-1);
};

struct SectionContent {
  bool Found = false;
  std::string WorkDirectory;
  std::vector<std::string> Texts;  // at most 8
  // The settings read: at most SettingsSize bytes, fewer when the section holds fewer (a section of 2
  // blocks, or one not found, holds none).
  std::vector<uint8_t> Settings;
};

// Reads one section. False after a message: a wrong magic or a directory that cannot be right (509),
// a file that ends early (517). A section not found is no failure.
bool ReadProfileSection(MessageSink& sink, std::string_view path, const ProfileStore& store,
                        const SectionRequest& request, SectionContent& content);

// Writes one section: its texts (while they fit), and, when settings is not empty, the settings followed by
// zeros to the end of the section. A section not yet in the profile is appended with room for exactly these
// settings. A work directory, when given and not empty, replaces the stored one. The section is written
// before the directory that points to it. Nothing is written when the profile is refused, when all 64
// entries are taken or when the settings do not fit the existing section.
bool WriteProfileSection(MessageSink& sink, std::string_view path, ProfileStore& store,
                         const std::string* workDirectory, int sectionId, const std::vector<std::string>& texts,
                         std::span<const uint8_t> settings);

// The message for a fault of the profile at path.
std::string DescribeProfileFault(ProfileFault fault, std::string_view path);

}  // namespace km
