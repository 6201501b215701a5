// Computes the absorption correction factors of a cylindrical sample and writes them as CYLABS.DAT
// (how, and how accurately: tools/cylinder_absorption.h). The build runs it; the two checks print the
// accuracy figures.
//
//   make-cylinder-table OUT             write the table
//   make-cylinder-table --check         the table's integration against a finer one and the 1-D forms
//   make-cylinder-table --between-nodes the factor the workbench interpolates from the table, against
//                                       the integral, for 2theta 5..175 degrees
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "keltor/core/operations/cylinder_absorption_table.h"
#include "tools/cylinder_absorption.h"

namespace {

namespace cylabs = km::cylabs;

int WriteTable(const std::string& path) {
  const std::vector<uint8_t> bytes = cylabs::EncodeTable(cylabs::CorrectionFactors(cylabs::TableQuadrature()));
  std::error_code error;
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  // Written beside the target and renamed, so that an interrupted build never leaves half a table.
  const std::string partial = path + ".part";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "make-cylinder-table: cannot write %s\n", partial.c_str());
      return 1;
    }
  }
  std::filesystem::rename(partial, target, error);
  if (error) {
    std::fprintf(stderr, "make-cylinder-table: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

double Relative(double value, double reference) { return std::fabs(value / reference - 1.0); }

int CheckIntegration() {
  const auto q = cylabs::TableQuadrature();
  const auto table = cylabs::CorrectionFactors(q);
  const auto finer = cylabs::CorrectionFactors(cylabs::FinerQuadrature(q));
  const auto grid = cylabs::MuRGrid();
  const auto nodes = cylabs::ThetaNodes();
  double worst = 0, worstTheta = 0, worstMuR = 0, worstStored = 0, worstEnds = 0;
  for (size_t k = 0; k < table.size(); ++k) {
    for (size_t i = 0; i < grid.size(); ++i) {
      const double e = Relative(table[k][i], finer[k][i]);
      if (e > worst) {
        worst = e;
        worstTheta = nodes[k];
        worstMuR = grid[i];
      }
      worstStored = std::max(worstStored, Relative(static_cast<float>(table[k][i]), finer[k][i]));
      if (nodes[k] == 0.0) worstEnds = std::max(worstEnds, Relative(table[k][i], 1.0 / cylabs::ForwardTransmission(grid[i])));
      if (nodes[k] == 90.0) worstEnds = std::max(worstEnds, Relative(table[k][i], 1.0 / cylabs::BackTransmission(grid[i])));
    }
  }
  std::printf("integration against the finer quadrature: largest relative difference %.2e (theta %.2f, mu R %.4f)\n",
              worst, worstTheta, worstMuR);
  std::printf("stored single-precision values against the finer quadrature: %.2e\n", worstStored);
  std::printf("theta 0 and 90 against the one-dimensional integrals: %.2e\n", worstEnds);
  return 0;
}

int CheckBetweenNodes() {
  keltor::CylinderAbsorptionTable table;
  const auto bytes = cylabs::EncodeTable(cylabs::CorrectionFactors(cylabs::TableQuadrature()));
  if (keltor::ParseCylinderAbsorptionTable(bytes, table) != keltor::CylinderTableFault::None) return 1;
  const auto q = cylabs::TableQuadrature();
  std::vector<double> muR;
  for (int i = 1; i <= 120; ++i) muR.push_back(0.25 * i);  // 0.25 .. 30
  std::vector<keltor::ThetaFactorSpline> splines;
  for (const double m : muR) splines.push_back(keltor::SplineAtMuR(table, m));
  double worst10 = 0, theta10 = 0, muR10 = 0, worst30 = 0, theta30 = 0, muR30 = 0;
  for (double twoTheta = 5.0; twoTheta <= 175.0 + 1e-9; twoTheta += 0.5) {
    const double theta = twoTheta / 2;
    const auto a = cylabs::CylinderTransmission(theta, muR, q);
    for (size_t i = 0; i < muR.size(); ++i) {
      const double e = Relative(splines[i].At(theta) * a[i], 1.0);
      if (muR[i] <= 10.0 && e > worst10) {
        worst10 = e;
        theta10 = theta;
        muR10 = muR[i];
      }
      if (e > worst30) {
        worst30 = e;
        theta30 = theta;
        muR30 = muR[i];
      }
    }
  }
  std::printf("interpolated factor against the integral, 2theta 5..175 step 0.5, mu R 0.25..10 step 0.25:\n"
              "  largest relative deviation %.2e at 2theta %.1f, mu R %.2f\n",
              worst10, 2 * theta10, muR10);
  std::printf("the same for mu R up to 30: %.2e at 2theta %.1f, mu R %.2f\n", worst30, 2 * theta30, muR30);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fprintf(stderr,
                 "usage: make-cylinder-table OUT | --check | --between-nodes\n"
                 "  OUT              write the cylinder absorption table (CYLABS.DAT)\n"
                 "  --check          the integration against a finer quadrature and the 1-D forms\n"
                 "  --between-nodes  the interpolated factor against the integral between the nodes\n");
    return argc != 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "--check") == 0) return CheckIntegration();
  if (std::strcmp(argv[1], "--between-nodes") == 0) return CheckBetweenNodes();
  return WriteTable(argv[1]);
}
