// Merging the ranges of several files, into a new file and into the open file.
#include "keltor/core/compatible_header.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using km::MessageIcon;
using km::testing::ReadBytes;

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
  const auto aBefore = ReadBytes(a);
  const std::string target = PathOf("merged.raw");
  Merge({a, b}, target);

  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{" to many ranges (max. 8!) \n not all ranges will be merge!"});
  EXPECT_EQ(ui_.sink.Last().icon, MessageIcon::Exclamation);
  const std::vector<std::pair<float, int>> expected{{100, 20}, {200, 21}, {300, 22}, {1000, 20},
                                                    {2000, 21}, {3000, 22}, {4000, 23}, {5000, 24}};
  EXPECT_EQ(RangesOf(target), expected);
  EXPECT_EQ(wb_.File.DocumentPath, target);
  EXPECT_EQ(wb_.File.OpenedFile.MeasuredRanges, 8);
  EXPECT_FALSE(wb_.File.IsModified);
  EXPECT_EQ(observer_.fileChanged, 1);
  EXPECT_TRUE(ReadBytes(a) == aBefore);
  EXPECT_EQ(wb_.State.ListLines.at(1), " File     : " + target);
}

TEST_F(MergeTest, OnlyOneUsableFileDoesNothingAndLeavesNoFileOpen) {
  const std::string a = Series("a.raw", 2, 100);
  Merge({a, PathOf("missing.raw"), WriteFile("empty.raw", 0)}, PathOf("merged.raw"));
  ASSERT_EQ(ui_.sink.messages.size(), 2u);
  EXPECT_EQ(ui_.sink.messages[0].text, "Raw file does not exist.\n\n" + PathOf("missing.raw"));
  EXPECT_EQ(ui_.sink.messages[1].text, "there was only one file to merge!\n i will do nothing");
  EXPECT_TRUE(wb_.File.DocumentPath.empty());
  EXPECT_EQ(TempFiles("RAW"), 0);
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
  const std::vector<std::pair<float, int>> expected{{100, 20}, {1000, 20}, {2000, 21}};
  EXPECT_EQ(RangesOf(target), expected);
}

TEST_F(MergeTest, IntoTheOpenFileKeepsTheResultInTheWorkingCopy) {
  const std::string a = Series("a.raw", 2, 100);
  const auto aBefore = ReadBytes(a);
  Open(a);
  Merge({Series("b.raw", 1, 1000)}, std::nullopt);

  EXPECT_TRUE(ui_.sink.Empty());
  EXPECT_TRUE(ui_.saveRequests.empty());
  EXPECT_TRUE(wb_.File.IsModified);
  EXPECT_EQ(observer_.dataChanged, 1);
  EXPECT_EQ(wb_.File.WorkingFile.MeasuredRanges, 3);
  const std::vector<std::pair<float, int>> expected{{100, 20}, {200, 21}, {1000, 20}};
  EXPECT_EQ(RangesOf(wb_.File.WorkingCopyPath), expected);
  EXPECT_TRUE(ReadBytes(a) == aBefore);
  EXPECT_NE(std::find(wb_.State.ListLines.begin(), wb_.State.ListLines.end(),
                      " Range 3      2Theta ( begin, end, step ) :   10.000   10.380    0.020"),
            wb_.State.ListLines.end());
}

TEST_F(MergeTest, CancelledSaveLeavesNothingBehindForTheNextMerge) {
  const std::string a = Series("a.raw", 1, 100);
  const std::string b = Series("b.raw", 1, 200);
  Merge({a, b}, std::nullopt);
  EXPECT_TRUE(wb_.File.DocumentPath.empty());
  EXPECT_EQ(TempFiles("RAW"), 0);
  const std::string target = PathOf("merged.raw");
  Merge({b, a}, target);
  const std::vector<std::pair<float, int>> expected{{200, 20}, {100, 20}};
  EXPECT_EQ(RangesOf(target), expected);
}

TEST(CompatibleHeader, SameInstrumentAndScanWithUsageOfSingleSampleMatchingAny) {
  const km::RawFileHeader base = MeasuredHeader();
  auto with = [&base](auto change) {
    km::RawFileHeader h = base;
    change(h);
    return h;
  };
  EXPECT_TRUE(IsCompatibleHeader(base, with([](auto& h) { h.ScanUsage = 4; })));
  EXPECT_FALSE(IsCompatibleHeader(with([](auto& h) { h.ScanUsage = 3; }), with([](auto& h) { h.ScanUsage = 4; })));
  EXPECT_TRUE(IsCompatibleHeader(base, with([](auto& h) { h.PsdMode = 2; })));
  auto psd = [](km::RawFileHeader h) {
    h.DetectorType = 3;
    return h;
  };
  EXPECT_FALSE(IsCompatibleHeader(psd(base), psd(with([](auto& h) { h.PsdOmegaMode = 1; }))));
  EXPECT_FALSE(IsCompatibleHeader(base, with([](auto& h) { h.ScanType = 2; })));
  EXPECT_FALSE(IsCompatibleHeader(base, with([](auto& h) { h.DiffractometerType = 3; })));
}

}  // namespace
}  // namespace keltor::testing
