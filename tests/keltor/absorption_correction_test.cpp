// Operations > Absorption Correction: the three formulas, the cylinder table and its faults, the marks,
// and the refusals that leave the working file as it was.
#include <cstring>
#include <cmath>
#include <fstream>

#include "common/core/dialog_fields.h"
#include "common/core/installed_data.h"
#include "keltor/core/operations/absorption_correction.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

void PutFloat(std::vector<uint8_t>& bytes, size_t index, float value) {
  std::memcpy(bytes.data() + index * 4, &value, 4);  // the table is little-endian, as this machine
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
  // A file of the geometry with ranges of 11 points from 0, 60 and 120 degrees, all counts 1000.
  std::string File(int scanMode, int ranges = 3, int scanType = 3) {
    km::RawFileHeader h = MeasuredHeader();
    h.ScanMode = static_cast<int16_t>(scanMode);
    h.ScanType = static_cast<int16_t>(scanType);
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
  // The header's AbsorptionValue, by value (the packed field may lie unaligned).
  float StoredValue() const { return wb_.File.WorkingFile.Header.AbsorptionValue; }
  // Nothing changed: no working copy, no marks, no notification.
  void ExpectUnchanged() {
    EXPECT_FALSE(wb_.File.IsModified);
    EXPECT_EQ(TempFiles("RAW") + TempFiles("SCR"), 0);
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
    const auto [h, data] = WorkbenchRange(r);
    EXPECT_TRUE(h.RangeFlags & km::kFlagAbsorptionCorrected) << r;
    EXPECT_EQ(h.BackgroundPointCount, 0);
    EXPECT_EQ(h.MaxIntensity, km::RoundToCount(*std::max_element(data.begin(), data.end())));
  }
  EXPECT_EQ(WorkbenchRange(1).first.MinIntensity, 2000);
  EXPECT_EQ(observer_.dataChanged, 1);
}

// Refused before the dialog, naming the value applied, even when only range 2 carries the mark (as
// after a merge).
TEST_F(AbsorptionTest, ASecondCorrectionIsRefusedWhicheverRangeCarriesTheMark) {
  km::RawFileHeader h = MeasuredHeader();
  h.ScanMode = 1;
  h.AbsorptionValue = 0.5f;
  TestRange marked = Ramp(5, 40.0f);
  marked.header.RangeFlags = km::kFlagAbsorptionCorrected;
  Open(WriteFile("merged.raw", h, {Ramp(5, 20.0f), marked}));
  EXPECT_FALSE(Correct(0.5f));
  EXPECT_EQ(ui_.sink.Texts(), std::vector<std::string>{"Absorption correction already applied ( I/I(o) = 0.500 )"});
  EXPECT_TRUE(ui_.absorptionRequests.empty());
}

// Refused geometries and values, a missing, damaged or too small cylinder table, and a factor that
// cannot be stored change nothing.
TEST_F(AbsorptionTest, RefusalsLeaveTheFileAsItWas) {
  std::vector<uint8_t> nan = LinearTable();
  PutFloat(nan, 145 * 7 + 30, std::nanf(""));
  std::vector<uint8_t> unordered = LinearTable();
  PutFloat(unordered, 145 * 3, 50.0f);  // theta of record 3 above that of record 4
  std::vector<uint8_t> shortTable = LinearTable();
  shortTable.resize(kCylinderTableBytes - 4);
  const std::string invalid = km::FormatCatalog(km::msg::InvalidFormat, TablePath());
  const struct {
    int scanMode, scanType;
    std::optional<float> value;
    std::string message;  // empty: ends without a word
    std::optional<std::vector<uint8_t>> table;
  } cases[] = {
      {2, 2, 1.0f, "Omega scans cannot be corrected for absorption.", {}},
      {0, 3, 1.0f, "No absorption correction is defined for the scan mode of this file ( Unknown ).", {}},
      {7, 3, 1.0f, "No absorption correction is defined for the scan mode of this file ( 7 ).", {}},
      {1, 3, 1.5f, km::InvalidDataText(0.0f, 1.0f), {}},
      {2, 3, -1.0f, km::InvalidDataText(0.0f, 30.0f), {}},
      {2, 3, 0.0f, "", {}},
      {2, 3, std::nullopt, "", {}},
      {3, 3, 1.0f, "Data file cannot be opened.\n\n" + TablePath(), {}},
      {3, 3, 1.0f, invalid, shortTable},
      {3, 3, 1.0f, invalid, nan},
      {3, 3, 1.0f, invalid, unordered},
      {3, 3, 20.0f, "Mu * R = 20.000 lies outside the absorption table ( 0 to 10 ).\n\n" + TablePath(), LinearTable(10.0f)},
      // 1000 counts times 10^6^(1 / cos 30) exceed the largest count.
      {1, 3, 1e-6f, "The absorption correction gives an intensity that cannot be stored at 2Theta = 60.000 (range 2).\n"
                    "No range has been changed.", {}},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(TablePath());
    if (c.table) WriteTable(*c.table);
    Open(File(c.scanMode, 2, c.scanType));
    ui_.sink.Clear();
    EXPECT_FALSE(Correct(c.value));
    EXPECT_EQ(ui_.sink.LastText(), c.message) << c.scanMode << " " << c.message;
    ExpectUnchanged();
    EXPECT_EQ(StoredValue(), 0.0f);
  }
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
    const auto [h, data] = WorkbenchRange(r);
    for (size_t i = 0; i < data.size(); ++i) {
      const double theta = (h.TwoThetaBegin + static_cast<double>(i) * h.TwoThetaStep) / 2;
      ASSERT_EQ(data[i], std::round(1000 * (2.5 + theta / 90))) << r << " " << i;  // stored as counts
    }
  }
}

}  // namespace
}  // namespace keltor::testing
