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
  int CountOf(int n) { return WorkbenchRange(n).first.PointCount; }
  std::vector<std::string> Texts() { return ui_.sink.Texts(); }
  // Truncate pressed on range n in the selection dialog, begin .. end typed, then OK.
  bool Truncate(int n, float begin, float end) {
    ui_.truncateClicks.push_back({n});
    ui_.angularAnswers.push_back(AngularRange{begin, end});
    ui_.rangeAnswers.push_back(ScriptedUi::Selected({n}));
    return wb_.OnRangesTruncate();
  }
};

TEST_F(RangeCommandsTest, TruncateInsideTheSelectionDialogWritesAtOnceAndTheWindowsFollow) {
  const std::string path = WriteFile("probe.raw", 3);
  const auto before = ReadBytes(path);
  Open(path);
  const int listChanges = observer_.dataChanged;
  EXPECT_TRUE(Truncate(2, 30.048f, 30.2f));  // range 2: 21 points from 30, step 0.02

  ASSERT_EQ(ui_.rangeRequests.size(), 1u);
  EXPECT_EQ(ui_.rangeRequests[0].AxisName, "2Theta");
  EXPECT_EQ(ui_.rangeRequests[0].Lines[1], "  2      30.000   30.400    0.020       21");
  EXPECT_EQ(ui_.angularRequests.at(0).RangeNumber, 2);
  EXPECT_EQ(CountOf(2), 9);  // 2.4 steps move the begin by 2: 30.04 .. 30.2
  EXPECT_TRUE(wb_.File.IsModified && wb_.File.IsRangeModified(2) && !wb_.File.IsRangeModified(1));
  EXPECT_EQ(observer_.dataChanged, listChanges + 1);
  EXPECT_TRUE(std::ranges::any_of(wb_.State.ListLines,
                                  [](const std::string& l) { return l.find("30.040   30.200") != std::string::npos; }));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(RangeCommandsTest, AChangedRangeLeavesTheOthersByteForByte) {
  const std::string path = WriteFile("probe.raw", MeasuredHeader(), {Ramp(300, 10.0f), Ramp(400, 20.0f), Ramp(500, 30.0f)});
  const auto original = ReadBytes(path);
  km::RawFileHeader header;
  ASSERT_TRUE(km::ReadRawHeader(ui_, path, header));
  Open(path);
  ASSERT_TRUE(Truncate(1, 12.0f, 14.0f));  // 300 points become 101: fewer blocks
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
  EXPECT_EQ(RangesOf(wb_.File.WorkingCopyPath),
            (std::vector<std::pair<float, int>>{{200, 101}, {100, 400}, {100, 500}}));
  EXPECT_EQ(TempFiles("RAW"), 1);
}

TEST_F(RangeCommandsTest, TruncateCancelledOrUnchangedLeavesNoWorkingCopy) {
  Open(WriteFile("one.raw", 1));
  EXPECT_FALSE(wb_.OnRangesTruncate());  // the angular range dialog cancelled
  ui_.angularAnswers.push_back(AngularRange{10.0f, 10.38f});  // the old limits
  EXPECT_FALSE(wb_.OnRangesTruncate());
  EXPECT_TRUE(wb_.File.WorkingCopyPath.empty());
  EXPECT_FALSE(wb_.File.IsModified);
  EXPECT_EQ(observer_.dataChanged, 0);
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
  EXPECT_EQ(RangeSelectTitle(RangeSelectMode::Export), " Select Raw Data Ranges");
}

TEST_F(RangeCommandsTest, DeleteClosesUpTheRangesAndMovesTheMarks) {
  Open(WriteFile("probe.raw", 3));
  ASSERT_TRUE(Truncate(3, 50.0f, 50.2f));
  ui_.rangeAnswers.push_back(ScriptedUi::Selected({2}));
  ASSERT_TRUE(wb_.OnRangesDelete());
  EXPECT_EQ(wb_.File.WorkingFile.MeasuredRanges, 2);
  EXPECT_EQ(int{wb_.File.WorkingFile.Header.TotalPointCount}, 20 + 11);
  EXPECT_EQ(RangesOf(wb_.File.WorkingCopyPath), (std::vector<std::pair<float, int>>{{100, 20}, {100, 11}}));
  EXPECT_TRUE(wb_.File.IsRangeModified(2) && !wb_.File.IsRangeModified(3));

  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1, 2}));  // every range: refused
  EXPECT_FALSE(wb_.OnRangesDelete());
  EXPECT_EQ(ui_.sink.LastText(), "You cannot delete all ranges.");
  EXPECT_EQ(wb_.File.WorkingFile.MeasuredRanges, 2);
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
  EXPECT_FALSE(std::filesystem::exists(PathOf("probe.ra2")));

  ui_.rangeAnswers.push_back(ScriptedUi::Selected({2}));
  ui_.extractAnswers.push_back("");  // an empty name: as cancelled
  EXPECT_FALSE(wb_.OnRangesExtract());
  EXPECT_TRUE(wb_.File.IsModified);
  EXPECT_EQ(wb_.File.WorkingFile.MeasuredRanges, 3);
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

TEST_F(RangeCommandsTest, CombineAsksAboutAGapAndNoChangesNothing) {
  // Range 1: 10 .. 10.38; range 2: 30 .. 30.4, both step 0.02.
  Open(WriteFile("probe.raw", 2));
  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1, 2}));
  EXPECT_FALSE(wb_.OnRangesCombine());
  EXPECT_EQ(Texts(), std::vector<std::string>{"Ranges do not overlap, combine them anyhow ?"});
  EXPECT_TRUE(wb_.File.WorkingCopyPath.empty());

  ui_.rangeAnswers.push_back(ScriptedUi::Selected({1, 2}));
  ui_.sink.Answer({true});
  EXPECT_TRUE(wb_.OnRangesCombine());
  EXPECT_EQ(CountOf(1), 1021);  // 10 .. 30.4
  EXPECT_EQ(CountOf(2), 21);    // B stays
  EXPECT_EQ(observer_.dataChanged, 1);
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
  EXPECT_EQ(r.PointCount, 40);
  EXPECT_FLOAT_EQ(r.TwoThetaBegin, 10.4f);
  EXPECT_EQ(data[0], 110.0f + 120.0f + 100.0f);
  EXPECT_EQ(r.TimePerStep, 3.0f);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Resulting range has 2Theta ( min, max ) = 10.400, 11.180"});
}

}  // namespace
}  // namespace keltor::testing
