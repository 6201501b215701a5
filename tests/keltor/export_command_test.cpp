// File > Export driven through a scripted user interface: the dialog's OK rules, the remembered
// settings and the file written.
#include <fstream>

#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

std::string ReadText(const std::string& path) {
  const auto bytes = km::testing::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

class ExportTest : public WorkbenchFixture {
 protected:
  // The user presses OK up to `presses` times with the values edit() makes, then gives up.
  void PressOk(std::function<void(ExportDialogValues&)> edit = {}, int presses = 1) {
    ui_.exportDialog = [this, edit, presses](const ExportDialogRequest& request) -> std::optional<ExportDialogValues> {
      ExportDialogValues values = request.Values;
      shown_.push_back(values);
      if (edit) edit(values);
      for (int i = 0; i < presses; ++i) {
        const auto outcome = request.Accept(values);
        if (outcome == ExportDialogOutcome::Accept) return values;
        if (outcome == ExportDialogOutcome::Cancel) return std::nullopt;
      }
      return std::nullopt;
    };
  }
  std::vector<ExportDialogValues> shown_;
};

TEST_F(ExportTest, OneRangeExportsWithoutTheRangeDialogBesideTheRawFileAndRemembersTheChoices) {
  Open(WriteFile("SAMPLE.RAW", 1));
  PressOk([](ExportDialogValues& v) { v.ChangeFormat(static_cast<int>(ExportFormat::Gsas)); });
  ASSERT_TRUE(wb_.OnExport()) << ui_.sink.LastText();
  const std::string target = PathOf("SAMPLE.gsa");
  EXPECT_EQ(shown_.at(0).FileName, PathOf("SAMPLE.xyd"));
  EXPECT_NE(ReadText(target).find("BANK 1    20     2 CONST 1000    2 0  0  STD"), std::string::npos);

  // The next export starts from the last choices; a newly opened file empties the name.
  PressOk();
  ui_.sink.Answer({true});
  ASSERT_TRUE(wb_.OnExport());
  EXPECT_EQ(std::pair(shown_.at(1).Format, shown_.at(1).FileName), std::pair(1, target));
  Open(WriteFile("OTHER.RAW", 1));
  EXPECT_TRUE(wb_.State.Export.FileName.empty());
}

TEST_F(ExportTest, SeveralRangesAskForExactlyOne) {
  Open(WriteFile("two.raw", 2));
  // Cancel in the range dialog, then OK with nothing selected: the export dialog closes, nothing written.
  for (auto answer : {std::optional<RangeSelection>{}, std::optional<RangeSelection>{ScriptedUi::Selected({})}}) {
    ui_.rangeAnswers = {answer};
    PressOk();
    EXPECT_FALSE(wb_.OnExport());
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("two.xyd")));
  // Two ranges: the warning, the dialog stays open; then range 2 alone is written.
  ui_.rangeAnswers = {ScriptedUi::Selected({1, 2}), ScriptedUi::Selected({2})};
  PressOk({}, 2);
  ASSERT_TRUE(wb_.OnExport());
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{"Please select only one range."});
  EXPECT_EQ(ReadText(PathOf("two.xyd")).substr(0, 20), "   30.000      100\r\n");
}

TEST_F(ExportTest, AnExistingFileIsReplacedOnlyOnYesAndNeverTheRawFile) {
  const std::string raw = WriteFile("keep.raw", 1);
  Open(raw);
  const std::string target = PathOf("keep.xyd");
  std::ofstream(target) << "old";
  PressOk();
  EXPECT_FALSE(wb_.OnExport());
  EXPECT_TRUE(ui_.sink.Last().defaultNo);
  EXPECT_EQ(ReadText(target), "old");

  const auto rawBytes = km::testing::ReadBytes(raw);
  ui_.sink.Answer({true});
  PressOk([&](ExportDialogValues& v) { v.FileName = raw; });
  EXPECT_FALSE(wb_.OnExport());
  EXPECT_EQ(ui_.sink.LastText(), "The export cannot replace the raw data file it reads:\n\n" + raw);
  EXPECT_EQ(km::testing::ReadBytes(raw), rawBytes);
}

TEST_F(ExportTest, ARefusedRangeWritesNothingAndKeepsTheChoices) {
  auto range = Ramp(12);
  range.header.TimePerStep = 0;
  Open(WriteFile("notime.raw", MeasuredHeader(), {range}));

  PressOk([](ExportDialogValues& v) { v.ClickCountsPerSecond(true); });
  EXPECT_FALSE(wb_.OnExport());
  EXPECT_FALSE(std::filesystem::exists(PathOf("notime.xyd")));
  EXPECT_TRUE(wb_.State.Export.CountsPerSecond) << "the choices are kept";
}


}  // namespace
}  // namespace keltor::testing
