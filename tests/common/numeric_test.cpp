#include "common/core/numeric.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace km {
namespace {

TEST(Numeric, PolynomialHornerAndLimits) {
  const std::array<double, 3> c{1.0, -2.0, 0.5};  // 1 - 2x + x^2/2
  EXPECT_DOUBLE_EQ(EvalPolynomial(4.0, c, 2), 1.0);
  EXPECT_DOUBLE_EQ(EvalPolynomial(4.0, c, 1), -7.0);
  EXPECT_DOUBLE_EQ(EvalPolynomial(4.0, c, 9), 1.0);  // limited to the coefficients given
  EXPECT_DOUBLE_EQ(EvalPolynomial(4.0, c, -1), 0.0);
}

TEST(Numeric, NaturalSplineThroughKnownPoints) {
  // A natural spline reproduces a straight line exactly, and passes through every knot of a curve.
  constexpr int n = 5;
  std::array<double, n + 1> x{0, 1, 2, 4, 5, 7}, line{}, curve{}, b{}, c{}, d{};
  for (int i = 1; i <= n; ++i) {
    line[i] = 3.0 * x[i] - 1.0;
    curve[i] = std::sin(x[i]);
  }
  SplineSetup(n, x.data(), line.data(), b.data(), c.data(), d.data());
  for (double v : {1.0, 1.3, 2.5, 3.9, 6.2, 7.0}) EXPECT_NEAR(SplineValue(v, n, x.data(), line.data(), b.data(), c.data(), d.data()), 3 * v - 1, 1e-12);
  EXPECT_EQ(SplineValue(0.99, n, x.data(), line.data(), b.data(), c.data(), d.data()), 0.0);
  EXPECT_EQ(SplineValue(7.01, n, x.data(), line.data(), b.data(), c.data(), d.data()), 0.0);

  SplineSetup(n, x.data(), curve.data(), b.data(), c.data(), d.data());
  for (int i = 1; i <= n; ++i) EXPECT_NEAR(SplineValue(x[i], n, x.data(), curve.data(), b.data(), c.data(), d.data()), curve[i], 1e-12);
  EXPECT_NEAR(c[1], 0.0, 1e-12);  // zero curvature at the first knot
  // Zero curvature at the last knot: the second derivative of the last segment, 2c + 6d*h, vanishes there.
  EXPECT_NEAR(2 * c[n - 1] + 6 * d[n - 1] * (x[n] - x[n - 1]), 0.0, 1e-12);
}

TEST(Numeric, SplineOfOneOrTwoPointsStaysInBounds) {
  std::array<double, 3> x{0, 2, 4}, y{0, 5, 9}, b{}, c{}, d{};
  SplineSetup(1, x.data(), y.data(), b.data(), c.data(), d.data());
  EXPECT_EQ(SplineValue(2.0, 1, x.data(), y.data(), b.data(), c.data(), d.data()), 5.0);
  SplineSetup(2, x.data(), y.data(), b.data(), c.data(), d.data());
  EXPECT_DOUBLE_EQ(SplineValue(3.0, 2, x.data(), y.data(), b.data(), c.data(), d.data()), 7.0);
  SplineSetup(0, x.data(), y.data(), b.data(), c.data(), d.data());
  EXPECT_EQ(SplineValue(2.0, 0, x.data(), y.data(), b.data(), c.data(), d.data()), 0.0);
}

}  // namespace
}  // namespace km
