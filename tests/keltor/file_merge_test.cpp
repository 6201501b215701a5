// Merging the ranges of several files, into a new file and into the open file.
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using km::testing::ReadBytes;
using Ranges = std::vector<std::pair<float, int>>;

class MergeTest : public WorkbenchFixture {
 protected:
  void Merge(std::vector<std::string> paths, std::optional<std::string> target) {
    ui_.openManyAnswers.push_back(std::move(paths));
    ui_.saveAnswers.push_back(std::move(target));
    wb_.OnFileMerge();
  }
  // A file of n ranges whose counts start at first, 2 first, ...
  std::string Series(const std::string& name, int n, float first, km::RawFileHeader header = MeasuredHeader()) {
    std::vector<TestRange> ranges;
    for (int i = 0; i < n; ++i) ranges.push_back(Ramp(20 + i, 10.0f, 0.02f, first * static_cast<float>(i + 1)));
    return WriteFile(name, header, ranges);
  }
};

TEST_F(MergeTest, NewFileTakesAtMostEightRangesInOrderAfterAWarning) {
  const std::string a = Series("a.raw", 3, 100);
  const std::string b = Series("b.raw", 6, 1000);
  const std::string target = PathOf("merged.raw");
  Merge({a, b}, target);

  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{" to many ranges (max. 8!) \n not all ranges will be merge!"});
  EXPECT_EQ(RangesOf(target),
            (Ranges{{100, 20}, {200, 21}, {300, 22}, {1000, 20}, {2000, 21}, {3000, 22}, {4000, 23}, {5000, 24}}));
  EXPECT_EQ(wb_.File.DocumentPath, target);
}

TEST_F(MergeTest, OnlyOneUsableFileDoesNothingAndLeavesNoFileOpen) {
  const std::string a = Series("a.raw", 2, 100);
  Merge({a, PathOf("missing.raw"), WriteFile("empty.raw", 0)}, PathOf("merged.raw"));
  EXPECT_EQ(ui_.sink.messages.size(), 2u);  // the missing file, then
  EXPECT_EQ(ui_.sink.LastText(), "there was only one file to merge!\n i will do nothing");
  EXPECT_TRUE(wb_.File.DocumentPath.empty());
  EXPECT_FALSE(std::filesystem::exists(PathOf("merged.raw")));
}

TEST_F(MergeTest, SkipsFilesWithoutDataUnreadableOrIncompatibleAndGoesOn) {
  km::RawFileHeader copper = MeasuredHeader();
  km::RawFileHeader cobalt = MeasuredHeader();
  cobalt.Radiation = 4;
  const std::string empty = WriteFile("empty.raw", 0);
  const std::string a = Series("a.raw", 1, 100, copper);
  const std::string other = Series("cobalt.raw", 1, 7, cobalt);
  std::filesystem::create_directories(PathOf("junk.raw"));  // a directory: its header cannot be read
  const std::string b = Series("b.raw", 2, 1000, copper);
  const std::string target = PathOf("merged.raw");
  Merge({empty, a, PathOf("junk.raw"), other, a, b}, target);

  const auto texts = ui_.sink.Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "file empty.raw contains no data\n the file will be skiped");
  EXPECT_EQ(texts[2], "cobalt.raw is not compatible with preceding files\n the file will be skiped");
  EXPECT_EQ(texts[3], a + " : can't merge into myself !");
  EXPECT_EQ(RangesOf(target), (Ranges{{100, 20}, {1000, 20}, {2000, 21}}));
}

TEST_F(MergeTest, IntoTheOpenFileKeepsTheResultInTheWorkingCopy) {
  const std::string a = Series("a.raw", 2, 100);
  const auto aBefore = ReadBytes(a);
  Open(a);
  Merge({Series("b.raw", 1, 1000)}, std::nullopt);

  EXPECT_TRUE(ui_.sink.Empty() && ui_.saveRequests.empty());
  EXPECT_EQ(observer_.dataChanged, 1);
  EXPECT_EQ(RangesOf(wb_.File.WorkingCopyPath), (Ranges{{100, 20}, {200, 21}, {1000, 20}}));
  EXPECT_TRUE(ReadBytes(a) == aBefore);
}

TEST_F(MergeTest, CancelledSaveLeavesNothingBehindForTheNextMerge) {
  const std::string a = Series("a.raw", 1, 100);
  const std::string b = Series("b.raw", 1, 200);
  Merge({a, b}, std::nullopt);
  EXPECT_TRUE(wb_.File.DocumentPath.empty());
  EXPECT_EQ(TempFiles("RAW"), 0);
  Merge({b, a}, PathOf("merged.raw"));
  EXPECT_EQ(RangesOf(PathOf("merged.raw")), (Ranges{{200, 20}, {100, 20}}));
}

}  // namespace
}  // namespace keltor::testing
