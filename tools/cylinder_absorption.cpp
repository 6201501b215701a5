#include "tools/cylinder_absorption.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

namespace km::cylabs {

namespace {

constexpr double kPi = std::numbers::pi;

struct GaussRule {
  std::vector<double> x, w;  // nodes and weights on [-1, 1]
};

// Gauss-Legendre nodes by Newton's method on the Legendre polynomial.
GaussRule Gauss(int n) {
  GaussRule rule;
  for (int i = 1; i <= n; ++i) {
    double z = std::cos(kPi * (i - 0.25) / (n + 0.5));
    double derivative = 1.0;
    for (int iteration = 0; iteration < 100; ++iteration) {
      double p1 = 1.0, p2 = 0.0;
      for (int j = 1; j <= n; ++j) {
        const double p3 = p2;
        p2 = p1;
        p1 = ((2.0 * j - 1.0) * z * p2 - (j - 1.0) * p3) / j;
      }
      derivative = n * (z * p1 - p2) / (z * z - 1.0);
      const double previous = z;
      z = previous - p1 / derivative;
      if (std::fabs(z - previous) < 1e-15) break;
    }
    rule.x.push_back(z);
    rule.w.push_back(2.0 / ((1.0 - z * z) * derivative * derivative));
  }
  return rule;
}

struct Panel {
  double lo, hi;
};

// [a, b] cut into even panels no wider than width; the first and the last panel are halved toward
// a and b levels times.
void AddGradedPanels(double a, double b, double width, int levels, std::vector<Panel>& panels) {
  if (!(b - a > 1e-12)) return;
  const int n = std::max(2, static_cast<int>(std::ceil((b - a) / width)));
  const double h = (b - a) / n;
  for (int i = 0; i < n; ++i) {
    const double lo = a + i * h;
    const double hi = i + 1 == n ? b : a + (i + 1) * h;
    std::vector<double> cuts{lo, hi};
    double part = 1.0;
    for (int k = 0; k < levels; ++k) {
      part *= 0.5;
      if (i == 0) cuts.push_back(lo + part * h);
      if (i + 1 == n) cuts.push_back(hi - part * h);
    }
    std::sort(cuts.begin(), cuts.end());
    for (size_t j = 0; j + 1 < cuts.size(); ++j) {
      if (cuts[j + 1] > cuts[j]) panels.push_back({cuts[j], cuts[j + 1]});
    }
  }
}

// A one-dimensional integral over [-pi/2, pi/2] of a smooth function, by 20-point Gauss on fine panels.
template <typename F>
double IntegrateHalfTurn(F f) {
  static const GaussRule rule = Gauss(20);
  constexpr int kPanels = 400;
  double sum = 0.0;
  for (int p = 0; p < kPanels; ++p) {
    const double a = -kPi / 2 + kPi * p / kPanels;
    const double half = kPi / kPanels / 2;
    for (size_t i = 0; i < rule.x.size(); ++i) sum += half * rule.w[i] * f(a + half + half * rule.x[i]);
  }
  return sum;
}

}  // namespace

Quadrature TableQuadrature() { return {}; }

Quadrature FinerQuadrature(const Quadrature& q) {
  return {q.PanelWidthU / 2, q.PanelWidthV / 2, q.GradingLevels + 4, q.GaussPoints + 2};
}

std::vector<double> CylinderTransmission(double thetaDegrees, std::span<const double> muR, const Quadrature& q) {
  const GaussRule rule = Gauss(q.GaussPoints);
  const double twoTheta = 2.0 * thetaDegrees * kPi / 180.0;
  const double dx = std::cos(twoTheta), dy = std::sin(twoTheta);  // the diffracted direction
  // The chords on which the diffracted beam grazes the rim.
  const double tangent = std::fabs(std::asin(std::clamp(dx, -1.0, 1.0)));
  std::vector<Panel> uPanels, vPanels;
  const double splits[] = {-kPi / 2, -tangent, tangent, kPi / 2};
  for (int i = 0; i < 3; ++i) AddGradedPanels(splits[i], splits[i + 1], q.PanelWidthU, q.GradingLevels, uPanels);
  AddGradedPanels(0.0, kPi, q.PanelWidthV, q.GradingLevels / 2, vPanels);

  // The v nodes are the same on every chord.
  std::vector<double> cosV, vWeight;
  for (const Panel& p : vPanels) {
    const double mid = (p.lo + p.hi) / 2, half = (p.hi - p.lo) / 2;
    for (size_t j = 0; j < rule.x.size(); ++j) {
      const double v = mid + half * rule.x[j];
      cosV.push_back(std::cos(v));
      vWeight.push_back(half * rule.w[j] * std::sin(v));
    }
  }
  std::vector<double> sum(muR.size(), 0.0);
  for (const Panel& p : uPanels) {
    const double mid = (p.lo + p.hi) / 2, half = (p.hi - p.lo) / 2;
    for (size_t i = 0; i < rule.x.size(); ++i) {
      const double u = mid + half * rule.x[i];
      const double y = std::sin(u), c = std::cos(u);
      const double uWeight = half * rule.w[i] * c * c / kPi;
      for (size_t j = 0; j < cosV.size(); ++j) {
        const double x = -c * cosV[j];
        const double along = x * dx + y * dy, across = x * dy - y * dx;
        const double path = (x + c) + (-along + std::sqrt(std::max(0.0, 1.0 - across * across)));
        const double w = uWeight * vWeight[j];
        for (size_t k = 0; k < muR.size(); ++k) sum[k] += w * std::exp(-muR[k] * path);
      }
    }
  }
  return sum;
}

double ForwardTransmission(double muR) {
  return 2.0 / kPi * IntegrateHalfTurn([muR](double u) {
           const double c = std::cos(u);
           return c * c * std::exp(-2.0 * muR * c);
         });
}

double BackTransmission(double muR) {
  if (muR == 0.0) return 1.0;
  return IntegrateHalfTurn([muR](double u) {
           const double c = std::cos(u);
           return c * -std::expm1(-4.0 * muR * c);
         }) /
         (2.0 * kPi * muR);
}

std::vector<double> MuRGrid() {
  std::vector<double> grid;
  const double scale = kMaxMuR / std::expm1(3.0);
  for (int i = 0; i < kMuRCount; ++i) {
    const double value = i + 1 == kMuRCount ? kMaxMuR : scale * std::expm1(3.0 * i / (kMuRCount - 1));
    grid.push_back(static_cast<float>(value));
  }
  return grid;
}

std::vector<double> ThetaNodes() {
  std::vector<double> nodes;
  for (int k = 0; k < kThetaCount; ++k) {
    const double t = static_cast<double>(k) / (kThetaCount - 1);
    const double theta = 90.0 * (1.0 - std::pow(1.0 - std::pow(t, 2.4), 1.5));
    nodes.push_back(static_cast<float>(std::round(theta * 100.0) / 100.0));
  }
  return nodes;
}

std::vector<std::vector<double>> CorrectionFactors(const Quadrature& q) {
  const std::vector<double> grid = MuRGrid();
  std::vector<std::vector<double>> factors;
  for (const double theta : ThetaNodes()) {
    std::vector<double> a = CylinderTransmission(theta, grid, q);
    for (double& value : a) value = 1.0 / value;
    factors.push_back(std::move(a));
  }
  return factors;
}

std::vector<uint8_t> EncodeTable(const std::vector<std::vector<double>>& factors) {
  std::vector<uint8_t> bytes;
  bytes.reserve(kTableBytes);
  auto put = [&bytes](double value) {
    const auto bits = std::bit_cast<uint32_t>(static_cast<float>(value));
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(bits >> shift));
  };
  put(0.0);
  for (const double m : MuRGrid()) put(m);
  const std::vector<double> nodes = ThetaNodes();
  for (int k = 0; k < kThetaCount; ++k) {
    put(nodes[static_cast<size_t>(k)]);
    for (int i = 0; i < kMuRCount; ++i) {
      const auto& row = factors[static_cast<size_t>(k)];
      put(static_cast<size_t>(i) < row.size() ? row[static_cast<size_t>(i)] : 0.0);
    }
  }
  return bytes;
}

}  // namespace km::cylabs
