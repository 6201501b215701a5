#pragma once
// The absorption of a cylindrical powder sample (Debye-Scherrer capillary), computed from the geometry,
// and the table CYLABS.DAT the workbench interpolates in.
//
// Definition. A cylinder of radius R and linear absorption coefficient mu stands across a parallel
// incident beam; the diffracted beam leaves at the scattering angle 2theta. Every volume element of the
// illuminated cross-section diffracts alike, and its contribution is weakened by exp(-mu (l1 + l2)),
// l1 the path from where the incident beam enters to the element, l2 from the element to where the
// diffracted beam leaves. The transmission is the mean of that weakening over the cross-section,
//
//     A(mu R, theta) = 1 / (pi R^2)  * integral over the disc of exp(-mu (l1 + l2)) dx dy,
//
// and the correction factor that multiplies measured intensities is A* = 1 / A: 1 at mu R = 0, growing
// with mu R and falling with theta. With R = 1 the integral depends on mu R alone. For small mu R,
// A* = 1 + 16/(3 pi) mu R + O((mu R)^2) at every angle (the mean of l1 and of l2 is 8/(3 pi) R). The
// geometry is the same mirrored, so A*(theta) = A*(-theta) = A*(180 - theta), and the slope in theta
// vanishes at 0 and 90 degrees.
//
// Integration. The disc is swept by chords along the incident beam: y = sin u (u from -pi/2 to pi/2)
// picks the chord of half length c = cos u, and x = -c cos v (v from 0 to pi) the point on it, so that
// dx dy = c^2 sin v du dv. Both substitutions put the square-root behaviour of the chord ends into
// smooth functions and crowd the nodes toward the rim, where for large mu R all the diffracted intensity
// comes from. Along a chord l1 = x + c, and l2 = -p.d + sqrt(1 - (p x d)^2) for the point p and the
// diffracted direction d. That root vanishes only on the rim where the diffracted beam is tangent,
// u = +-(pi/2 - 2 theta); the u range is split there, and every panel that touches a split point or an
// end is halved toward it again and again (geometric grading), which tames the remaining singularity.
// Each panel carries Gauss-Legendre nodes. The path lengths do not depend on mu R, so one sweep of
// the nodes serves the whole mu R grid.
//
// Accuracy. At the table's quadrature the result agrees with the one-dimensional integrals that hold at
// theta = 0 (l1 + l2 is the chord length) and theta = 90 (l2 = l1) and with a finer quadrature (half
// the panel widths, four more grading levels, two more nodes per panel) to 5e-11 relative everywhere
// in the table, far below single precision: the stored table's error is that of its float storage
// (6e-8). `make-cylinder-table --check` measures both over the whole table.
//
// Grids. mu R: 144 values 30 (e^(3 i/143) - 1) / (e^3 - 1), i = 0..143, in single precision: 0.033 apart
// at 0, where the factor changes fastest relative to its size, 0.64 apart at 30. theta: 19 nodes
// 90 (1 - (1 - t^2.4)^1.5), t = k/18, rounded to 0.01 degree: close at low angles, where the factor
// falls steeply for large mu R, and again toward 90 degrees, so that the natural cubic spline through
// them stays close to the factor between nodes: for 2theta 5..175 degrees and mu R up to 10 the factor
// interpolated as the workbench does it stays within 0.17 per cent of the integral (2.5 per cent up to
// mu R = 30, at the lowest angles), where evenly spaced 5-degree nodes miss it by 7 per cent at
// theta = 2.5 and mu R = 10. `make-cylinder-table --between-nodes` measures it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace km::cylabs {

inline constexpr int kMuRCount = 144;
inline constexpr int kThetaCount = 19;
inline constexpr int kRecordValues = 1 + kMuRCount;        // 145 floats, 580 bytes
inline constexpr int kRecordCount = 1 + kThetaCount;       // 20 records
inline constexpr size_t kTableBytes = size_t{kRecordCount} * kRecordValues * 4;  // 11600
inline constexpr double kMaxMuR = 30.0;

// How finely the cross-section is integrated.
struct Quadrature {
  double PanelWidthU = 0.4;  // largest panel in u (radians) before grading
  double PanelWidthV = 0.4;  // largest panel in v (radians) before grading
  int GradingLevels = 8;     // halvings toward each split point and end
  int GaussPoints = 8;       // Gauss-Legendre nodes per panel
};

// The quadrature the table is computed with, and the finer one it is checked against.
Quadrature TableQuadrature();
Quadrature FinerQuadrature(const Quadrature& q);

// A(mu R, theta) for each mu R of muR at one theta (degrees): the mean weakening over the cross-section.
std::vector<double> CylinderTransmission(double thetaDegrees, std::span<const double> muR, const Quadrature& q);

// The same at theta = 0 and theta = 90 degrees from the one-dimensional integrals that hold there:
// A = (2/pi) int cos^2 u exp(-2 mu R cos u) du and A = (1/(2 pi mu R)) int cos u (1 - exp(-4 mu R cos u)) du,
// u from -pi/2 to pi/2.
double ForwardTransmission(double muR);
double BackTransmission(double muR);

// The table's grids: mu R ascending from 0 to 30 and theta ascending from 0 to 90 degrees, as stored
// (single precision values).
std::vector<double> MuRGrid();
std::vector<double> ThetaNodes();

// The correction factors A* = 1/A, [theta node][mu R], at the stored grid values.
std::vector<std::vector<double>> CorrectionFactors(const Quadrature& q);

// The 11600 bytes of CYLABS.DAT: record 0 holds 0 and the mu R grid, record k (1..19) theta node k and
// its 144 factors, all little-endian single precision.
std::vector<uint8_t> EncodeTable(const std::vector<std::vector<double>>& factors);

}  // namespace km::cylabs
