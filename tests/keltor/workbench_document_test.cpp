// The open file, its working copy and the file commands, driven through a scripted user interface.
#include <fstream>

#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using km::testing::ReadBytes;

class DocumentTest : public WorkbenchFixture {
 protected:
  // A change as the data operations make it: range n read, every value doubled, written back.
  bool DoubleRange(int n) {
    auto [r, data] = WorkbenchRange(n);
    for (float& v : data) v *= 2;
    r.MinIntensity *= 2;
    r.MaxIntensity *= 2;
    if (!wb_.File.SaveWorkbenchRange(ui_, n, r, std::span<const float>(data).first(r.PointCount))) return false;
    wb_.File.IsModified = true;
    wb_.File.SetRangeModified(n);
    return true;
  }
  // A change of the file header only, as the title dialog makes it.
  void Retitle(const char* title) {
    km::SetFieldText(wb_.File.WorkingFile.Header.Title, title);
    km::RawRangeHeader unused;
    ASSERT_TRUE(wb_.File.SaveWorkbenchRange(ui_, -1, unused, {}));
    wb_.File.IsModified = true;
  }
  float FirstValue(int n) { return WorkbenchRange(n).second[0]; }
};

TEST_F(DocumentTest, FileBeingMeasuredIsRefusedAndFileWithoutDataStaysOpenWithoutRanges) {
  const std::string measuring = WriteFile("m.raw", 2);
  {
    std::fstream f(measuring, std::ios::in | std::ios::out | std::ios::binary);
    const int16_t inMeasurement = 3;
    f.seekp(380);
    f.write(reinterpret_cast<const char*>(&inMeasurement), 2);
  }
  Open(measuring);
  EXPECT_TRUE(wb_.File.DocumentPath.empty() && wb_.State.RecentFiles.empty());
  // A file without data stays open, listed, without ranges.
  const std::string empty = WriteFile("e.raw", 0);
  Open(empty);
  EXPECT_EQ(wb_.File.DocumentPath, empty);
  EXPECT_EQ(wb_.State.ListLines.back(), " Number of ranges : 0, measured 0");
}

TEST_F(DocumentTest, WorkingCopyIsMadeOnFirstChangeReusedAndDeletedOnExit) {
  const std::string a = WriteFile("a.raw", 3);
  const auto original = ReadBytes(a);
  Open(a);
  EXPECT_EQ(TempFiles("RAW"), 0);

  ASSERT_TRUE(DoubleRange(2));
  const std::string copy = wb_.File.WorkingCopyPath;
  EXPECT_EQ(TempFiles("RAW"), 1);
  EXPECT_EQ(WorkbenchRange(2).first.RangeFlags & km::kFlagRewrittenByWorkbench, km::kFlagRewrittenByWorkbench);

  ASSERT_TRUE(DoubleRange(2));
  EXPECT_EQ(wb_.File.WorkingCopyPath, copy);
  EXPECT_EQ(FirstValue(2), 400.0f);
  EXPECT_TRUE(ReadBytes(a) == original);

  wb_.OnExit();
  EXPECT_EQ(TempFiles("RAW"), 0);
  EXPECT_TRUE(wb_.State.RecentFiles.empty());
}

// Save As of a title change from a version 5 file: the copy keeps what its ranges hold in the old
// layout, and the workbench goes on with the opened file.
TEST_F(DocumentTest, SaveAsOfAnOlderFileKeepsWhatItsRangesHoldAndGoesOnWithTheOpenedFile) {
  const std::string old = WriteFile("old.raw", MeasuredHeader(), {Ramp(20)});
  {
    std::fstream f(old, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(7);
    f.put('5');
    const float positions[2] = {1.5f, 2.5f};
    f.seekp(3 * 512 + 76);
    f.write(reinterpret_cast<const char*>(positions), sizeof positions);
  }
  Open(old);
  Retitle("renamed");
  ui_.saveAnswers.push_back(PathOf("new.raw"));
  wb_.OnFileSaveAs();
  EXPECT_EQ(wb_.File.DocumentPath, old);
  EXPECT_FALSE(wb_.File.IsModified);
  EXPECT_TRUE(ui_.sink.Empty());

  km::RawFileContext saved;
  saved.Path = PathOf("new.raw");
  km::RawRangeHeader r;
  std::vector<float> data(km::kWorkbenchMaxPoints);
  ASSERT_TRUE(km::ReadRawRange(ui_, saved, 1, r, data));
  EXPECT_EQ(km::FieldText(saved.Header.Title), "renamed");
  EXPECT_EQ(std::pair(r.SamplePosition1, r.SamplePosition2), std::pair(1.5f, 2.5f));
  EXPECT_EQ(data[19], 119.0f);
}

TEST_F(DocumentTest, FailedSaveLeavesTargetAsItWasAndKeepsTheChanges) {
  const std::string a = WriteFile("a.raw", MeasuredHeader(), {Ramp(4000), Ramp(4000, 90.0f)});
  const std::string target = WriteFile("target.raw", 1, "precious");
  const auto before = ReadBytes(target);
  Open(a);
  ASSERT_TRUE(DoubleRange(1));

  wb_.File.SaveAsPath = target;
  WithFileSizeLimit(6000, [&] { EXPECT_FALSE(wb_.File.CommitSave(ui_)); });
  EXPECT_EQ(ui_.sink.LastText(), "Raw file cannot be created.\n\n" + target);
  EXPECT_TRUE(ReadBytes(target) == before);
  EXPECT_TRUE(wb_.File.IsModified);
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << "half-written copy left beside the target";
  }

  // With room again the save goes through.
  EXPECT_TRUE(wb_.File.CommitSave(ui_));
  EXPECT_EQ(RangesOf(target).at(0).first, 200.0f);
}

TEST_F(DocumentTest, RewriteThatRunsOutOfRoomLeavesWorkingCopyAsItWas) {
  // Doubling counts of 20000 needs 32-bit counts, so the rewritten copy grows beyond the limit.
  Open(WriteFile("a.raw", MeasuredHeader(), {Ramp(2000, 10.0f, 0.02f, 20000.0f), Ramp(2000, 60.0f, 0.02f, 20000.0f)}));
  ASSERT_TRUE(DoubleRange(2));
  const auto copyBefore = ReadBytes(wb_.File.WorkingCopyPath);
  const auto headerBefore = wb_.File.WorkingFile.Header;
  WithFileSizeLimit(copyBefore.size() + 2048, [&] { EXPECT_FALSE(DoubleRange(1)); });
  EXPECT_FALSE(ui_.sink.Empty());
  EXPECT_TRUE(ReadBytes(wb_.File.WorkingCopyPath) == copyBefore);
  EXPECT_EQ(std::memcmp(&headerBefore, &wb_.File.WorkingFile.Header, sizeof headerBefore), 0);
  EXPECT_EQ(TempFiles("SCR"), 0);
}

TEST_F(DocumentTest, SaveQuestionYesInOpenSavesAndStopsInRecentFileSavesAndOpens) {
  const std::string a = WriteFile("a.raw", 1);
  const std::string b = WriteFile("b.raw", 1);
  Open(b);
  Open(a);
  ASSERT_TRUE(DoubleRange(1));

  ui_.sink.Answer({true});
  ui_.saveAnswers.push_back(PathOf("a2.raw"));
  ui_.openAnswers.push_back(OpenFileChoice{b, 1});
  wb_.OnFileOpen();
  EXPECT_EQ(wb_.File.DocumentPath, a);
  EXPECT_EQ(ui_.openAnswers.size(), 1u);  // the open dialog never came
  EXPECT_TRUE(std::filesystem::exists(PathOf("a2.raw")));

  ASSERT_TRUE(DoubleRange(1));
  ui_.sink.Answer({true});
  ui_.saveAnswers.push_back(PathOf("a3.raw"));
  wb_.OnOpenRecentFile(cmd::RecentFileFirst + 1);
  EXPECT_EQ(std::pair(std::filesystem::exists(PathOf("a3.raw")), wb_.File.DocumentPath), std::pair(true, b));
}

TEST_F(DocumentTest, NoToTheSaveQuestionDropsTheChangesForGood) {
  Open(WriteFile("a.raw", 2));
  ASSERT_TRUE(DoubleRange(1));
  ui_.sink.Answer({false});
  wb_.OnFileOpen();  // open dialog cancelled
  EXPECT_FALSE(wb_.File.IsModified);
  EXPECT_EQ(TempFiles("RAW"), 0);
  EXPECT_EQ(observer_.dataChanged, 1);
  // The next change starts from the file as it is on disk, not from the dropped change.
  ASSERT_TRUE(DoubleRange(2));
  EXPECT_EQ(std::pair(FirstValue(1), FirstValue(2)), std::pair(100.0f, 200.0f));
}

TEST_F(DocumentTest, RecentFilesHoldEightNewestFirstWhateverTheLetterCase) {
  for (int i = 1; i <= 9; ++i) wb_.AddRecentFile("/data/f" + std::to_string(i) + ".raw", false);
  ASSERT_EQ(wb_.State.RecentFiles.size(), 8u);
  wb_.AddRecentFile("/DATA/F5.RAW", false);
  EXPECT_EQ(wb_.State.RecentFiles.front(), "/DATA/F5.RAW");
  EXPECT_EQ(wb_.State.RecentFiles.back(), "/data/f2.raw");  // the old entry went, not the oldest
  wb_.AddRecentFile("/data/F9.raw", true);
  EXPECT_EQ(wb_.State.RecentFiles.size(), 7u);
  EXPECT_EQ(wb_.State.RecentFiles[1], "/data/f8.raw");
}

}  // namespace
}  // namespace keltor::testing
