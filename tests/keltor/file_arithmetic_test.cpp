// Add, Subtract and Divide File and normalized Intensities: the arithmetic by hand-checked numbers,
// then the commands through a scripted interface.
#include "keltor/core/compatible_header.h"
#include "keltor/core/operations/file_arithmetic.h"
#include "keltor/core/operations/normalize_intensities.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using km::MessageIcon;
using km::testing::ReadBytes;

// A range of count points from begin in steps of step, each value from f(i).
template <typename F>
TestRange Series(int count, float begin, float step, F f) {
  TestRange r = Ramp(count, begin, step);
  for (int i = 0; i < count; ++i) r.counts[static_cast<size_t>(i)] = f(i);
  return r;
}

// Files that must not be combined: another scan, instrument, or a PSD's own mode.
TEST(CompatibleHeaderTest, OtherScanDiffractometerOrPsdModeIsNot) {
  km::RawFileHeader psd = MeasuredHeader();
  psd.DetectorType = 3;
  for (auto change : {+[](km::RawFileHeader& h) { h.ScanType = 2; }, +[](km::RawFileHeader& h) { h.DiffractometerType = 3; },
                      +[](km::RawFileHeader& h) { h.PsdMode = 1; }}) {
    km::RawFileHeader other = psd;
    change(other);
    EXPECT_FALSE(IsCompatibleHeader(psd, other));
  }
}

TEST(ArithmeticChecksTest, RefusalsNameWhatDiffers) {
  struct Case {
    const char* name;
    int scanType, detector, psdMode;
    float begin2, step2, omega2, time2;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {"other step", 3, 1, 0, 10.0f, 0.25f, 5.0f, 1.0f, "Step size must be equal for both ranges!"},
      {"no overlap", 3, 1, 0, 31.0f, 0.5f, 5.0f, 1.0f, "Ranges must overlap!"},
      {"9 steps", 3, 1, 0, 25.5f, 0.5f, 5.0f, 1.0f, "Common angular region is too small."},
      {"10 steps", 3, 1, 0, 25.0f, 0.5f, 5.0f, 1.0f, nullptr},
      {"omega of a PSD scan", 1, 3, 1, 10.0f, 0.5f, 6.0f, 1.0f, "Omega position must be equal for both ranges!"},
      {"omega of a counter scan", 1, 1, 1, 10.0f, 0.5f, 6.0f, 1.0f, nullptr},
      {"2Theta of an omega scan", 2, 1, 0, 11.0f, 0.5f, 5.0f, 1.0f, "2Theta position must be equal for both ranges!"},
      {"omega offset", 4, 1, 0, 10.0f, 0.5f, 6.0f, 1.0f, "Omega offset must be equal for both ranges!"},
      {"source counted 0 s", 3, 1, 0, 10.0f, 0.5f, 5.0f, 0.0f,
       "The counting time of the source range is 0: its counts cannot be scaled."},
  };
  for (const Case& c : cases) {
    km::RawFileHeader file = MeasuredHeader();
    file.ScanType = static_cast<int16_t>(c.scanType);
    file.DetectorType = static_cast<int16_t>(c.detector);
    file.PsdMode = static_cast<int16_t>(c.psdMode);
    // The target runs 10 .. 30 in half degrees; an omega scan's scan axis holds the same numbers.
    km::RawRangeHeader h1 = Ramp(41, 10.0f, 0.5f).header, h2 = Ramp(41, c.begin2, c.step2).header;
    h1.OmegaBegin = 5.0f;
    h2.OmegaBegin = c.omega2;
    h2.TimePerStep = c.time2;
    if (c.scanType == km::kScanTypeOmega) {
      h1.OmegaBegin = h1.TwoThetaBegin, h1.OmegaEnd = h1.TwoThetaEnd, h1.OmegaStep = h1.TwoThetaStep;
      h2.OmegaBegin = h2.TwoThetaBegin, h2.OmegaEnd = h2.TwoThetaEnd, h2.OmegaStep = h2.TwoThetaStep;
      h1.TwoThetaBegin = 20.0f;
      h2.TwoThetaBegin = 21.0f;
    }
    km::testing::RecordingSink sink;
    EXPECT_EQ(CheckArithmeticRanges(sink, file, h1, file, h2), c.message == nullptr) << c.name;
    EXPECT_EQ(sink.LastText(), c.message ? c.message : "") << c.name;
  }
}

struct Combined {
  km::RawRangeHeader header;
  std::vector<float> values;
};

Combined Combine(FileOperation op, const TestRange& target, const TestRange& source, double m1 = 1, double m2 = 1) {
  Combined out{target.header, std::vector<float>(target.counts.size() + source.counts.size())};
  const int n = CombineRanges(op, false, out.header, target.counts, source.header, source.counts, m1, m2, out.values);
  out.values.resize(static_cast<size_t>(n));
  return out;
}

TEST(CombineRangesTest, SourceScaledToTheTargetsTimeAndInterpolatedOntoItsGrid) {
  struct Case {
    FileOperation op;
    float sourceBegin, sourceTime;
    double m1, m2;
    float firstAngle, first, second;  // the result's first point and first two values
    int points;
  } cases[] = {
      // Counted half as long as the target's 10 s: the source is doubled.
      {FileOperation::Subtract, 10.0f, 5, 1, 1, 10.0f, 1000 - 200, 1001 - 202, 21},
      // The source divides, giving 0 where it has no counts; its factor is not used.
      {FileOperation::Divide, 10.0f, 10, 2, 7, 10.0f, 0, 2 * 1001.0f / 101, 21},
      // A quarter step after the target: the first target point inside both is 11, 0.75 steps into the source.
      {FileOperation::Add, 10.25f, 10, 1, 1, 11.0f, 1001 + 100.75f, 1002 + 101.75f, 20},
      // A quarter step before: the target's own first point, 0.25 steps into the source.
      {FileOperation::Add, 9.75f, 10, 1, 1, 10.0f, 1000 + 100.25f, 1001 + 101.25f, 20},
      // A hundredth of a step counts as on the grid.
      {FileOperation::Add, 10.005f, 10, 1, 1, 10.005f, 1100, 1102, 21},
  };
  for (const Case& c : cases) {
    TestRange target = Series(21, 10.0f, 1.0f, [](int i) { return 1000.0f + i; });
    TestRange source = Series(21, c.sourceBegin, 1.0f, [&c](int i) {
      return c.op == FileOperation::Divide && i == 0 ? 0.0f : 100.0f + i;
    });
    target.header.TimePerStep = 10;
    source.header.TimePerStep = c.sourceTime;
    const Combined r = Combine(c.op, target, source, c.m1, c.m2);
    ASSERT_EQ(r.values.size(), static_cast<size_t>(c.points)) << c.sourceBegin;
    EXPECT_FLOAT_EQ(r.header.TwoThetaBegin, c.firstAngle) << c.sourceBegin;
    EXPECT_FLOAT_EQ(r.values[0], c.first) << c.sourceBegin;
    EXPECT_FLOAT_EQ(r.values[1], c.second) << c.sourceBegin;
    EXPECT_FLOAT_EQ(r.header.TimePerStep, 10.0f);
    // Every value stands for the grid point begin + j steps: both ramps climb by one per step.
    if (c.op == FileOperation::Add) {
      EXPECT_FLOAT_EQ(r.values.back(), c.first + 2.0f * static_cast<float>(c.points - 1));
    }
  }
}

TEST(NormalizeTest, FactorToTheMaximumAndTheBackgroundScaledAlong) {
  km::testing::RecordingSink sink;
  std::vector<float> values{500.0f, 2500.0f, 1250.0f};
  EXPECT_DOUBLE_EQ(NormalizeFactor(sink, {false, 1.0f, 100}, values), 0.04);
  km::RawRangeHeader header = Ramp(3).header;
  header.BackgroundPointCount = 2;
  header.BackgroundIntensity[0] = 400;
  header.BackgroundIntensity[1] = 610;
  ScaleRange(header, values, 0.04);
  EXPECT_EQ(values, (std::vector<float>{20.0f, 100.0f, 50.0f}));
  EXPECT_EQ(header.BackgroundIntensity[0], 16);
  EXPECT_EQ(header.BackgroundIntensity[1], 24);  // 24.4
}

// The commands on files.
class ArithmeticCommandTest : public WorkbenchFixture {
 protected:
  // Runs a file command with the source path and the factors scripted.
  bool Run(FileOperation op, const std::string& source, ArithmeticFactors factors = {}) {
    ui_.openAnswers.push_back(OpenFileChoice{source, 1});
    ui_.factorAnswers.push_back(factors);
    return wb_.OnRangesFileArithmetic(op);
  }
};

TEST_F(ArithmeticCommandTest, SubtractChoosesTargetAndSourceRangesAndRewritesTheTarget) {
  const std::string a = WriteFile("a.raw", MeasuredHeader(), {Ramp(30, 10.0f, 0.5f, 100), Ramp(81, 10.0f, 0.5f, 1000)});
  const std::string b = WriteFile("b.raw", MeasuredHeader(), {Ramp(20, 5.0f), Ramp(101, 30.0f, 0.5f, 10)});
  const auto bBefore = ReadBytes(b);
  Open(a);
  ui_.rangeListAnswers = {1, 1};  // second line in both lists
  // A zero factor keeps the dialog open until corrected.
  ui_.factorAnswers.push_back(ArithmeticFactors{0.0f, 1.0f});
  ASSERT_TRUE(Run(FileOperation::Subtract, b, {1.0f, 2.0f}));
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{" a factor of 0.0 doesn't make any sense!"});

  ASSERT_EQ(ui_.rangeListRequests.size(), 2u);
  EXPECT_EQ(ui_.rangeListRequests[0].Prompt, "choose target range");
  EXPECT_EQ(ui_.rangeListRequests[1].Prompt, "choose range to substract");
  const auto [h, values] = WorkbenchRange(2);
  // The common region 30 .. 50 on the target's grid; the coupled Omega axis follows.
  ASSERT_EQ(values.size(), 41u);
  EXPECT_FLOAT_EQ(values[40], 1080.0f - 2 * 50.0f);
  EXPECT_FLOAT_EQ(h.OmegaBegin, 15.0f);
  EXPECT_TRUE(wb_.File.IsRangeModified(2) && !wb_.File.IsRangeModified(1));
  EXPECT_EQ(ReadBytes(b), bBefore);
}

TEST_F(ArithmeticCommandTest, RefusalsChangeNothing) {
  km::RawFileHeader otherTube = MeasuredHeader();
  otherTube.Radiation = 4;
  const std::string a = WriteFile("a.raw", MeasuredHeader(), {Ramp(41, 10.0f, 0.5f)});
  const std::string cobalt = WriteFile("co.raw", otherTube, {Ramp(41, 10.0f, 0.5f)});
  Open(a);
  const auto aBefore = ReadBytes(a);
  EXPECT_FALSE(Run(FileOperation::Add, cobalt));
  EXPECT_FALSE(Run(FileOperation::Add, PathOf("missing.raw")));
  ASSERT_GE(ui_.sink.messages.size(), 2u);
  EXPECT_EQ(ui_.sink.messages[0].text, "co.raw is not compatible with original file!");
  EXPECT_EQ(ui_.sink.messages[0].icon, MessageIcon::Stop);
  EXPECT_FALSE(wb_.File.IsModified);
  EXPECT_EQ(TempFiles("RAW"), 0);
  EXPECT_EQ(ReadBytes(a), aBefore);
}

TEST_F(ArithmeticCommandTest, NormalizeAskedForTheRangeAndRefusingADarkRange) {
  const std::string a = WriteFile("a.raw", MeasuredHeader(), {Ramp(20), Series(20, 20.0f, 0.02f, [](int) { return 0.0f; })});
  Open(a);
  ui_.rangeListAnswers = {1};
  ui_.normalizeAnswers.push_back(NormalizeChoice{false, 1.0f, 100});
  EXPECT_FALSE(wb_.OnRangesNormalize());
  EXPECT_EQ(ui_.rangeListRequests.at(0).Prompt, "choose range to normalize");
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{"The largest intensity of the range is 0: it cannot be normalized."});
  EXPECT_FALSE(wb_.File.IsModified);
}

// Extremes in read units must not make the writer store counts in 16 bits that need 32: a file with
// scale factor 10 whose results reach 6000 (60000 stored).
TEST_F(ArithmeticCommandTest, ScaledFilesKeepCountsBeyondSixteenBitsAfterEachOperation) {
  TestRange scaled = Series(40, 10.0f, 0.5f, [](int) { return 3000.0f; });
  scaled.header.ScaleFactor = 10;
  const std::string a = WriteFile("a.raw", MeasuredHeader(), {scaled});
  ui_.normalizeAnswers.push_back(NormalizeChoice{true, 2.0f, 100});
  ui_.addPointsAnswers.push_back(2);
  const std::function<bool()> runs[] = {[&] { return Run(FileOperation::Add, a); },
                                        [&] { return wb_.OnRangesNormalize(); },
                                        [&] { return wb_.OnOperationsAddPoints(); }};
  for (const auto& run : runs) {
    Open(a);
    ASSERT_TRUE(run()) << ui_.sink.LastText();
    const auto [h, values] = WorkbenchRange(1);
    EXPECT_EQ(h.DataFormat, 0);
    EXPECT_FLOAT_EQ(values[0], 6000.0f);
    wb_.File.DropChanges();
  }
}

}  // namespace
}  // namespace keltor::testing
