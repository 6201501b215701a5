#include "common/core/numeric.h"

#include <cmath>
#include <vector>

namespace km {

double EvalPolynomial(double x, std::span<const double> coefficients, int order) {
  if (order < 0 || coefficients.empty()) return 0.0;
  size_t top = static_cast<size_t>(order);
  if (top >= coefficients.size()) top = coefficients.size() - 1;
  double value = coefficients[top];
  for (size_t i = top; i-- > 0;) value = value * x + coefficients[i];
  return value;
}

double SafeArcSin(double x) {
  constexpr double kHalfPi = 1.570796327;
  if (x >= 1.0) return kHalfPi;
  if (x <= -1.0) return -kHalfPi;
  if (std::isnan(x)) return 0.0;
  return std::asin(x);
}

void SplineSetup(int n, const double* x, const double* y, double* b, double* c, double* d) {
  if (n < 1) return;
  if (n < 2) {
    b[1] = c[1] = d[1] = 0.0;
    return;
  }
  const auto count = static_cast<size_t>(n);
  // h[i] = x[i+1] - x[i]; m holds the second derivatives, natural ends m[1] = m[n] = 0.
  std::vector<double> h(count + 1, 0.0), m(count + 1, 0.0), diag(count + 1, 0.0), rhs(count + 1, 0.0);
  std::vector<double> slope(count + 1, 0.0);
  for (int i = 1; i < n; ++i) {
    h[i] = x[i + 1] - x[i];
    // Two points on one angle have no slope between them; the segment stays flat rather than infinite.
    slope[i] = h[i] != 0.0 ? (y[i + 1] - y[i]) / h[i] : 0.0;
  }
  // Forward elimination of the tridiagonal system for m[2..n-1].
  for (int i = 2; i < n; ++i) {
    diag[i] = 2.0 * (h[i - 1] + h[i]);
    rhs[i] = 6.0 * (slope[i] - slope[i - 1]);
    if (i > 2 && diag[i - 1] != 0.0) {
      const double factor = h[i - 1] / diag[i - 1];
      diag[i] -= factor * h[i - 1];
      rhs[i] -= factor * rhs[i - 1];
    }
  }
  for (int i = n - 1; i >= 2; --i) {
    const double next = i + 1 < n ? h[i] * m[i + 1] : 0.0;
    m[i] = diag[i] != 0.0 ? (rhs[i] - next) / diag[i] : 0.0;
  }
  for (int i = 1; i < n; ++i) {
    b[i] = slope[i] - h[i] * (2.0 * m[i] + m[i + 1]) / 6.0;
    c[i] = m[i] / 2.0;
    d[i] = h[i] != 0.0 ? (m[i + 1] - m[i]) / (6.0 * h[i]) : 0.0;
  }
  // The end point: the slope there, and the end's zero curvature.
  b[n] = b[n - 1] + h[n - 1] * (2.0 * c[n - 1] + 3.0 * d[n - 1] * h[n - 1]);
  c[n] = 0.0;
  d[n] = 0.0;
}

double SplineValue(double v, int n, const double* x, const double* y, const double* b, const double* c,
                   const double* d) {
  if (n < 1 || !(v >= x[1] && v <= x[n])) return 0.0;
  int i = 1;
  if (n >= 3) {
    int j = n;
    while (j > i + 1) {
      const int k = (i + j) / 2;
      if (v < x[k]) {
        j = k;
      } else {
        i = k;
      }
    }
  }
  const double dx = v - x[i];
  return y[i] + dx * (b[i] + dx * (c[i] + dx * d[i]));
}

}  // namespace km
