#pragma once
// The anodes the suite knows, with their Kalpha wavelengths in Angstrom and the generator's maximum
// power, and a last slot that holds the user's own wavelength for the rest of the run.
#include <array>
#include <string>
#include <vector>

namespace keltor {

struct RadiationEntry {
  const char* Name;
  float Alpha1;
  float Alpha2;
  int MaximumPower;  // W
};

inline constexpr int kUserDefinedRadiation = 6;  // index of the user's slot

class RadiationTable {
 public:
  static constexpr int kEntries = 7;

  // Entry index 0 .. 6 (Radiation code - 1).
  RadiationEntry Entry(int index) const;
  // The entry whose power limit applies to a Radiation code: the user's slot for 0 (unknown) and
  // for codes the table does not hold.
  RadiationEntry PowerEntryOf(int radiation) const { return Entry(IndexOfCode(radiation)); }
  // The list index of a Radiation code; the user's slot for codes outside 1 .. 7.
  static int IndexOfCode(int radiation);

  float UserWavelength() const { return userAlpha1_; }
  // The user's slot takes wavelength; it has no Alpha2 line from then on.
  void SetUserWavelength(float wavelength) {
    userAlpha1_ = wavelength;
    userAlpha2_ = 0.0f;
  }
  // The slot follows a file's own wavelength without losing its Alpha2 state.
  void ShowUserWavelength(float wavelength) { userAlpha1_ = wavelength; }

  // The dialog's lines: "%s  (%9.6f )" for each anode, then "User defined".
  std::vector<std::string> ListLines() const;

 private:
  float userAlpha1_ = 1.0f;
  float userAlpha2_ = 1.0f;
};

}  // namespace keltor
