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
ExportRange MakeRange(int n, float first = 100.0f) {
  auto test = Ramp(n, 10.0f, 0.02f, first);
  km::testing::TestRange copy = test;
  km::testing::TakeExtremes(copy);
  ExportRange range;
  range.File = MeasuredHeader("Quartz standard");
  range.Range = copy.header;
  range.Range.DivergenceSlit = 1.0f;
  range.Values = copy.counts;
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
  EXPECT_EQ(lines[1].substr(0, 36), "Instrument parameter      VELNOR.PRM");
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
      {"Fullprof 10", WriteFullprofExport, 10,
       {"   10.000    0.020   10.180",
        "   100.0   101.0   102.0   103.0   104.0   105.0   106.0   107.0   108.0   109.0"}},
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

TEST(ExportLayout, UdfKeywordsAndEightValuesPerLineEndingInASlash) {
  const std::string text = WriteUdfExport(MakeRange(17));
  const std::string expected =
      "SampleIdent,SAMPLE.RAW,/\r\n"
      "Title1,Quartz standard,/\r\n"
      "Title2, Data converted from ORVE RAW-Format,/\r\n"
      "DiffrType,Bragg-Brentano,/\r\n"
      "Anode,Cu,/\r\n"
      "LabdaAlpha1, 1.54056,/\r\n"
      "LabdaAlpha2, 1.54439,/\r\n"
      "RatioAlpha21, 0.00000,/\r\n"
      "MonochromatorUsed,YES,/\r\n"
      "GeneratorVoltage,  40,/\r\n"
      "TubeCurrent,  30,/\r\n"
      "FileDateTime,05-Nov-98 09:00,/\r\n"
      "DataAngleRange,  10.0000,  10.3200,/\r\n"
      "ScanStepSize,   0.0200,/\r\n"
      "ScanType,STEP,/\r\n"
      "ScanStepTime,    1.00,/\r\n"
      "RawScan\r\n"
      "     100,     101,     102,     103,     104,     105,     106,     107\r\n"
      "     108,     109,     110,     111,     112,     113,     114,     115\r\n"
      "     116/\r\n";
  EXPECT_EQ(text, expected);
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

TEST(ExportLayout, Pdf3KeywordsAndDataLinesFilledToEight) {
  const std::string text = WritePdf3Export(MakeRange(20));
  const std::string expected =
      "&SAMPLE IDENT=\r\n"
      "&ICDD-DX=1.00\r\n"
      "&DATE=98/11/05\r\n"
      "&FILEIDENT=SAMPLE.PD3\r\n"
      "&SOURCEIDENT=SAMPLE.RAW\r\n"
      "&CROSS REFERENCE=\r\n"
      "&GRANT NO=\r\n"
      "&PDFNO=\r\n"
      "&DIV SLIT=1.00\r\n"
      "&WAVELENGTH=1.540560\r\n"
      "&COUNT TIME=    1.00\r\n"
      "&STEP SIZE=0.0200\r\n"
      "&XUNITS=DEGREES 2-THETA\r\n"
      "&YUNITS=COUNTS\r\n"
      "&YFACTOR=1.0\r\n"
      "&FIRSTX=10.0000\r\n"
      "&LASTX=10.3800\r\n"
      "&MAXY=     119.\r\n"
      "&NPOINTS=20      \r\n"
      "&XYDATA=(X++(Y..Y))\r\n"
      " 10.000     100.     101.     102.     103.     104.     105.     106.     107.\r\n"
      " 10.160     108.     109.     110.     111.     112.     113.     114.     115.\r\n"
      " 10.320     116.     117.     118.     119.       0.       0.       0.       0.\r\n"
      "&END=\r\n";
  EXPECT_EQ(text, expected);
  const auto lines16 = Lines(WritePdf3Export(MakeRange(16)));  // no line of zeros after a full one
  EXPECT_EQ(lines16.at(21), " 10.160     108.     109.     110.     111.     112.     113.     114.     115.");
  EXPECT_EQ(lines16.size(), 23u);
}

TEST(ExportLayout, OmegaScansTakeTheOmegaAxisEverywhere) {
  ExportRange range = MakeRange(3);
  range.File.ScanType = km::kScanTypeOmega;  // Omega from 5 in steps of 0.01
  EXPECT_EQ(Lines(WriteXyExport(range))[0], "    5.000      100");
  EXPECT_EQ(Lines(WriteFullprofExport(range))[0], "    5.000    0.010    5.020");
  EXPECT_EQ(Lines(WriteGsasExport(range))[2].substr(0, 44), "BANK 1     3     1 CONST  500    1 0  0  STD");
  EXPECT_EQ(Lines(WriteUdfExport(range))[12], "DataAngleRange,   5.0000,   5.0200,/");
  EXPECT_EQ(Lines(WritePdf3Export(range))[15], "&FIRSTX= 5.0000");
}

TEST(ExportLayout, AngleResolution5000PrintsFourDecimalsWhereverTheAngleFormatIsUsed) {
  ExportRange range = MakeRange(1);
  range.File.AngleResolution = 5000;
  EXPECT_EQ(Lines(WriteFullprofExport(range))[0], "  10.0000   0.0200  10.0000");
  EXPECT_EQ(Lines(WriteXfitExport(range))[3], "  10.0000   0.0200  10.0000    1.0   1  1.540560");
}

// Values that fill their fields keep a blank between them and their neighbours; the first field
// of a line needs none.
TEST(ExportLayout, ValuesThatFillTheirFieldsStayApart) {
  struct Case { const char* name; std::string (*writer)(const ExportRange&); std::vector<float> values; bool cps;
                size_t line; std::string expected; };
  const std::vector<Case> cases = {
      {"X/Y 10^8", WriteXyExport, {1e8f}, false, 0, "   10.000 100000000"},
      {"X/Y cps 10000", WriteXyExport, {10000.0f}, true, 0, "   10.000 10000.0000"},
      {"Fullprof 100000", WriteFullprofExport, {100000.0f, 100000.0f}, false, 1, "100000.0 100000.0"},
      {"CSD negative", WriteCsdExport, {1.0f, -10000.0f}, false, 1, "     1.0 -10000.0"},
      {"GSAS 10^7", WriteGsasExport, {1e7f, 1e7f}, false, 3,
       "10000000 10000000       0       0       0       0       0       0       0       0"},
      {"XFIT 10^7", WriteXfitExport, {5.0f, 12345678.0f}, false, 4, "       5 12345678"},
      {"PDF3 10^7", WritePdf3Export, {12345678.0f}, false, 20,
       " 10.000 12345678.       0.       0.       0.       0.       0.       0.       0."},
  };
  for (const Case& c : cases) {
    ExportRange range = MakeRange(static_cast<int>(c.values.size()));
    range.Values = c.values;
    range.CountsPerSecond = c.cps;
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
    EXPECT_TRUE(sink.Empty());
  }
}

TEST(ExportValues, CountsPerSecondDivideByTheTimePerStepAndRefuseWithoutOne) {
  ExportRange range = MakeRange(2);
  range.Range.TimePerStep = 4;
  km::testing::RecordingSink sink;
  ASSERT_TRUE(PrepareExportValues(sink, 1, true, true, range));
  EXPECT_EQ(range.Values, (std::vector<float>{25.0f, 25.25f}));

  const std::pair<float, const char*> refused[] = {{0.0f, "0"}, {-1.0f, "-1"}};
  for (const auto& [time, shown] : refused) {
    range = MakeRange(2);
    range.Range.TimePerStep = time;
    sink.Clear();
    EXPECT_FALSE(PrepareExportValues(sink, 3, true, true, range));
    ASSERT_EQ(sink.Texts(), std::vector<std::string>{"Counts per second cannot be written for range 3:\n"
                                                     "its time per step is " + std::string(shown) + " s."});
    EXPECT_EQ(sink.Last().icon, km::MessageIcon::Stop);
    EXPECT_EQ(range.Values, MakeRange(2).Values) << "nothing changed";
  }
}

TEST(ExportNames, DefaultAndChangedExtensions) {
  EXPECT_EQ(DefaultExportName("D:\\DATA\\SAMPLE.RAW", 0), "SAMPLE.xyd");
  EXPECT_EQ(DefaultExportName("/data/run.1/SAMPLE", 1), "SAMPLE.gsa");
  const std::tuple<const char*, int, const char*> cases[] = {
      {"/out/SAMPLE.x", 3, "/out/SAMPLE.xdd"}, {"/out.d/SAMPLE", 4, "/out.d/SAMPLE.pro"},
      {"SAMPLE.", 5, "SAMPLE.udf"}, {"C:\\out\\S.data", 6, "C:\\out\\S.pd3"}, {"", 1, ""}};
  for (const auto& [name, format, expected] : cases) EXPECT_EQ(ReplaceExportExtension(name, format), expected) << name;
  EXPECT_EQ(ExportFileFilter(6), "ICDD PDF3 Files (*.pd3)|*.pd3;|All Files (*.*)|*.*;||");
}

TEST(ExportDialogRules, CountsPerSecondFollowTheFormatAndTheUsersOwnChoice) {
  ExportSettings settings;
  settings.FileName = "SAMPLE.xyd";
  ExportDialogValues values = ExportDialogValues::FromSettings(settings);
  values.ClickCountsPerSecond(true);
  values.ChangeFormat(static_cast<int>(ExportFormat::Gsas));
  EXPECT_FALSE(values.CountsPerSecond || values.CountsPerSecondEnabled());
  EXPECT_EQ(values.FileName, "SAMPLE.gsa");
  values.ChangeFormat(static_cast<int>(ExportFormat::XY));
  EXPECT_TRUE(values.CountsPerSecond);

  settings.Format = static_cast<int>(ExportFormat::Udf);
  settings.CountsPerSecond = true;
  values = ExportDialogValues::FromSettings(settings);
  EXPECT_FALSE(values.CountsPerSecond) << "cleared while another format is chosen";
  EXPECT_TRUE(values.SavedCountsPerSecond);
  values.ChangeFormat(0);
  EXPECT_TRUE(values.CountsPerSecond);
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
  // Angles of long scans in single precision, and counts per second of odd times.
  for (int i = 0; i < 20000 && differences <= 5; ++i) {
    const double angle = 10.0f + static_cast<float>(i) * 0.005f;
    check(angle, 9, 3);
    check(angle, 9, 4);
    check(static_cast<float>(i * 7919 % 100003) * (1.0f / 3.0f) - 500.0f, 10, 4);
  }
}

}  // namespace
}  // namespace keltor
