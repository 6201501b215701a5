#pragma once
// Absorption correction of every range for the geometry of the file's ScanMode: a flat sample in
// transmission (transmission factor T = I/I0), a flat sample of finite thickness in reflection (mu*t),
// or a cylindrical sample in a Debye-Scherrer capillary (mu*R, factors from the cylinder table).
#include <optional>
#include <span>
#include <string_view>

#include "common/core/raw_format.h"
#include "keltor/core/operations/cylinder_absorption_table.h"

namespace keltor {

// The geometries by ScanMode.
inline constexpr int kScanModeTransmission = 1;
inline constexpr int kScanModeReflection = 2;
inline constexpr int kScanModeDebyeScherrer = 3;

// The user's one parameter for a geometry: the dialog's label, its name in messages and its upper
// limit. Modes without a formula (0, above 3) show as the reflection parameter does.
struct AbsorptionParameter {
  std::string_view Label;
  std::string_view Name;
  float Maximum;
};
AbsorptionParameter AbsorptionParameterOf(int scanMode);

// True for the modes a correction formula exists for (1 to 3).
bool HasAbsorptionFormula(int scanMode);

// The factor that multiplies the intensity at a 2Theta, for one geometry and parameter.
class AbsorptionFormula {
 public:
  static AbsorptionFormula Transmission(double transmissionFactor);  // exp(k / cos theta), k = -ln T
  static AbsorptionFormula Reflection(double muT);                   // 1 / (1 - exp(k / sin theta)), k = -2 mu t
  static AbsorptionFormula Cylinder(const ThetaFactorSpline& spline);  // the spline at theta in degrees

  double Factor(double twoTheta) const;
  // Factor at each of the angles (ascending, as in a range, for the cylinder's quickest walk);
  // factors holds as many.
  void Factors(std::span<const double> twoTheta, std::span<double> factors) const;

 private:
  int mode_ = 0;
  double k_ = 0.0;
  ThetaFactorSpline spline_{};
};

// Corrects one range in place: every intensity multiplied by the factor at its 2Theta, MinIntensity and
// MaxIntensity rounded from the new extremes, the AbsorptionCorrected mark set, BackgroundPointCount 0.
// A factor that is no number, or a corrected intensity beyond what a 32-bit count holds, is never
// stored: the result is then the 2Theta of the first such point, and data may be partly changed (the
// caller works on a copy). Nothing on success.
std::optional<double> CorrectRangeForAbsorption(const AbsorptionFormula& formula, km::RawRangeHeader& header,
                                                std::span<float> data);

}  // namespace keltor
