#include "keltor/core/operations/cylinder_absorption_table.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

#include "common/core/file_access.h"
#include "common/core/installed_data.h"
#include "common/core/numeric.h"
#include "common/core/paths.h"
#include "common/core/program_directory.h"

namespace keltor {

namespace {

// A real table is 11600 bytes; anything much larger is not one.
constexpr size_t kLargestTableFile = 1 << 20;

float FloatAt(std::span<const uint8_t> bytes, size_t index) {
  const size_t at = index * 4;
  const uint32_t bits = uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
                        uint32_t{bytes[at + 3]} << 24;
  return std::bit_cast<float>(bits);
}

template <size_t N>
bool AllFinite(const std::array<float, N>& values) {
  for (const float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

template <size_t N>
bool Ascending(const std::array<float, N>& values) {
  for (size_t i = 1; i < N; ++i)
    if (!(values[i] > values[i - 1])) return false;
  return true;
}

}  // namespace

CylinderTableFault ParseCylinderAbsorptionTable(std::span<const uint8_t> bytes, CylinderAbsorptionTable& table) {
  if (bytes.size() < kCylinderTableBytes) return CylinderTableFault::Short;
  constexpr size_t kPerRecord = 1 + kCylinderMuRCount;
  CylinderAbsorptionTable read;
  for (size_t i = 0; i < kCylinderMuRCount; ++i) read.MuR[i] = FloatAt(bytes, 1 + i);
  for (size_t k = 0; k < kCylinderThetaCount; ++k) {
    const size_t record = (k + 1) * kPerRecord;
    read.Theta[k] = FloatAt(bytes, record);
    for (size_t i = 0; i < kCylinderMuRCount; ++i) read.Factor[k][i] = FloatAt(bytes, record + 1 + i);
  }
  if (!AllFinite(read.MuR) || !AllFinite(read.Theta)) return CylinderTableFault::NotFinite;
  for (const auto& row : read.Factor)
    if (!AllFinite(row)) return CylinderTableFault::NotFinite;
  if (!Ascending(read.MuR) || !Ascending(read.Theta)) return CylinderTableFault::NotAscending;
  table = read;
  return CylinderTableFault::None;
}

double ThetaFactorSpline::At(double thetaDegrees) const {
  double factor = 0.0;
  At({&thetaDegrees, 1}, {&factor, 1});
  return factor;
}

void ThetaFactorSpline::At(std::span<const double> thetaDegrees, std::span<double> factors) const {
  constexpr int n = kCylinderThetaCount;
  const size_t count = std::min(thetaDegrees.size(), factors.size());
  int segment = 1;
  for (size_t a = 0; a < count; ++a) {
    if (!std::isfinite(thetaDegrees[a])) {
      factors[a] = std::numeric_limits<double>::quiet_NaN();
      continue;
    }
    double theta = std::fabs(thetaDegrees[a]);
    if (!(theta < 180.0)) theta = std::fmod(theta, 180.0);  // below 180 the remainder is theta itself
    if (theta > 90.0) theta = 180.0 - theta;
    // The interval of the natural spline (km::SplineValue's): the last node at or below theta, the
    // last interval for theta on the last node, and 0 off the angles of the table.
    if (!(theta >= Theta[1] && theta <= Theta[n])) {
      factors[a] = 0.0;
      continue;
    }
    while (segment < n - 1 && Theta[static_cast<size_t>(segment) + 1] <= theta) ++segment;
    while (segment > 1 && Theta[static_cast<size_t>(segment)] > theta) --segment;
    const auto i = static_cast<size_t>(segment);
    const double dx = theta - Theta[i];
    factors[a] = Factor[i] + dx * (B[i] + dx * (C[i] + dx * D[i]));
  }
}

bool TableCoversMuR(const CylinderAbsorptionTable& table, double muR) {
  return muR >= table.MuR.front() && muR <= table.MuR.back();
}

ThetaFactorSpline SplineAtMuR(const CylinderAbsorptionTable& table, double muR) {
  constexpr int n = kCylinderMuRCount;
  std::array<double, n + 1> x{}, y{}, b{}, c{}, d{};
  for (int i = 0; i < n; ++i) x[i + 1] = table.MuR[static_cast<size_t>(i)];
  ThetaFactorSpline spline;
  for (int k = 0; k < kCylinderThetaCount; ++k) {
    const auto& row = table.Factor[static_cast<size_t>(k)];
    for (int i = 0; i < n; ++i) y[i + 1] = row[static_cast<size_t>(i)];
    km::SplineSetup(n, x.data(), y.data(), b.data(), c.data(), d.data());
    spline.Theta[k + 1] = table.Theta[static_cast<size_t>(k)];
    spline.Factor[k + 1] = km::SplineValue(muR, n, x.data(), y.data(), b.data(), c.data(), d.data());
  }
  km::SplineSetup(kCylinderThetaCount, spline.Theta.data(), spline.Factor.data(), spline.B.data(), spline.C.data(),
                  spline.D.data());
  return spline;
}

std::string CylinderAbsorptionTablePath(const std::string& programDirectory) {
  const std::string installed =
      km::JoinPath(km::ProgramsDirectory(km::InstalledDataDirectory()), kCylinderTableName);
  if (programDirectory.empty()) return installed;
  const std::string own = km::JoinPath(km::ProgramsDirectory(programDirectory), kCylinderTableName);
  if (km::FileTest(own, km::kFileMustExist) || !km::FileTest(installed, km::kFileMustExist)) return own;
  return installed;
}

bool LoadCylinderAbsorptionTable(km::MessageSink& sink, const std::string& programDirectory, double muR,
                                 ThetaFactorSpline& spline) {
  const std::string path = CylinderAbsorptionTablePath(programDirectory);
  const std::optional<std::string> content = km::ReadWholeFile(path, kLargestTableFile);
  if (!content) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeOpened, "Data", path));
    return false;
  }
  CylinderAbsorptionTable table;
  const auto* data = reinterpret_cast<const uint8_t*>(content->data());
  if (ParseCylinderAbsorptionTable({data, content->size()}, table) != CylinderTableFault::None) {
    sink.ShowError(km::FormatCatalog(km::msg::InvalidFormat, path));
    return false;
  }
  if (!TableCoversMuR(table, muR)) {
    char text[160];
    std::snprintf(text, sizeof text, "Mu * R = %.3f lies outside the absorption table ( %g to %g ).\n\n",
                  muR, static_cast<double>(table.MuR.front()), static_cast<double>(table.MuR.back()));
    sink.ShowError(text + path);
    return false;
  }
  spline = SplineAtMuR(table, muR);
  return true;
}

}  // namespace keltor
