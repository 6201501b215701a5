// Operations > Absorption Correction: the three formulas, the cylinder table and its faults, the marks,
// and the refusals that leave the working file as it was.
#include <bit>
#include <cmath>
#include <fstream>

#include "common/core/dialog_fields.h"
#include "common/core/installed_data.h"
#include "keltor/core/operations/absorption_correction.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

using km::MessageIcon;

void PutFloat(std::vector<uint8_t>& bytes, size_t index, float value) {
  const auto bits = std::bit_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[index * 4 + static_cast<size_t>(i)] = static_cast<uint8_t>(bits >> (8 * i));
}

// A cylinder table whose factor is 1 + mu*R + theta/90: linear in both, so the splines reproduce it
// exactly between the nodes as well.
std::vector<uint8_t> LinearTable(float lastMuR = 30.0f) {
  std::vector<float> values{0.0f};
  for (int i = 0; i < kCylinderMuRCount; ++i) values.push_back(lastMuR * static_cast<float>(i) / (kCylinderMuRCount - 1));
  for (int k = 0; k < kCylinderThetaCount; ++k) {
    const float theta = 5.0f * static_cast<float>(k);
    values.push_back(theta);
    for (int i = 0; i < kCylinderMuRCount; ++i) values.push_back(1.0f + values[1 + static_cast<size_t>(i)] + theta / 90.0f);
  }
  std::vector<uint8_t> bytes(values.size() * 4);
  for (size_t i = 0; i < values.size(); ++i) PutFloat(bytes, i, values[i]);
  return bytes;
}

class AbsorptionTest : public WorkbenchFixture {
 protected:
  AbsorptionTest() {
    wb_.State.ProgramDirectory = dir_.string();
    std::filesystem::create_directories(dir_ / "PROGRAMS");
  }
  std::string TablePath() const { return (dir_ / "PROGRAMS" / kCylinderTableName).string(); }
  void WriteTable(const std::vector<uint8_t>& bytes, const std::string& path = "") {
    std::ofstream out(path.empty() ? TablePath() : path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // A file of the geometry with ranges from 10, 60 and 120 degrees, all counts 1000.
  std::string File(int scanMode, float value = 0.0f, int ranges = 3, int scanType = 3) {
    km::RawFileHeader h = MeasuredHeader();
    h.ScanMode = static_cast<int16_t>(scanMode);
    h.ScanType = static_cast<int16_t>(scanType);
    h.AbsorptionValue = value;
    std::vector<TestRange> list;
    for (int i = 0; i < ranges; ++i) {
      TestRange r = Ramp(11, i == 0 ? 0.0f : 60.0f * static_cast<float>(i), 1.0f);
      std::fill(r.counts.begin(), r.counts.end(), 1000.0f);
      r.header.BackgroundPointCount = 2;
      list.push_back(r);
    }
    return WriteFile("geometry.raw", h, list);
  }
  bool Correct(std::optional<float> value) {
    ui_.absorptionAnswers.assign({value});
    return wb_.OnOperationsAbsorption();
  }
  km::RawRangeHeader Range(int n, std::vector<float>* data = nullptr) {
    auto [header, values] = WorkbenchRange(n);
    if (data) *data = std::move(values);
    return header;
  }
  // The header's AbsorptionValue, by value (the packed field may lie unaligned).
  float StoredValue() const { return wb_.File.WorkingFile.Header.AbsorptionValue; }
  // Nothing changed: no working copy, no marks, no notification.
  void ExpectUnchanged() {
    EXPECT_FALSE(wb_.File.IsModified);
    EXPECT_EQ(TempFiles("RAW") + TempFiles("SCR"), 0);
    EXPECT_FALSE(wb_.File.IsRangeModified(1));
    EXPECT_EQ(observer_.dataChanged, 0);
  }
  km::testing::ScopedEnv noInstalledTable_{km::kDataDirectoryVariable, (dir_ / "installed").string()};
};

TEST(AbsorptionFormula, FactorsOfTheFlatGeometries) {
  const auto transmission = AbsorptionFormula::Transmission(0.5);
  EXPECT_NEAR(transmission.Factor(0.0), 2.0, 1e-12);
  EXPECT_NEAR(transmission.Factor(10.0), 2.0053, 1e-4);
  const auto reflection = AbsorptionFormula::Reflection(30.0);
  for (const double twoTheta : {0.0, 2.0, 20.0, 90.0, 150.0, 179.0})
    EXPECT_EQ(static_cast<float>(reflection.Factor(twoTheta)), 1.0f) << twoTheta;
}

TEST_F(AbsorptionTest, TransmissionCorrectsMarksAndStoresTheValueInEveryRange) {
  Open(File(1));
  ASSERT_TRUE(Correct(0.5f));
  EXPECT_EQ(ui_.absorptionRequests.at(0).Label, "Transmission factor (I/Io)");
  EXPECT_EQ(StoredValue(), 0.5f);
  for (int r = 1; r <= 3; ++r) {
    std::vector<float> data;
    const km::RawRangeHeader h = Range(r, &data);
    EXPECT_TRUE(h.RangeFlags & km::kFlagAbsorptionCorrected) << r;
    EXPECT_EQ(h.BackgroundPointCount, 0);
    EXPECT_TRUE(wb_.File.IsRangeModified(r));
    EXPECT_EQ(h.MaxIntensity, km::RoundToCount(*std::max_element(data.begin(), data.end())));
  }
  EXPECT_EQ(Range(1).MinIntensity, 2000);
  EXPECT_EQ(observer_.dataChanged, 1);
}

TEST_F(AbsorptionTest, ASecondCorrectionIsRefusedWhicheverRangeCarriesTheMark) {
  Open(File(1));
  ASSERT_TRUE(Correct(0.5f));
  EXPECT_FALSE(Correct(0.5f));
  EXPECT_EQ(ui_.sink.LastText(), "Absorption correction already applied ( I/I(o) = 0.500 )");
  EXPECT_EQ(ui_.sink.Last().icon, MessageIcon::Stop);
  EXPECT_EQ(ui_.absorptionRequests.size(), 1u);

  // Only range 2 marked, as after a merge: still refused; with a stored value of 0 it runs again.
  km::RawFileHeader h = MeasuredHeader();
  h.ScanMode = 3;
  h.AbsorptionValue = 1.25f;
  TestRange marked = Ramp(5, 40.0f);
  marked.header.RangeFlags = km::kFlagAbsorptionCorrected;
  const std::string merged = WriteFile("merged.raw", h, {Ramp(5, 20.0f), marked});
  Open(merged);
  EXPECT_FALSE(Correct(1.0f));
  EXPECT_EQ(ui_.sink.LastText(), "Absorption correction already applied ( Mu * R = 1.250 )");
  h.AbsorptionValue = 0.0f;
  WriteFile("merged.raw", h, {Ramp(5, 20.0f), marked});
  WriteTable(LinearTable());
  Open(merged);
  EXPECT_TRUE(Correct(1.0f));
}

TEST_F(AbsorptionTest, RefusalsLeaveTheFileAsItWas) {
  struct Case {
    int scanMode, scanType;
    std::optional<float> value;
    std::string message;  // empty: ends without a word
  };
  const Case cases[] = {
      {2, 2, 1.0f, "Omega scans cannot be corrected for absorption."},
      {0, 3, 1.0f, "No absorption correction is defined for the scan mode of this file ( Unknown )."},
      {7, 3, 1.0f, "No absorption correction is defined for the scan mode of this file ( 7 )."},
      {1, 3, 1.5f, km::InvalidDataText(0.0f, 1.0f)},
      {2, 3, -1.0f, km::InvalidDataText(0.0f, 30.0f)},
      {2, 3, 0.0f, ""},
      {2, 3, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    Open(File(c.scanMode, 0.0f, 2, c.scanType));
    ui_.sink.Clear();
    EXPECT_FALSE(Correct(c.value));
    EXPECT_EQ(ui_.sink.LastText(), c.message) << c.scanMode;
    ExpectUnchanged();
  }
}

TEST_F(AbsorptionTest, AFactorThatCannotBeStoredIsRefusedNamingTheAngle) {
  km::RawFileHeader h = MeasuredHeader();
  h.ScanMode = 1;
  TestRange near180 = Ramp(3, 179.0f, 0.5f);
  Open(WriteFile("back.raw", h, {Ramp(3, 20.0f), near180}));
  EXPECT_FALSE(Correct(1e-6f));
  EXPECT_EQ(ui_.sink.LastText(),
            "The absorption correction gives an intensity that cannot be stored at 2Theta = 179.000 (range 2).\n"
            "No range has been changed.");
  ExpectUnchanged();
  EXPECT_EQ(StoredValue(), 0.0f);
}

TEST_F(AbsorptionTest, DebyeScherrerInterpolatesTheInstalledTableWithSplines) {
  // The program directory has none: the installed table serves.
  const std::string installed = (dir_ / "installed" / "PROGRAMS" / kCylinderTableName).string();
  std::filesystem::create_directories(dir_ / "installed" / "PROGRAMS");
  WriteTable(LinearTable(), installed);
  EXPECT_EQ(CylinderAbsorptionTablePath(wb_.State.ProgramDirectory), installed);
  Open(File(3));
  ASSERT_TRUE(Correct(1.5f));
  EXPECT_EQ(ui_.absorptionRequests[0].Label, "Mu * R");
  for (int r = 1; r <= 3; ++r) {
    std::vector<float> data;
    const km::RawRangeHeader h = Range(r, &data);
    for (size_t i = 0; i < data.size(); ++i) {
      const double theta = (h.TwoThetaBegin + static_cast<double>(i) * h.TwoThetaStep) / 2;
      ASSERT_EQ(data[i], std::round(1000 * (2.5 + theta / 90))) << r << " " << i;  // stored as counts
    }
  }
}

TEST_F(AbsorptionTest, AMissingDamagedOrTooSmallTableChangesNothing) {
  std::vector<uint8_t> nan = LinearTable();
  PutFloat(nan, 145 * 7 + 30, std::nanf(""));
  std::vector<uint8_t> unordered = LinearTable();
  PutFloat(unordered, 145 * 3, 50.0f);  // theta of record 3 above that of record 4
  std::vector<uint8_t> shortTable = LinearTable();
  shortTable.resize(kCylinderTableBytes - 4);
  const std::string invalid = km::FormatCatalog(km::msg::InvalidFormat, TablePath());
  const struct {
    std::optional<std::vector<uint8_t>> table;
    float value;
    std::string message;
  } cases[] = {
      {std::nullopt, 1.0f, "Data file cannot be opened.\n\n" + TablePath()},
      {shortTable, 1.0f, invalid},
      {nan, 1.0f, invalid},
      {unordered, 1.0f, invalid},
      {LinearTable(10.0f), 20.0f, "Mu * R = 20.000 lies outside the absorption table ( 0 to 10 ).\n\n" + TablePath()},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(TablePath());
    if (c.table) WriteTable(*c.table);
    Open(File(3));
    ui_.sink.Clear();
    EXPECT_FALSE(Correct(c.value));
    EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{c.message});
    ExpectUnchanged();
  }
}

TEST(ThetaFactorSpline, AnglesOutsideTheQuarterTurnAreTakenBySymmetry) {
  CylinderAbsorptionTable table;
  const auto bytes = LinearTable();
  ASSERT_EQ(ParseCylinderAbsorptionTable(bytes, table), CylinderTableFault::None);
  const ThetaFactorSpline spline = SplineAtMuR(table, 1.0);
  EXPECT_NEAR(spline.At(30.0), 2.0 + 30.0 / 90, 1e-6);
  EXPECT_DOUBLE_EQ(spline.At(-30.0), spline.At(30.0));
  EXPECT_DOUBLE_EQ(spline.At(150.0), spline.At(30.0));
  EXPECT_TRUE(std::isnan(spline.At(std::nan(""))));
}

}  // namespace
}  // namespace keltor::testing
