#include "common/core/save_file_check.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/recording_sink.h"

namespace km {
namespace {

struct FakeDisk : SaveTargetQueries {
  std::set<std::string> files, readOnly;
  bool FileExists(const std::string& path) override { return files.count(path) || readOnly.count(path); }
  bool IsReadOnly(const std::string& path) override { return readOnly.count(path) > 0; }
};

SaveFileRequest Raw(std::string typed, bool noExtensionInName = false, bool confirmOverwrite = true) {
  SaveFileRequest r;
  r.typedName = std::move(typed);
  r.directory = "/data";
  r.defaultExtension = "raw";
  r.noExtensionInName = noExtensionInName;
  r.confirmOverwrite = confirmOverwrite;
  return r;
}

TEST(SaveFileCheck, DefaultExtensionAndNumberedCopiesPassSilently) {
  FakeDisk disk;
  testing::RecordingSink sink;
  const std::pair<const char*, const char*> cases[] = {{"  /elsewhere/quartz  ", "/data/quartz.raw"},
      {"quartz.", "/data/quartz.raw"}, {"quartz.r01", "/data/quartz.r01"}, {"quartz.RAW", "/data/quartz.RAW"},
      {"   ", nullptr}, {"..", nullptr}};
  for (const auto& [typed, expected] : cases)
    EXPECT_EQ(CheckSaveFileName(sink, disk, Raw(typed)), expected ? std::optional<std::string>(expected) : std::nullopt) << typed;
  EXPECT_TRUE(sink.Empty());
  const std::string extensions[] = {"raw", "lst"};  // the filter chosen, counted from one
  EXPECT_EQ(DefaultExtensionForFilter(extensions, 2) + DefaultExtensionForFilter(extensions, 3) +
                DefaultExtensionForFilter(extensions, 0), "lst");
}

TEST(SaveFileCheck, NonStandardExtensionIsAskedAboutOrRefusedWhenNamesMustNotCarryOne) {
  FakeDisk disk;
  testing::RecordingSink sink;
  sink.Answer({true, false});
  EXPECT_FALSE(CheckSaveFileName(sink, disk, Raw("quartz.txt")));  // Yes: change it
  EXPECT_EQ(CheckSaveFileName(sink, disk, Raw("quartz.txt")), "/data/quartz.txt");
  EXPECT_EQ(sink.LastText(), "Using non-standard file extension may cause problems.\nDo you wish to change it ?");

  EXPECT_FALSE(CheckSaveFileName(sink, disk, Raw("quartz.txt", true)));
  EXPECT_EQ(sink.Last().icon, MessageIcon::Exclamation);
  EXPECT_EQ(sink.LastText(), "Please enter a filename without extension.");
  EXPECT_EQ(CheckSaveFileName(sink, disk, Raw("quartz.Raw", true)), "/data/quartz.Raw");
}

TEST(SaveFileCheck, ReadOnlyTargetRefusedAndOverwriteAskedWithNoAsDefault) {
  FakeDisk disk;
  disk.readOnly.insert("/data/locked.raw");
  disk.files.insert("/data/old.raw");
  testing::RecordingSink sink;
  EXPECT_FALSE(CheckSaveFileName(sink, disk, Raw("locked")));
  EXPECT_EQ(sink.Last().icon, MessageIcon::Stop);
  sink.Clear();
  sink.Answer({false, true});
  EXPECT_FALSE(CheckSaveFileName(sink, disk, Raw("old.raw")));
  EXPECT_EQ(CheckSaveFileName(sink, disk, Raw("old.raw")), "/data/old.raw");
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.LastText(), "File already exists :\n\n/data/old.raw\n\nDo you wish to overwrite it ?");
  EXPECT_TRUE(sink.Last().defaultNo);
  EXPECT_EQ(CheckSaveFileName(sink, disk, Raw("old.raw", false, false)), "/data/old.raw");  // not asked
  EXPECT_EQ(sink.messages.size(), 2u);
}

}  // namespace
}  // namespace km
