#pragma once
// Numeric routines of the data corrections: polynomials, a bounded arc sine and the natural cubic
// spline.
#include <span>

namespace km {

// c0 + c1*x + ... + c_order*x^order by Horner's rule in double precision. An order beyond the
// coefficients given is limited to them; a negative order gives 0.
double EvalPolynomial(double x, std::span<const double> coefficients, int order);

// arcsin x for |x| < 1; +pi/2 for x >= 1 and -pi/2 for x <= -1 (also for values a rounding step outside).
double SafeArcSin(double x);

// Coefficients of the natural cubic spline (second derivative 0 at both ends) through (x[i], y[i]),
// i = 1..n, x ascending. All arrays hold n+1 elements and element 0 is not used. With n < 2 the spline
// is the constant y[1].
void SplineSetup(int n, const double* x, const double* y, double* b, double* c, double* d);

// The spline at v: y[i] + dx*(b[i] + dx*(c[i] + dx*d[i])) with dx = v - x[i] on the segment i with
// x[i] <= v; 0 outside [x[1], x[n]].
double SplineValue(double v, int n, const double* x, const double* y, const double* b, const double* c,
                   const double* d);

}  // namespace km
