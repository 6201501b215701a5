// The cylinder absorption factors: the limits the physics fixes, a finer integration, and the table
// the build generated from them.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>

#include "keltor/core/operations/cylinder_absorption_table.h"
#include "tools/cylinder_absorption.h"

namespace km::cylabs {
namespace {

const Quadrature kTable = TableQuadrature();

TEST(CylinderAbsorption, SmallMuRGivesTheMeanPathLengthAndAFinerIntegrationChangesNothing) {
  // A* = 1 + 16/(3 pi) mu R + O((mu R)^2) at every angle; the finer integration agrees to what single
  // precision holds.
  const std::vector<double> muR{0.0, 1e-4, 0.3, 3.0, 30.0};
  const Quadrature finer = FinerQuadrature(kTable);
  for (const double theta : {0.0, 1.83, 24.32, 45.0, 62.57, 77.0, 85.87, 90.0}) {
    const auto a = CylinderTransmission(theta, muR, kTable), fine = CylinderTransmission(theta, muR, finer);
    EXPECT_NEAR(a[0], 1.0, 1e-12) << theta;
    EXPECT_NEAR((1.0 / a[1] - 1.0) / 1e-4, 16.0 / (3.0 * std::numbers::pi), 2e-4) << theta;
    for (size_t i = 2; i < muR.size(); ++i) EXPECT_NEAR(a[i] / fine[i], 1.0, 1e-9) << theta << " " << muR[i];
  }
}

TEST(CylinderAbsorption, EndsAgreeWithTheOneDimensionalIntegralsAndMirrorAtNinety) {
  const std::vector<double> muR{0.05, 0.5, 2.0, 10.0, 30.0};
  const auto forward = CylinderTransmission(0.0, muR, kTable), back = CylinderTransmission(90.0, muR, kTable);
  const auto below = CylinderTransmission(82.5, muR, kTable), above = CylinderTransmission(97.5, muR, kTable);
  for (size_t i = 0; i < muR.size(); ++i) {
    EXPECT_NEAR(forward[i] / ForwardTransmission(muR[i]), 1.0, 1e-9) << muR[i];
    EXPECT_NEAR(back[i] / BackTransmission(muR[i]), 1.0, 1e-9) << muR[i];
    EXPECT_NEAR(below[i] / above[i], 1.0, 1e-9) << muR[i];
  }
}

TEST(CylinderAbsorption, TheBuiltTableIsTheGeneratorsAndGrowsWithMuRAndNeverGrowsWithTheta) {
  std::ifstream in(KM_BUILT_CYLINDER_TABLE, std::ios::binary);
  ASSERT_TRUE(in) << KM_BUILT_CYLINDER_TABLE;
  const std::vector<uint8_t> built((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<uint8_t> computed = EncodeTable(CorrectionFactors(kTable));
  ASSERT_EQ(computed.size(), kTableBytes);
  EXPECT_TRUE(built == computed);

  keltor::CylinderAbsorptionTable table;
  ASSERT_EQ(keltor::ParseCylinderAbsorptionTable(computed, table), keltor::CylinderTableFault::None);
  for (size_t k = 0; k < table.Factor.size(); ++k) {
    EXPECT_EQ(table.Factor[k][0], 1.0f);
    for (size_t i = 1; i < table.MuR.size(); ++i) ASSERT_GT(table.Factor[k][i], table.Factor[k][i - 1]) << k << " " << i;
    if (k == 0) continue;
    for (size_t i = 1; i < table.MuR.size(); ++i) ASSERT_LE(table.Factor[k][i], table.Factor[k - 1][i]) << k << " " << i;
  }
}

}  // namespace
}  // namespace km::cylabs
