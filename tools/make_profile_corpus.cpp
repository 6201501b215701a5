// Writes the seed profiles of the user profile fuzzer: a few sound profiles made by the real writer and a
// few broken ones made from them.
//   make-profile-corpus DIRECTORY
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/core/user_profile.h"
#include "common/core/workbench_settings.h"

namespace {

class StderrSink : public km::MessageSink {
 public:
  void ShowMessage(std::string_view text, km::MessageIcon) override {
    std::fprintf(stderr, "%.*s\n", int(text.size()), text.data());
  }
  bool AskYesNo(std::string_view, bool) override { return false; }
};

std::vector<uint8_t> EmptyProfile() { return km::NewUserProfile("/data/lab"); }

std::vector<uint8_t> WithSections(int count) {
  StderrSink sink;
  km::MemoryProfileStore store(EmptyProfile());
  const km::WorkbenchSettings workbench = km::DefaultWorkbenchSettings();
  km::WriteProfileSection(sink, "seed", store, nullptr, km::kWorkbenchSectionId, {"/data/b.raw", "/data/a.raw"},
                          km::SettingsBytes(workbench));
  if (count > 1) {
    km::WriteProfileSection(sink, "seed", store, nullptr, km::kCalibrationSectionId, {},
                            std::vector<uint8_t>(332, 0x11));
  }
  if (count > 2) {
    km::WriteProfileSection(sink, "seed", store, nullptr, km::kViewerSectionId, {"Arial", "master.raw"},
                            std::vector<uint8_t>(512, 0x22));
  }
  return store.Bytes();
}

std::vector<uint8_t> Changed(std::vector<uint8_t> bytes, const std::function<void(km::UserProfileDirectory&)>& change) {
  km::UserProfileDirectory directory;
  std::memcpy(&directory, bytes.data(), sizeof directory);
  change(directory);
  std::memcpy(bytes.data(), &directory, sizeof directory);
  return bytes;
}

bool Save(const std::string& directory, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream out(directory + "/" + name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::fprintf(stderr, "error: cannot write %s/%s\n", directory.c_str(), name.c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-profile-corpus DIRECTORY\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::vector<uint8_t> nineTexts = WithSections(1);
  const char nine[] = "1\0002\0003\0004\0005\0006\0007\0008\0009";
  std::memcpy(nineTexts.data() + 1024, nine, sizeof nine);
  std::vector<uint8_t> unterminated = WithSections(1);
  std::memset(unterminated.data() + 1024, 'A', 1024);
  std::vector<uint8_t> cut = WithSections(3);
  cut.resize(cut.size() - 100);

  bool ok = Save(dir, "empty.usr", EmptyProfile());
  ok = Save(dir, "workbench_only.usr", WithSections(1)) && ok;
  ok = Save(dir, "three_sections.usr", WithSections(3)) && ok;
  ok = Save(dir, "nine_texts.usr", nineTexts) && ok;
  ok = Save(dir, "unterminated_texts.usr", unterminated) && ok;
  ok = Save(dir, "settings_cut_short.usr", cut) && ok;
  ok = Save(dir, "wrong_magic.usr", Changed(WithSections(1), [](auto& d) { d.ProfileMagic[4] = '1'; })) && ok;
  ok = Save(dir, "section_count_65.usr", Changed(WithSections(1), [](auto& d) { d.SectionCount = 65; })) && ok;
  ok = Save(dir, "block_in_directory.usr", Changed(WithSections(3), [](auto& d) { d.SectionBlock[1] = 1; })) && ok;
  ok = Save(dir, "negative_count.usr", Changed(WithSections(3), [](auto& d) { d.SectionBlockCount[2] = -2; })) && ok;
  ok = Save(dir, "stale_next_free.usr", Changed(WithSections(3), [](auto& d) { d.NextFreeBlock = 4; })) && ok;
  ok = Save(dir, "beyond_the_file.usr", Changed(WithSections(1), [](auto& d) { d.SectionBlock[0] = 300; })) && ok;
  return ok ? 0 : 1;
}
