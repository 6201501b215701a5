// The Ranges menu's editing commands on the open file, driven through a scripted user interface:
// what they ask, the exact messages, the working copy and the notifications.
#include <algorithm>

#include "keltor/core/operations/range_selection.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using km::MessageIcon;
using km::testing::ReadBytes;

class RangeCommandsTest : public WorkbenchFixture {
 protected:
  // Truncate pressed on range n in the selection dialog, begin .. end typed, then OK.
  bool Truncate(int n, float begin, float end) {
    ui_.truncateClicks.push_back({n});
    ui_.angularAnswers.push_back(AngularRange{begin, end});
    ui_.rangeAnswers.push_back(ScriptedUi::Selected({n}));
    return wb_.OnRangesTruncate();
  }
};

TEST_F(RangeCommandsTest, TruncateWritesTheWorkingCopyAtOnceAndLeavesTheOtherRangesByteForByte) {
  const std::string path = WriteFile("probe.raw", MeasuredHeader(), {Ramp(300, 10.0f), Ramp(400, 20.0f), Ramp(500, 30.0f)});
  const auto original = ReadBytes(path);
  km::RawFileHeader header;
  ASSERT_TRUE(km::ReadRawHeader(ui_, path, header));
  Open(path);
  const int listChanges = observer_.dataChanged;
  ASSERT_TRUE(Truncate(1, 12.0f, 14.0f));  // 300 points become 101: fewer blocks
  EXPECT_TRUE(wb_.File.IsModified && wb_.File.IsRangeModified(1) && !wb_.File.IsRangeModified(2));
  EXPECT_EQ(observer_.dataChanged, listChanges + 1);
  EXPECT_EQ(ReadBytes(path), original);
  const auto copy = ReadBytes(wb_.File.WorkingCopyPath);
  const km::RawFileHeader& now = wb_.File.WorkingFile.Header;
  for (int n : {2, 3}) {
    const size_t size = static_cast<size_t>(header.DataBlocksOf(n) + 1) * km::kBlockSize;
    const auto from = original.begin() + (header.RangeBlock[n] - 1) * km::kBlockSize;
    const auto to = copy.begin() + (now.RangeBlock[n] - 1) * km::kBlockSize;
    EXPECT_TRUE(std::equal(from, from + static_cast<long>(size), to)) << n;
  }
  EXPECT_EQ(copy.size(), static_cast<size_t>(now.LastBlock) * km::kBlockSize);
  EXPECT_EQ(int{now.TotalPointCount}, 101 + 400 + 500);  // copied: the field is unaligned
}

TEST_F(RangeCommandsTest, SelectionAndAngularChecksSayWhatTheDialogsSay) {
  km::testing::RecordingSink sink;
  const int two[] = {1, 2}, three[] = {1, 2, 3};
  for (RangeSelectMode mode : {RangeSelectMode::Combine, RangeSelectMode::Delete}) {
    EXPECT_FALSE(CheckRangeSelection(sink, mode, three, 3));
    EXPECT_TRUE(CheckRangeSelection(sink, mode, two, 3));
  }
  EXPECT_FALSE(CheckAddTarget(sink, 4, 3));
  AngularRangeRequest request = MakeAngularRangeRequest(1, Ramp(20, 10.0f, 0.02f).header, false);
  EXPECT_FALSE(CheckAngularRange(sink, request, 9.9f, 10.2f));
  EXPECT_FALSE(CheckAngularRange(sink, request, 10.2f, 10.1f));
  EXPECT_TRUE(CheckAngularRange(sink, request, 10.1f, 10.2f));
  EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"Please select exactly 2 ranges to combine.",
                                                    "You cannot delete all ranges.",
                                                    "Invalid Data\nAllowed Range = 1 to 3",
                                                    "Invalid Data\nAllowed Range = 10 to 10.36",
                                                    "2Theta (begin) must be less than end."}));
}

TEST_F(RangeCommandsTest, DeleteClosesUpTheRangesAndMovesTheMarks) {
  Open(WriteFile("probe.raw", 3));
  ASSERT_TRUE(Truncate(3, 50.0f, 50.2f));
  ui_.rangeAnswers.push_back(ScriptedUi::Selected({2}));
  ASSERT_TRUE(wb_.OnRangesDelete());
  EXPECT_EQ(RangesOf(wb_.File.WorkingCopyPath), (std::vector<std::pair<float, int>>{{100, 20}, {100, 11}}));
  EXPECT_TRUE(wb_.File.IsRangeModified(2) && !wb_.File.IsRangeModified(3));
}

TEST_F(RangeCommandsTest, DeleteOnAFullDiskKeepsEveryRange) {
  Open(WriteFile("probe.raw", 3));
  km::RawRangeHeader unused;
  ASSERT_TRUE(wb_.File.SaveWorkbenchRange(ui_, -1, unused, {}));
  const auto before = ReadBytes(wb_.File.WorkingCopyPath);
  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1}));
  WithFileSizeLimit(1024, [&] { EXPECT_FALSE(wb_.OnRangesDelete()); });
  EXPECT_EQ(ui_.sink.Last().icon, MessageIcon::Stop);
  EXPECT_EQ(ReadBytes(wb_.File.WorkingCopyPath), before);
  EXPECT_EQ(wb_.File.WorkingFile.Header.MeasuredRangeCount, 3);
}

TEST_F(RangeCommandsTest, ExtractNamesFilesAfterTheDocumentAndAsksBeforeOverwriting) {
  Open(WriteFile("probe.raw", 3));
  // A change first: the working copy's temporary name must not leak into the proposal.
  ASSERT_TRUE(Truncate(1, 10.0f, 10.2f));

  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1, 3}));
  ui_.extractAnswers.push_back(PathOf("probe.ra#"));
  EXPECT_TRUE(wb_.OnRangesExtract());
  EXPECT_EQ(ui_.extractRequests.back().ProposedName, PathOf("probe.ra#"));
  EXPECT_EQ(RangesOf(PathOf("probe.ra1")), (std::vector<std::pair<float, int>>{{100, 11}}));
  EXPECT_EQ(RangesOf(PathOf("probe.ra3")), (std::vector<std::pair<float, int>>{{100, 22}}));
  EXPECT_FALSE(std::filesystem::exists(PathOf("probe.ra2")));

  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1, 2, 3}));
  ui_.extractAnswers.push_back("probe");  // no directory, no extension: beside the document, ".raw"
  EXPECT_FALSE(wb_.OnRangesExtract());
  EXPECT_EQ(ui_.sink.LastText(), "Overwrite existing file(s) ?\n\n" + PathOf("probe.ra1") + "\n" + PathOf("probe.ra3"));
}

TEST_F(RangeCommandsTest, ExtractNeverWritesOverTheOpenFile) {
  const std::string path = WriteFile("probe.ra1", 2);
  const auto before = ReadBytes(path);
  Open(path);
  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1}));
  ui_.extractAnswers.push_back(PathOf("probe.ra#"));
  ui_.sink.Answer({true});
  EXPECT_FALSE(wb_.OnRangesExtract());
  EXPECT_EQ(ui_.sink.Last().icon, MessageIcon::Stop);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(RangeCommandsTest, AddRangesRemembersTheTargetAndSkipsItInTheSelection) {
  Open(WriteFile("probe.raw", MeasuredHeader(), {Ramp(60, 10.0f), Ramp(60, 10.2f), Ramp(60, 10.4f)}));
  ui_.rangeAnswers.push_back(ScriptedUi::Selected({2}, 2));  // only the target itself
  EXPECT_FALSE(wb_.OnRangesAdd());
  EXPECT_EQ(wb_.LastAddTarget, 2);

  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1, 2, 3}, 2));
  EXPECT_TRUE(wb_.OnRangesAdd());
  EXPECT_EQ(ui_.rangeRequests.back().TargetRange, 2);
  // Common region 10.4 .. 11.18: target points 10 .. 48 plus range 1's 20 .. 58 and range 3's 0 .. 38.
  const auto [r, data] = WorkbenchRange(2);
  EXPECT_EQ(data[0], 110.0f + 120.0f + 100.0f);
  EXPECT_EQ(r.TimePerStep, 3.0f);
}

}  // namespace
}  // namespace keltor::testing
