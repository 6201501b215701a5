// The list file, line by line, for headers that take every branch; writing and printing it.
#include <algorithm>

#include "keltor/core/list_file.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using Lines = std::vector<std::string>;

class ListFileTest : public WorkbenchFixture {
 protected:
  const Lines& ListOf(const std::string& path, bool fullFile) {
    wb_.State.Settings.FullFile = fullFile ? 1 : 0;
    Open(path);
    return wb_.State.ListLines;
  }
  void ExpectLines(const Lines& expected) const {
    const Lines& lines = wb_.State.ListLines;
    for (const auto& line : expected) EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
};

// What is computed rather than copied: the version, the comment's lines, the series' names, fine
// angles, scaled counts and background intensities; the data appear with View > Full File.
TEST_F(ListFileTest, ATemperatureSeriesWithScaledCountsAndFineAngles) {
  km::RawFileHeader h = MeasuredHeader();
  h.AngleResolution = 10000;
  km::SetFieldText(h.Comment, "First line\r\nSecond line");
  h.ScanUsage = 4;
  h.RelatedFirstNumber = 7;
  h.RelatedFileCount = 12;
  TestRange range{Ramp(3).header, {12.3f, 45.6f, 7.8f}};
  km::RawRangeHeader& r = range.header;
  r.ScaleFactor = 10;
  r.DivergenceSlit = 0.5f;
  r.DivergenceSlitEnd = 1;
  r.SampleArea = 12.5f;
  r.BackgroundPointCount = 2;
  r.BackgroundFactor = 10;
  r.BackgroundPointIndex[0] = 1;
  r.BackgroundPointIndex[1] = 3;
  r.BackgroundIntensity[0] = 1000;
  r.BackgroundIntensity[1] = 505;
  const size_t headerOnly = ListOf(WriteFile("heat.005", h, {range}), false).size();
  ExpectLines({" Created  : 05-Nov-98 09:00 by DIFMES  ( RAW_1.06 )", " Comment : First line ", "           Second line",
               " Scan Usage: Temperature", " Related Files : heat.007 .. 018",
               " Range 1      2Theta ( begin, end, step ) :  10.0000  10.0400   0.0200",
               "              Divergence slit  : 0.500, 1.000    Sample Area = 12.50 ",
               "                 10.000    100.0", "                 10.040     50.5",
               "              Number of points : 3          Min. and max. intensity : 7.8, 45.6"});
  wb_.OnViewFullFile();
  EXPECT_EQ(wb_.State.ListLines.size(), headerOnly + 4);
  EXPECT_EQ(wb_.State.ListLines.back(), "  10.0000     12.3     45.6      7.8");
}

TEST_F(ListFileTest, ValuesOutsideTheirTablesAreShownWithTheirNumber) {
  km::RawFileHeader h = MeasuredHeader();
  h.DiffractometerType = 9;
  h.Monochromator = -3;
  h.Radiation = 12;
  h.DetectorType = 7;
  h.PsdOmegaMode = 5;
  h.ScanMode = 8;
  h.ScanType = 9;
  h.ScanUsage = 1;
  h.SampleNumber = 3;
  h.SampleCount = 10;
  ListOf(WriteFile("odd.raw", h, {Ramp(5)}), false);
  ExpectLines({" Diffract. : unknown (9)           Monochrom. : unknown (-3)",
               " Radiation : 1.54056 unknown (12)  Generator  : 40 kV, 30 mA",
               " Detector  : unknown (7)           PSD Mode   :  / unknown (5) Omega",
               " Scan Mode : unknown (8)           Scan Type  : unknown (9)", " Scan Usage: Multiple Samples",
               " Sample number 3 of 10"});
}

TEST_F(ListFileTest, UnreadableRangeEndsTheListAfterTheLinesBuilt) {
  const std::string path = WriteFile("cut.raw", 2);
  std::filesystem::resize_file(path, std::filesystem::file_size(path) - 512);
  const Lines& lines = ListOf(path, false);
  EXPECT_EQ(ui_.sink.Texts(), Lines{"End of file reached: " + path});
  EXPECT_EQ(lines.back(), "              Number of points : 20         Min. and max. intensity : 100, 119");
}

TEST_F(ListFileTest, SavingMovesTheWorkDirectoryWherePrintingWritesItsList) {
  const std::string path = WriteFile("a.raw", 1);
  ListOf(path, false);
  std::filesystem::create_directories(PathOf("lists"));
  ui_.saveAnswers.push_back(PathOf("lists/a.lst"));
  wb_.OnSaveListFile();
  EXPECT_EQ(ui_.saveRequests.at(0).ProposedName, PathOf("a.lst"));
  EXPECT_EQ(wb_.State.WorkDirectory, PathOf("lists"));

  // Printing a list not saved since the file was opened writes KELTOR.LST into the work directory.
  wb_.State.ListFilePath.clear();
  wb_.State.ProgramDirectory = PathOf("suite");
  EXPECT_FALSE(wb_.OnPrintListFile());
  const std::string printed = PathOf("lists/KELTOR.LST");
  EXPECT_TRUE(std::filesystem::exists(printed));
  EXPECT_EQ(ui_.sink.LastText(), "Process cannot be executed\n\n" + PathOf("suite/PROGRAMS/PRONTA.EXE") + " /p " + printed);

  EXPECT_FALSE(wb_.WriteListFile(PathOf("missing/x.lst")));
  EXPECT_EQ(ui_.sink.LastText(), "File cannot be opened: " + PathOf("missing/x.lst"));
}

}  // namespace
}  // namespace keltor::testing
