// The export writers byte for byte, the value preparation and the dialog's format rules.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"
#include "tests/support/raw_file_builder.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

using km::testing::MeasuredHeader;
using km::testing::Ramp;

// A range of n counts 100, 101, ... from 10 degrees in steps of 0.02, as the workbench reads it.
ExportRange MakeRange(int n) {
  km::testing::TestRange test = Ramp(n);
  km::testing::TakeExtremes(test);
  ExportRange range;
  range.File = MeasuredHeader("Quartz standard");
  range.Range = test.header;
  range.Range.DivergenceSlit = 1.0f;
  range.Values = test.counts;
  range.DocumentPath = "/data/SAMPLE.RAW";
  range.OutputPath = "/out/sample.pd3";
  range.Today = "98/11/05";
  return range;
}

// The lines of a text, each of which must end in CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; start < text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    if (end == std::string::npos) return ADD_FAILURE() << "line without CR LF at " << start, lines;
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST(ExportLayout, XyWritesAngleAndCountsPerLine) {
  ExportRange range = MakeRange(2);
  EXPECT_EQ(WriteXyExport(range), "   10.000      100\r\n   10.020      101\r\n");
  range.File.AngleResolution = 5000;
  range.CountsPerSecond = true;
  range.Values = {12.5f, 0.25f};
  EXPECT_EQ(WriteXyExport(range), "  10.0000   12.5000\r\n  10.0200    0.2500\r\n");
}

TEST(ExportLayout, GsasWith25PointsHasThreeRecordsTheLastFilledWithZerosAndTheTitleCutAt72) {
  ExportRange range = MakeRange(25);
  const auto lines = Lines(WriteGsasExport(range));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], std::string("Quartz standard") + std::string(65, ' '));
  EXPECT_EQ(lines[2].size(), 80u);
  EXPECT_EQ(lines[2].substr(0, 44), "BANK 1    25     3 CONST 1000    2 0  0  STD");
  EXPECT_EQ(lines[5], "     120     121     122     123     124       0       0       0       0       0");
  km::SetFieldText(range.File.Title, std::string(79, 'T'));
  EXPECT_EQ(Lines(WriteGsasExport(range))[0], std::string(72, 'T') + std::string(8, ' '));
}

TEST(ExportLayout, FullprofCsdAndXfitWriteTenValuesPerLineAndOnlyWhatRemains) {
  struct Case { const char* name; std::string (*writer)(const ExportRange&); int points;
                std::vector<std::string> expected; };
  const std::vector<Case> cases = {
      {"Fullprof 12", WriteFullprofExport, 12,
       {"   10.000    0.020   10.220",
        "   100.0   101.0   102.0   103.0   104.0   105.0   106.0   107.0   108.0   109.0",
        "   110.0   111.0"}},
      {"CSD 3", WriteCsdExport, 3, {"   10.000    0.020", "   100.0   101.0   102.0"}},
      {"XFIT 10", WriteXfitExport, 10,
       {"/*", "Quartz standard", "*/", "   10.000    0.020   10.180    1.0   1  1.540560",
        "     100     101     102     103     104     105     106     107     108     109"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.writer(MakeRange(c.points))), c.expected) << c.name;
}

// The keywords taken from the file (its name, date, angles); counts eight a line, a slash after the last.
TEST(ExportLayout, UdfHeaderFromTheFileAndEightValuesPerLineEndingInASlash) {
  const auto lines = Lines(WriteUdfExport(MakeRange(17)));
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "SampleIdent,SAMPLE.RAW,/");
  EXPECT_EQ(std::vector(lines.begin() + 12, lines.end()),
            (std::vector<std::string>{"DataAngleRange,  10.0000,  10.3200,/", "ScanStepSize,   0.0200,/",
                                      "ScanType,STEP,/", "ScanStepTime,    1.00,/", "RawScan",
                                      "     100,     101,     102,     103,     104,     105,     106,     107",
                                      "     108,     109,     110,     111,     112,     113,     114,     115",
                                      "     116/"}));
  // A full last line takes the slash itself.
  EXPECT_EQ(Lines(WriteUdfExport(MakeRange(16))).back(),
            "     108,     109,     110,     111,     112,     113,     114,     115/");
}

// Names outside their tables are blank or unknown; line breaks in header texts become blanks.
TEST(ExportLayout, UdfOddHeaderValuesStayOnTheirLine) {
  ExportRange range = MakeRange(1);
  range.File.DiffractometerType = 9;
  range.File.Radiation = 12;
  range.File.Monochromator = 0;
  km::SetFieldText(range.File.Title, "Two\r\nlines");
  const auto lines = Lines(WriteUdfExport(range));
  EXPECT_EQ(lines[1], "Title1,Two  lines,/");
  EXPECT_EQ(lines[3], "DiffrType,Unknown,/");
  EXPECT_EQ(lines[4], "Anode,  ,/");
  EXPECT_EQ(lines[8], "MonochromatorUsed,NO,/");
  EXPECT_EQ(Lines(WriteXfitExport(range)).size(), 5u);
}

TEST(ExportLayout, Pdf3KeywordsFromTheFileAndDataLinesFilledToEight) {
  const std::string text = WritePdf3Export(MakeRange(20));
  EXPECT_NE(text.find("&DATE=98/11/05\r\n&FILEIDENT=SAMPLE.PD3\r\n&SOURCEIDENT=SAMPLE.RAW\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.find("&FIRSTX")),
            "&FIRSTX=10.0000\r\n&LASTX=10.3800\r\n&MAXY=     119.\r\n&NPOINTS=20      \r\n&XYDATA=(X++(Y..Y))\r\n"
            " 10.000     100.     101.     102.     103.     104.     105.     106.     107.\r\n"
            " 10.160     108.     109.     110.     111.     112.     113.     114.     115.\r\n"
            " 10.320     116.     117.     118.     119.       0.       0.       0.       0.\r\n&END=\r\n");
  const auto lines16 = Lines(WritePdf3Export(MakeRange(16)));  // no line of zeros after a full one
  EXPECT_EQ(lines16.size(), 23u);
  EXPECT_EQ(lines16.at(21), " 10.160     108.     109.     110.     111.     112.     113.     114.     115.");
}

// Values that fill their fields keep a blank between them and their neighbours; the first field
// of a line needs none.
TEST(ExportLayout, ValuesThatFillTheirFieldsStayApart) {
  struct Case { const char* name; std::string (*writer)(const ExportRange&); std::vector<float> values;
                size_t line; std::string expected; };
  const std::vector<Case> cases = {
      {"X/Y 10^8", WriteXyExport, {1e8f}, 0, "   10.000 100000000"},
      {"Fullprof 100000", WriteFullprofExport, {100000.0f, 100000.0f}, 1, "100000.0 100000.0"},
      {"CSD negative", WriteCsdExport, {1.0f, -10000.0f}, 1, "     1.0 -10000.0"},
      {"GSAS 10^7", WriteGsasExport, {1e7f, 1e7f}, 3,
       "10000000 10000000       0       0       0       0       0       0       0       0"},
      {"XFIT 10^7", WriteXfitExport, {5.0f, 12345678.0f}, 4, "       5 12345678"},
      {"PDF3 10^7", WritePdf3Export, {12345678.0f}, 20,
       " 10.000 12345678.       0.       0.       0.       0.       0.       0.       0."},
  };
  for (const Case& c : cases) {
    ExportRange range = MakeRange(static_cast<int>(c.values.size()));
    range.Values = c.values;
    const auto lines = Lines(c.writer(range));
    ASSERT_GT(lines.size(), c.line) << c.name;
    EXPECT_EQ(lines[c.line], c.expected) << c.name;
  }
}

TEST(ExportValues, NoNegativeShiftsTheWholeRange) {
  struct Case { const char* name; bool noNegative; std::vector<float> values; float scale;
                std::vector<float> expected; int32_t min, max; };
  const std::vector<Case> cases = {
      {"minimum -20 raised by 21", true, {-20, 0, 50}, 1, {1, 21, 71}, 1, 71},
      {"minimum 0 raised by 1", true, {0, 5}, 1, {1, 6}, 1, 6},
      {"minimum 1 unchanged", true, {1, 5}, 1, {1, 5}, 1, 5},
      {"option off keeps negatives", false, {-20, 5}, 1, {-20, 5}, -20, 5},
      // Stored -40 with a ScaleFactor of 2 reads as -20: the values are raised by 21, not 41.
      {"scaled range", true, {-20, 5}, 2, {1, 26}, 2, 52},
  };
  for (const Case& c : cases) {
    ExportRange range = MakeRange(static_cast<int>(c.values.size()));
    range.Values = c.values;
    range.Range.ScaleFactor = c.scale;
    const auto [low, high] = std::minmax_element(c.values.begin(), c.values.end());
    range.Range.MinIntensity = km::RoundToCount(*low * c.scale);
    range.Range.MaxIntensity = km::RoundToCount(*high * c.scale);
    km::testing::RecordingSink sink;
    ASSERT_TRUE(PrepareExportValues(sink, 1, c.noNegative, false, range)) << c.name;
    EXPECT_EQ(range.Values, c.expected) << c.name;
    EXPECT_EQ(std::pair(range.Range.MinIntensity, range.Range.MaxIntensity), std::pair(c.min, c.max)) << c.name;
  }
}

TEST(ExportValues, CountsPerSecondDivideByTheTimePerStepAndRefuseWithoutOne) {
  ExportRange range = MakeRange(2);
  range.Range.TimePerStep = 4;
  km::testing::RecordingSink sink;
  ASSERT_TRUE(PrepareExportValues(sink, 1, true, true, range));
  EXPECT_EQ(range.Values, (std::vector<float>{25.0f, 25.25f}));

  range = MakeRange(2);
  range.Range.TimePerStep = 0;
  EXPECT_FALSE(PrepareExportValues(sink, 3, true, true, range));
  ASSERT_EQ(sink.Texts(), std::vector<std::string>{"Counts per second cannot be written for range 3:\n"
                                                   "its time per step is 0 s."});
  EXPECT_EQ(range.Values, MakeRange(2).Values) << "nothing changed";
}

// Only the name's own extension is replaced, never a dot of a directory.
TEST(ExportNames, DefaultAndChangedExtensions) {
  EXPECT_EQ(DefaultExportName("/data/run.1/SAMPLE", 1), "SAMPLE.gsa");
  const std::tuple<const char*, int, const char*> cases[] = {
      {"/out/SAMPLE.x", 3, "/out/SAMPLE.xdd"}, {"/out.d/SAMPLE", 4, "/out.d/SAMPLE.pro"},
      {"SAMPLE.", 5, "SAMPLE.udf"}, {"C:\\out\\S.data", 6, "C:\\out\\S.pd3"}, {"", 1, ""}};
  for (const auto& [name, format, expected] : cases) EXPECT_EQ(ReplaceExportExtension(name, format), expected) << name;
}

// The fields are made without printf for speed; they must be printf's bytes, halves included.
TEST(ExportFields, FixedFieldsAreWhatPrintfWrites) {
  const double values[] = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 38.5, 0.00005, 0.00015, 12.34565, -0.3, 1e7, 3.4e38,
                           -1234567.0, 99999.9999, 10.02f, 0.02f, 1.54056f, 3.5, -3.5, 0.49999999999999994, -0.5, 123456789.0, 1e15, 2e15, 7.25, -1e-9};
  int differences = 0;
  const auto check = [&](double v, int width, int precision) {
    char expected[512];
    std::snprintf(expected, sizeof expected, "%*.*f", width, precision, v);
    std::string out;
    exchange::AppendFixed(out, v, width, precision);
    if (out != expected && ++differences <= 5) ADD_FAILURE() << v << " %" << width << "." << precision << "f: " << out;
  };
  for (double v : values) {
    for (const auto& [width, precision] : {std::pair{9, 0}, {8, 1}, {9, 3}, {9, 4}, {10, 4}, {7, 3}, {8, 0}}) {
      check(v, width, precision);
    }
  }
  // Angles of long scans in single precision.
  for (int i = 0; i < 20000 && differences <= 5; ++i) check(10.0f + static_cast<float>(i) * 0.005f, 9, 3);
}

}  // namespace
}  // namespace keltor
