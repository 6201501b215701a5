// Operations > Angle Correction: the typed line and the stored calibration polynomial, the grid of the
// goniometer, resampling without extrapolation, and the ranges that are skipped.
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>

#include "common/core/program_directory.h"
#include "common/core/user_profile.h"
#include "common/core/user_profile_format.h"
#include "keltor/core/operations/angle_correction.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using km::MessageIcon;

TEST(InterpolateLinear, NeverExtrapolatesAndHitsTheEnds) {
  const std::vector<double> x{1.0, 2.0, 4.0, 8.0};
  const std::vector<float> y{10.0f, 20.0f, 40.0f, 0.0f};
  const struct {
    double at, expected;
  } cases[] = {{0.999, 0.0}, {1.0, 10.0}, {1.5, 15.0}, {3.0, 30.0}, {4.0, 40.0}, {6.0, 20.0}, {8.0, 0.0}, {8.001, 0.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(InterpolateLinear(c.at, x, y), c.expected) << c.at;
  EXPECT_DOUBLE_EQ(InterpolateLinear(2.0, std::span(x).first(1), y), 0.0);
  EXPECT_DOUBLE_EQ(InterpolateLinear(1.0, std::span(x).first(1), y), 10.0);
  EXPECT_DOUBLE_EQ(InterpolateLinear(1.25, std::span(x).first(2), y), 12.5);
  EXPECT_DOUBLE_EQ(InterpolateLinear(1.0, {}, {}), 0.0);
}

TEST(CorrectRangeAngles, ACorrectionThatTurnsTheScaleRoundOrHasNoStepIsSkipped) {
  // X/180 = 8u^3 - 12u^2 + 5u: from 0 to 1, but falling around u = 0.5.
  AngleDelta folding;
  folding.Order = 3;
  folding.Coefficients = {0.0, 720.0, -2160.0, 1440.0, 0.0, 0.0};
  km::RawRangeHeader h = Ramp(180, 0.0f, 1.0f).header;
  const km::RawRangeHeader before = h;
  std::vector<float> data(180, 1.0f), out;
  EXPECT_EQ(CorrectRangeAngles(folding, 1000, false, h, data, out), AngleRangeOutcome::Descending);
  EXPECT_EQ(std::memcmp(&h, &before, sizeof h), 0);
  EXPECT_TRUE(out.empty());
  h.TwoThetaStep = 0.0f;
  EXPECT_EQ(CorrectRangeAngles(AngleDelta::Line(0.1, 0), 1000, false, h, data, out), AngleRangeOutcome::Unusable);
}

class AngleCorrectionTest : public WorkbenchFixture {
 protected:
  AngleCorrectionTest() { wb_.State.ProgramDirectory = dir_.string(); }
  bool Line(float a, float b) {
    ui_.angleAnswers.assign({AngleCorrectionChoice{false, a, b}});
    return wb_.OnOperationsAngleCorrection(profile_);
  }
  km::RawRangeHeader Range(int n, std::vector<float>* data = nullptr) {
    auto [header, values] = WorkbenchRange(n);
    if (data) *data = std::move(values);
    return header;
  }
  std::string OneRange(TestRange range, int16_t resolution = 1000, int16_t scanType = 3) {
    km::RawFileHeader h = MeasuredHeader();
    h.AngleResolution = resolution;
    h.ScanType = scanType;
    return WriteFile("scan.raw", h, {std::move(range)});
  }
  // A profile made as the suite makes one, with the calibration section written by the core's writer.
  void WriteProfile(const std::vector<uint8_t>& calibration) {
    std::filesystem::create_directories(dir_ / "USERS");
    profile_ = km::UserProfilePath(dir_.string(), "lab1");
    const auto bytes = km::NewUserProfile(dir_.string());
    std::ofstream(profile_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(km::WriteUserSection(ui_, profile_, nullptr, km::kCalibrationSectionId, {}, calibration))
        << ui_.sink.LastText();
  }
  static std::vector<uint8_t> Calibration(const char* magic, int32_t order, std::vector<float> c) {
    std::vector<uint8_t> record(kCalibrationRecordBytes, 0);
    std::memcpy(record.data(), magic, 3);
    std::memcpy(record.data() + 296, &order, 4);
    std::memcpy(record.data() + 300, c.data(), std::min<size_t>(c.size(), 6) * 4);
    const float range[] = {10.0f, 140.0f};
    std::memcpy(record.data() + 324, range, sizeof range);
    return record;
  }
  std::string profile_;
};

TEST_F(AngleCorrectionTest, AShiftMovesTheRangeOnTheGridAndKeepsTheIntensities) {
  TestRange ramp = Ramp(20, 10.0f, 0.02f);
  Open(OneRange(ramp));
  ASSERT_TRUE(Line(0.02f, 0.0f)) << ui_.sink.LastText();
  std::vector<float> data;
  const km::RawRangeHeader h = Range(1, &data);
  EXPECT_FLOAT_EQ(h.TwoThetaBegin, 10.02f);
  EXPECT_FLOAT_EQ(h.OmegaBegin, 5.01f);
  EXPECT_TRUE(h.RangeFlags & km::kFlagAngleCorrected);
  ASSERT_EQ(data.size(), ramp.counts.size());
  for (size_t i = 0; i < data.size(); ++i) EXPECT_NEAR(data[i], ramp.counts[i], 1e-3) << i;
  EXPECT_EQ(h.MaxIntensity, 119);
  EXPECT_EQ(wb_.State.Settings.AngleCorrectionSettings[0], 0.02f);
  EXPECT_TRUE(wb_.File.IsRangeModified(1));
  EXPECT_EQ(observer_.dataChanged, 1);
  ASSERT_EQ(ui_.angleRequests.size(), 1u);
  EXPECT_EQ(ui_.angleRequests[0].RangeText, "no calibration polynomial found in user file ");
  EXPECT_EQ(ui_.angleRequests[0].AxisName, "2Theta");
}

TEST_F(AngleCorrectionTest, ALineGrowingWithTheAngleStretchesTheScale) {
  Open(OneRange(Ramp(11, 90.0f, 1.0f)));
  ASSERT_TRUE(Line(0.0f, 0.18f));
  std::vector<float> data;
  const km::RawRangeHeader h = Range(1, &data);
  EXPECT_FLOAT_EQ(h.TwoThetaBegin, 90.09f);
  // The end moves by 0.1 more than the begin: still 11 points of 1 degree from the new begin.
  EXPECT_EQ(h.PointCount, 11);
  EXPECT_FLOAT_EQ(data[0], 100.0f);
  EXPECT_EQ(data[10], 110.0f);  // 110 - 0.01 / 1.001, stored as a count
}

TEST_F(AngleCorrectionTest, RangesPastHalfACircleOrTurnedRoundAreSkippedAndTheOthersCorrected) {
  const std::string path = WriteFile("three.raw", MeasuredHeader(), {Ramp(5, 20.0f), Ramp(6, 179.85f, 0.02f), Ramp(7, 60.0f)});
  Open(path);
  ASSERT_TRUE(Line(0.1f, 0.0f));
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{" Angle correction will result in an 2Theta-range greater than "
                                                       "180 degree!\n Range will be skipped!"});
  EXPECT_EQ(ui_.sink.Last().icon, MessageIcon::Stop);
  EXPECT_FLOAT_EQ(Range(1).TwoThetaBegin, 20.1f);
  EXPECT_FLOAT_EQ(Range(2).TwoThetaBegin, 179.85f);
  EXPECT_FALSE(wb_.File.IsRangeModified(2));
  EXPECT_FLOAT_EQ(Range(3).TwoThetaBegin, 60.1f);

  // Every range turned round: nothing is written.
  Open(path);
  ui_.sink.Clear();
  EXPECT_FALSE(Line(0.0f, -400.0f));
  EXPECT_EQ(ui_.sink.messages.size(), 3u);
  EXPECT_EQ(ui_.sink.LastText(), " Angle correction will result in an inverted 2Theta-range!\n Range will be skipped!");
  EXPECT_FALSE(wb_.File.IsModified);
}

TEST_F(AngleCorrectionTest, ACoarseGridNeitherExtrapolatesNorLosesTheFirstIntensity) {
  // 10 steps per degree, step 0.02: the begin moves to 10.1, past the next two corrected positions.
  Open(OneRange(Ramp(20, 10.0f, 0.02f), 10));
  ASSERT_TRUE(Line(0.06f, 0.0f));
  std::vector<float> data;
  km::RawRangeHeader h = Range(1, &data);
  EXPECT_FLOAT_EQ(h.TwoThetaBegin, 10.1f);
  EXPECT_EQ(data[0], 100.0f);
  EXPECT_NEAR(data[1], 103.0f, 1e-3);  // 10.12 is where the fourth point went

  // Stretched by 1 per cent: the grid end 10.5 lies beyond the last corrected position 10.4838.
  Open(OneRange(Ramp(20, 10.0f, 0.02f), 10));
  ASSERT_TRUE(Line(0.0f, 1.8f));
  h = Range(1, &data);
  EXPECT_FLOAT_EQ(h.TwoThetaBegin, 10.1f);
  ASSERT_EQ(h.PointCount, 21);
  EXPECT_EQ(data[0], 100.0f);
  EXPECT_EQ(data[20], 0.0f);
  EXPECT_GT(data[19], 118.0f);
}

TEST_F(AngleCorrectionTest, NoResolutionIsRefusedBeforeTheDialog) {
  Open(OneRange(Ramp(20), 0));
  EXPECT_FALSE(Line(0.02f, 0.0f));
  EXPECT_TRUE(ui_.angleRequests.empty());
  EXPECT_EQ(ui_.sink.LastText(),
            "The angle resolution of this file ( 0 ) is not usable: the angle correction puts the ranges on the "
            "goniometer's grid of steps per degree.");
  EXPECT_FALSE(wb_.File.IsModified);
}

TEST_F(AngleCorrectionTest, OmegaScansMoveOnTheOmegaAxisAndTakeTheOtherAlong) {
  Open(OneRange(Ramp(20, 10.0f, 0.02f), 1000, km::kScanTypeOmega));
  ASSERT_TRUE(Line(0.02f, 0.0f));
  EXPECT_EQ(ui_.angleRequests[0].AxisName, "Omega");
  const km::RawRangeHeader h = Range(1);
  EXPECT_FLOAT_EQ(h.OmegaBegin, 5.02f);
  EXPECT_FLOAT_EQ(h.TwoThetaBegin, 10.04f);
}

TEST_F(AngleCorrectionTest, TheStoredPolynomialOfTheProfileIsShownAndApplied) {
  WriteProfile(Calibration("CAL", 2, {0.05f, 0.0f, 0.18f}));
  Open(OneRange(Ramp(20, 90.0f, 0.02f)));
  ui_.angleAnswers.push_back(AngleCorrectionChoice{true, 1.0f, 1.0f});
  ASSERT_TRUE(wb_.OnOperationsAngleCorrection(profile_)) << ui_.sink.LastText();
  ASSERT_EQ(ui_.angleRequests.size(), 1u);
  const AngleCorrectionRequest& shown = ui_.angleRequests[0];
  EXPECT_TRUE(shown.PolynomialFound);
  EXPECT_EQ(shown.OrderText, " the stored polynomial is of order 2");
  EXPECT_EQ(shown.RangeText, " calculated for the 2 theta range:   10.00 -  140.00 ");
  // 0.05 + 0.18 * 0.5^2 = 0.095 at 90 degrees.
  EXPECT_FLOAT_EQ(Range(1).TwoThetaBegin, 90.095f);
  // The typed line is kept only when it was used.
  EXPECT_EQ(wb_.State.Settings.AngleCorrectionSettings[0], 0.0f);
}

TEST_F(AngleCorrectionTest, ARecordWithoutCalibrationOrWithAnImpossibleOrderCountsAsNone) {
  for (const auto& record : {Calibration("XYZ", 1, {1, 1}), Calibration("CAL", 6, {1, 1, 1, 1, 1, 1}),
                             Calibration("CAL", -1, {1}), Calibration("CAL", 1, {std::nanf(""), 0})}) {
    WriteProfile(record);
    Open(OneRange(Ramp(20)));
    ui_.angleRequests.clear();
    Line(0.0f, 0.0f);
    ASSERT_EQ(ui_.angleRequests.size(), 1u);
    EXPECT_FALSE(ui_.angleRequests[0].PolynomialFound);
  }
  // No profile at all: its message, and the dialog without a polynomial.
  profile_ = km::UserProfilePath(dir_.string(), "nobody");
  ui_.sink.Clear();
  ui_.angleRequests.clear();
  Line(0.0f, 0.0f);
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{"User file does not exist.\n\n" + profile_});
  ASSERT_EQ(ui_.angleRequests.size(), 1u);
  EXPECT_FALSE(ui_.angleRequests[0].PolynomialFound);
}

}  // namespace
}  // namespace keltor::testing
