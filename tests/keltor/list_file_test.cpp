// The list file, line by line, for headers that take every branch; writing and printing it.
#include <algorithm>

#include "common/core/file_access.h"
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
  // The list from its line `first` on.
  Lines ListFrom(const std::string& path, bool fullFile, size_t first) {
    const Lines& lines = ListOf(path, fullFile);
    return lines.size() < first ? Lines{} : Lines(lines.begin() + static_cast<long>(first), lines.end());
  }
  bool Has(const std::string& line) const {
    const Lines& lines = wb_.State.ListLines;
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

TEST_F(ListFileTest, PlainScanInFullFileModeEndsWithAShortLine) {
  const std::string path = WriteFile("quartz.raw", MeasuredHeader(), {Ramp(25)});
  const Lines expected{
      " ",
      " File     : " + path,
      " Created  : 05-Nov-98 09:00 by DIFMES  ( RAW_1.06 )",
      " ",
      " Title    : Quartz",
      " ",
      " Diffract. : Bragg-Brentano        Monochrom. : Curved Graphite (002)",
      " Radiation : 1.54056 Cu            Generator  : 40 kV, 30 mA",
      " Detector  : Scintillation Counter",
      " Scan Mode : Reflection            Scan Type  : 2Theta:Omega",
      " Scan Usage: Single Sample",
      " ",
      " Number of ranges : 1, measured 1",
      " ",
      " Range 1      2Theta ( begin, end, step ) :   10.000   10.480    0.020",
      "              Omega  ( begin, end, step ) :    5.000    5.240    0.010",
      " ",
      "              Time / Step      : 1.0 sec",
      "              Data collection  : 05-Nov-98 09:00 .. 05-Nov-98 09:30",
      " ",
      "              Number of points : 25         Min. and max. intensity : 100, 124",
      " ",
      "   2Theta                       Intensities",
      " ",
      "   10.000    100    101    102    103    104    105    106    107    108    109",
      "   10.200    110    111    112    113    114    115    116    117    118    119",
      "   10.400    120    121    122    123    124",
  };
  EXPECT_EQ(ListOf(path, true), expected);
  EXPECT_TRUE(ui_.sink.Empty());
}

TEST_F(ListFileTest, WithoutInstrumentInfoOnlyRadiationAnglesAndPointsAreListed) {
  km::RawFileHeader h = MeasuredHeader();
  h.InstrumentInfoValid = 0;
  TestRange range = Ramp(20);
  range.header.DivergenceSlit = 1;
  range.header.BackgroundPointCount = 1;
  const Lines expected{
      " Radiation : 1.54056 Cu",
      " ",
      " Range 1      2Theta ( begin, end, step ) :   10.000   10.380    0.020",
      "              Omega  ( begin, end, step ) :    5.000    5.190    0.010",
      " ",
      "              Number of points : 20         Min. and max. intensity : 100, 119",
  };
  EXPECT_EQ(ListFrom(WriteFile("plain.raw", h, {range}), false, 7), expected);
}

TEST_F(ListFileTest, EveryConditionOfATemperatureSeriesWithScaledCountsAndFineAngles) {
  km::RawFileHeader h = MeasuredHeader();
  h.AngleResolution = 10000;
  km::SetFieldText(h.Comment, "First line\r\nSecond line");
  km::SetFieldText(h.ModificationTime, "06-Nov-98 10:15");
  km::SetFieldText(h.ModifierProgram, "KELTOR");
  h.Monochromator = 102;
  h.DetectorType = 2;
  h.PsdMode = 1;
  h.PsdOmegaMode = 2;
  h.ScanUsage = 4;
  h.RelatedFirstNumber = 7;
  h.RelatedFileCount = 12;
  TestRange range{Ramp(3).header, {12.3f, 45.6f, 7.8f}};
  km::RawRangeHeader& r = range.header;
  r.ScaleFactor = 10;
  r.Temperature = 125;
  r.TemperatureDeviation = 0.5f;
  r.PrimaryBeamIntensity = 12345.6f;
  r.PrimaryBeamDeviation = 12.5f;
  r.DivergenceSlit = 0.5f;
  r.DivergenceSlitEnd = 1;
  r.SampleArea = 12.5f;
  r.ReceivingSlit = 0.1f;
  r.TimePerStep = 2.5f;
  r.BackgroundPointCount = 2;
  r.BackgroundFactor = 10;
  r.BackgroundSmooth = 1.5f;
  r.BackgroundPointIndex[0] = 1;
  r.BackgroundPointIndex[1] = 3;
  r.BackgroundIntensity[0] = 1000;
  r.BackgroundIntensity[1] = 505;
  const Lines expected{
      " Modified : 06-Nov-98 10:15 by KELTOR",
      " ",
      " Title    : Quartz",
      " ",
      " Comment : First line ",
      "           Second line",
      " ",
      " Diffract. : Bragg-Brentano        Monochrom. : Curved Germanium (111)",
      " Radiation : 1.54056 Cu            Generator  : 40 kV, 30 mA",
      " Detector  : Curved PSD            PSD Mode   : Stationary / Moving Omega",
      " Scan Mode : Reflection            Scan Type  : 2Theta:Omega",
      " Scan Usage: Temperature",
      " ",
      " Number of ranges : 1, measured 1",
      " ",
      " Related Files : heat.007 .. 018",
      " ",
      " Range 1      2Theta ( begin, end, step ) :  10.0000  10.0400   0.0200",
      "              Omega  ( begin, end, step ) :   5.0000   5.0200   0.0100",
      " ",
      "              Temperature      : 125.0 +/- 0.5",
      "              Primary beam int.: 12345.6 +/- 12.5",
      "              Divergence slit  : 0.500, 1.000    Sample Area = 12.50 ",
      "              Receiving  slit  : 0.100   ",
      "              Time / Step      : 2.5 sec",
      "              Data collection  : 05-Nov-98 09:00 .. 05-Nov-98 09:30",
      " ",
      "              Background Points : 2    Factor =    10   Smooth = 1.5         ",
      " ",
      "                 10.000    100.0",
      "                 10.040     50.5",
      " ",
      "              Number of points : 3          Min. and max. intensity : 7.8, 45.6",
      " ",
      "   2Theta                       Intensities",
      " ",
      "  10.0000     12.3     45.6      7.8",
  };
  EXPECT_EQ(ListFrom(WriteFile("heat.005", h, {range}), true, 3), expected);
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
  const Lines expected{
      " Diffract. : unknown (9)           Monochrom. : unknown (-3)",
      " Radiation : 1.54056 unknown (12)  Generator  : 40 kV, 30 mA",
      " Detector  : unknown (7)           PSD Mode   :  / unknown (5) Omega",
      " Scan Mode : unknown (8)           Scan Type  : unknown (9)",
      " Scan Usage: Multiple Samples",
      " ",
      " Number of ranges : 1, measured 1",
      " ",
      " Sample number 3 of 10",
  };
  Lines lines = ListFrom(WriteFile("odd.raw", h, {Ramp(5)}), false, 6);
  lines.resize(expected.size());
  EXPECT_EQ(lines, expected);
}

TEST_F(ListFileTest, OmegaScansListPositionsOnTheOmegaScaleAndFullFileTogglesTheData) {
  km::RawFileHeader h = MeasuredHeader();
  h.ScanType = 2;
  h.ScanUsage = 3;
  TestRange range = Ramp(12);
  km::RawRangeHeader& r = range.header;
  r.SamplePositionCount = 2;
  r.SamplePosition1 = 1.5f;
  r.SamplePosition2 = -2.25f;
  r.BackgroundPointCount = 1;
  r.BackgroundPointIndex[0] = 2;
  r.BackgroundIntensity[0] = 80;
  const size_t headerOnly = ListOf(WriteFile("omega.raw", h, {range}), false).size();
  EXPECT_TRUE(Has("              Sample position  : 1.500, -2.250"));
  EXPECT_TRUE(Has("                  5.010     80.0"));

  wb_.OnViewFullFile();
  EXPECT_EQ(wb_.State.ListLines.size(), headerOnly + 5);
  EXPECT_TRUE(Has("   Omega                       Intensities"));
  EXPECT_EQ(wb_.State.ListLines.back(), "    5.100    110    111");
}

TEST_F(ListFileTest, UnreadableRangeEndsTheListAfterTheLinesBuilt) {
  const std::string path = WriteFile("cut.raw", 2);
  std::filesystem::resize_file(path, std::filesystem::file_size(path) - 512);
  const Lines& lines = ListOf(path, false);
  EXPECT_EQ(ui_.sink.Texts(), Lines{"End of file reached: " + path});
  EXPECT_EQ(lines.back(), "              Number of points : 20         Min. and max. intensity : 100, 119");
}

TEST_F(ListFileTest, SavedAndPrintedListsAreWrittenWithCrLf) {
  const std::string path = WriteFile("a.raw", 1);
  ListOf(path, false);
  std::filesystem::create_directories(PathOf("lists"));
  ui_.saveAnswers.push_back(PathOf("lists/a.lst"));
  wb_.OnSaveListFile();
  EXPECT_EQ(ui_.saveRequests.at(0).ProposedName, PathOf("a.lst"));
  EXPECT_EQ(wb_.State.WorkDirectory, PathOf("lists"));
  std::string expected;
  for (const auto& line : wb_.State.ListLines) expected += line + "\r\n";
  EXPECT_EQ(km::ReadWholeFile(PathOf("lists/a.lst"), 1 << 20).value_or(""), expected);

  // Printing a list not saved since the file was opened writes KELTOR.LST into the work directory.
  wb_.State.ListFilePath.clear();
  wb_.State.ProgramDirectory = PathOf("suite");
  EXPECT_FALSE(wb_.OnPrintListFile());
  const std::string printed = PathOf("lists/KELTOR.LST");
  EXPECT_TRUE(std::filesystem::exists(printed));
  EXPECT_EQ(ui_.sink.LastText(), "Process cannot be executed\n\n" + PathOf("suite/PROGRAMS/PRONTA.EXE") + " /p " + printed);

  EXPECT_FALSE(wb_.WriteListFile(PathOf("missing/x.lst")));
  EXPECT_EQ(ui_.sink.LastText(), "File cannot be opened: " + PathOf("missing/x.lst"));
  EXPECT_EQ(ProposedListFileName("/data.v1/sample"), "/data.v1/sample.lst");
}

}  // namespace
}  // namespace keltor::testing
