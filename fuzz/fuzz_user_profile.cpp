// Feeds arbitrary bytes to the user profile reader and writer. Reading must refuse or succeed without
// touching memory it should not; a write that succeeds must read back as written.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/core/user_profile.h"
#include "common/core/user_profile_section.h"

namespace {

void ReadSections(const km::ProfileStore& store, const std::vector<int>& ids) {
  km::SilentMessageSink sink;
  const size_t sizes[] = {516, 332, 512, 4, km::SectionRequest::kAllSettings};
  size_t which = 0;
  for (const int id : ids) {
    km::SectionContent content;
    const km::SectionRequest request{id, sizes[which++ % std::size(sizes)]};
    if (km::ReadProfileSection(sink, "fuzz.USR", store, request, content)) {
      if (content.Texts.size() > km::kMaxSectionTexts) std::abort();
      if (content.Settings.size() > request.SettingsSize) std::abort();
    }
  }
}

void WriteAndReadBack(const uint8_t* data, size_t size, int id) {
  km::SilentMessageSink sink;
  km::MemoryProfileStore store(std::vector<uint8_t>(data, data + size), size_t{64} << 10);
  const std::vector<std::string> texts = {"/data/b.raw", std::string(size % 700, 'x'), "/data/a.raw"};
  const std::vector<uint8_t> settings(size % 600, 0xA5);
  const std::string work = "/data";
  if (!km::WriteProfileSection(sink, "fuzz.USR", store, &work, id, texts, settings)) return;

  km::SectionContent content;
  if (!km::ReadProfileSection(sink, "fuzz.USR", store, {id, settings.size()}, content)) std::abort();
  const auto expectedArea = km::BuildSectionTexts(texts);
  if (content.Texts != km::ParseSectionTexts(expectedArea) || content.Settings != settings ||
      content.WorkDirectory != work) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const km::MemoryProfileStore store(std::vector<uint8_t>(data, data + size));
  std::vector<int> ids = {km::kWorkbenchSectionId, km::kCalibrationSectionId, km::kViewerSectionId};
  int16_t firstId = 0;
  if (size >= 514) {
    std::memcpy(&firstId, data + 512, sizeof firstId);
    ids.push_back(firstId);
  }
  ReadSections(store, ids);
  WriteAndReadBack(data, size, km::kWorkbenchSectionId);
  WriteAndReadBack(data, size, firstId);
  return 0;
}
