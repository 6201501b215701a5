#include "common/core/user_profile.h"

#include <algorithm>

#include "common/core/file_access.h"
#include "common/core/user_profile_lock.h"

namespace km {

namespace {

constexpr std::string_view kTypeWord = "User";

class FileProfileStore : public ProfileStore {
 public:
  explicit FileProfileStore(File& file) : file_(file) {}
  int64_t Size() const override { return file_.Size(); }
  size_t ReadAt(int64_t offset, void* buffer, size_t count) const override {
    return file_.ReadAt(offset, buffer, count);
  }
  bool WriteAt(int64_t offset, const void* buffer, size_t count) override {
    return file_.WriteAt(offset, buffer, count);
  }

 private:
  File& file_;
};

// The lock is taken before the file is opened and let go after it is closed.
bool ReadSection(MessageSink& sink, const std::string& profilePath, const SectionRequest& request,
                 SectionContent& content) {
  const UserProfileLock lock(profilePath);
  std::optional<File> file = OpenFileReport(sink, profilePath, OpenMode::Read, kTypeWord);
  if (!file) return false;
  const FileProfileStore store(*file);
  return ReadProfileSection(sink, profilePath, store, request, content);
}

}  // namespace

bool ReadUserSection(MessageSink& sink, const std::string& profilePath, std::string* workDirectory, int sectionId,
                     std::vector<std::string>& texts, std::span<uint8_t> settings) {
  SectionContent content;
  if (!ReadSection(sink, profilePath, SectionRequest{sectionId, settings.size()}, content)) return false;
  if (workDirectory != nullptr) *workDirectory = content.WorkDirectory;
  texts = std::move(content.Texts);
  std::copy(content.Settings.begin(), content.Settings.end(), settings.begin());
  if (content.Settings.empty()) std::fill_n(settings.begin(), std::min<size_t>(settings.size(), 8), uint8_t{0});
  return true;
}

bool ReadUserSection(MessageSink& sink, const std::string& profilePath, std::string* workDirectory, int sectionId,
                     std::vector<std::string>& texts, std::vector<uint8_t>& allSettings) {
  SectionContent content;
  if (!ReadSection(sink, profilePath, SectionRequest{sectionId, SectionRequest::kAllSettings}, content)) return false;
  if (workDirectory != nullptr) *workDirectory = content.WorkDirectory;
  texts = std::move(content.Texts);
  allSettings = std::move(content.Settings);
  return true;
}

bool WriteUserSection(MessageSink& sink, const std::string& profilePath, const std::string* workDirectory,
                      int sectionId, const std::vector<std::string>& texts, std::span<const uint8_t> settings) {
  const UserProfileLock lock(profilePath);
  std::optional<File> file = OpenFileReport(sink, profilePath, OpenMode::ReadWrite, kTypeWord);
  if (!file) return false;
  FileProfileStore store(*file);
  if (!WriteProfileSection(sink, profilePath, store, workDirectory, sectionId, texts, settings)) return false;
  if (!file->Close()) {
    sink.ShowError(FormatCatalog(msg::FileCannotBeAccessed, kTypeWord, profilePath));
    return false;
  }
  return true;
}

}  // namespace km
