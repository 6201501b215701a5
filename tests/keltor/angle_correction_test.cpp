// Operations > Angle Correction: the typed line and the stored calibration polynomial, the grid of the
// goniometer, resampling without extrapolation, and the ranges that are skipped.
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

TEST(CorrectRangeAngles, ACorrectionThatTurnsTheScaleRoundIsSkipped) {
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
}

class AngleCorrectionTest : public WorkbenchFixture {
 protected:
  AngleCorrectionTest() { wb_.State.ProgramDirectory = dir_.string(); }
  bool Line(float a, float b) {
    ui_.angleAnswers.assign({AngleCorrectionChoice{false, a, b}});
    return wb_.OnOperationsAngleCorrection(profile_);
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

// The corrected begin lies on the goniometer's grid; the other axis moves along; intensities are
// resampled without extrapolation, the first one never lost.
TEST_F(AngleCorrectionTest, RangesMoveOnTheGridAndKeepTheirIntensities) {
  const struct {
    const char* name;
    TestRange ramp;
    int16_t resolution, scanType;
    float a, b, twoTheta, omega;
    int points;
    std::vector<std::pair<size_t, float>> values;
  } cases[] = {
      {"shift", Ramp(20), 1000, 3, 0.02f, 0.0f, 10.02f, 5.01f, 20, {{0, 100.0f}, {7, 107.0f}, {19, 119.0f}}},
      // The end moves by 0.1 more than the begin; 110 - 0.01 / 1.001 is stored as a count.
      {"stretch", Ramp(11, 90.0f, 1.0f), 1000, 3, 0.0f, 0.18f, 90.09f, 45.045f, 11, {{0, 100.0f}, {10, 110.0f}}},
      // 10 steps per degree: the begin moves to 10.1, past the next two corrected positions.
      {"coarse grid", Ramp(20), 10, 3, 0.06f, 0.0f, 10.1f, 5.05f, 16, {{0, 100.0f}, {1, 103.0f}}},
      // Stretched by 1 per cent: the grid end 10.5 lies beyond the last corrected position 10.4838.
      {"coarse grid end", Ramp(20), 10, 3, 0.0f, 1.8f, 10.1f, 5.05f, 21, {{0, 100.0f}, {20, 0.0f}}},
      {"omega scan", Ramp(20), 1000, km::kScanTypeOmega, 0.02f, 0.0f, 10.04f, 5.02f, 20, {{0, 100.0f}}},
  };
  for (const auto& c : cases) {
    Open(OneRange(c.ramp, c.resolution, c.scanType));
    ui_.angleRequests.clear();
    ASSERT_TRUE(Line(c.a, c.b)) << c.name << ": " << ui_.sink.LastText();
    EXPECT_EQ(ui_.angleRequests.at(0).AxisName, c.scanType == km::kScanTypeOmega ? "Omega" : "2Theta");
    const auto [h, data] = WorkbenchRange(1);
    EXPECT_NEAR(h.TwoThetaBegin, c.twoTheta, 1e-4) << c.name;
    EXPECT_NEAR(h.OmegaBegin, c.omega, 1e-4) << c.name;
    EXPECT_TRUE(h.RangeFlags & km::kFlagAngleCorrected) << c.name;
    ASSERT_EQ(h.PointCount, c.points) << c.name;
    for (const auto& [at, value] : c.values) EXPECT_NEAR(data[at], value, 1e-3) << c.name << " " << at;
  }
  EXPECT_EQ(wb_.State.Settings.AngleCorrectionSettings[0], 0.02f);  // the last line typed is kept
}

TEST_F(AngleCorrectionTest, RangesPastHalfACircleOrTurnedRoundAreSkippedAndTheOthersCorrected) {
  const std::string path = WriteFile("three.raw", MeasuredHeader(), {Ramp(5, 20.0f), Ramp(6, 179.85f, 0.02f), Ramp(7, 60.0f)});
  Open(path);
  ASSERT_TRUE(Line(0.1f, 0.0f));
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{" Angle correction will result in an 2Theta-range greater than "
                                                       "180 degree!\n Range will be skipped!"});
  EXPECT_FLOAT_EQ(WorkbenchRange(1).first.TwoThetaBegin, 20.1f);
  EXPECT_FLOAT_EQ(WorkbenchRange(2).first.TwoThetaBegin, 179.85f);
  EXPECT_FALSE(wb_.File.IsRangeModified(2));
  EXPECT_FLOAT_EQ(WorkbenchRange(3).first.TwoThetaBegin, 60.1f);

  // Every range turned round: nothing is written.
  Open(path);
  ui_.sink.Clear();
  EXPECT_FALSE(Line(0.0f, -400.0f));
  EXPECT_EQ(ui_.sink.messages.size(), 3u);
  EXPECT_EQ(ui_.sink.LastText(), " Angle correction will result in an inverted 2Theta-range!\n Range will be skipped!");
  EXPECT_FALSE(wb_.File.IsModified);
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

TEST_F(AngleCorrectionTest, TheStoredPolynomialOfTheProfileIsShownAndApplied) {
  WriteProfile(Calibration("CAL", 2, {0.05f, 0.0f, 0.18f}));
  Open(OneRange(Ramp(20, 90.0f, 0.02f)));
  ui_.angleAnswers.push_back(AngleCorrectionChoice{true, 1.0f, 1.0f});
  ASSERT_TRUE(wb_.OnOperationsAngleCorrection(profile_)) << ui_.sink.LastText();
  ASSERT_EQ(ui_.angleRequests.size(), 1u);
  const AngleCorrectionRequest& shown = ui_.angleRequests[0];
  EXPECT_EQ(shown.OrderText, " the stored polynomial is of order 2");
  EXPECT_EQ(shown.RangeText, " calculated for the 2 theta range:   10.00 -  140.00 ");
  // 0.05 + 0.18 * 0.5^2 = 0.095 at 90 degrees.
  EXPECT_FLOAT_EQ(WorkbenchRange(1).first.TwoThetaBegin, 90.095f);
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
}

}  // namespace
}  // namespace keltor::testing
