#pragma once
// The Parameters menu's edits of the file header: title and comment, radiation and wavelengths,
// generator settings. Each dialog's check and the change it makes.
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "common/core/raw_format.h"
#include "keltor/core/operations/radiation_table.h"

namespace keltor {

// Title / Comments: texts in Windows-1252; the comment's lines end with CR LF.
struct TitleTexts {
  std::string Title;
  std::string Comment;
};
inline constexpr int kTitleEdit = 1030;
inline constexpr int kCommentEdit = 1031;
inline constexpr int kTitleLimit = 79;
inline constexpr int kCommentLimit = 191;

TitleTexts TitleTextsOf(const km::RawFileHeader& header);
// 0 when both texts fit their fields, else the edit of the one too long (message shown).
int CheckTitleTexts(km::MessageSink& sink, const TitleTexts& texts);
// Copies what differs into the header; true when something changed.
bool ApplyTitleTexts(km::RawFileHeader& header, const TitleTexts& texts);

// Change Wavelength: the list selection (0 .. 6, 6 "User defined") and the wavelength edit.
inline constexpr int kRadiationList = 1025;
inline constexpr int kWavelengthEdit = 1000;
inline constexpr float kWavelengthMinimum = 0.2f;
inline constexpr float kWavelengthMaximum = 4.0f;

struct WavelengthRequest {
  std::vector<std::string> Lines;  // one per table entry
  int Selection = 0;               // the selection the dialog opens with
  float Wavelength = 0.0f;         // what the edit shows on opening (the header's Alpha1)
  float UserWavelength = 1.0f;     // what the edit shows when "User defined" is chosen
};
struct WavelengthChoice {
  int Selection = 0;
  float Wavelength = 0.0f;
};

// Opens the dialog on the header: a Radiation code the table does not hold selects "User defined",
// and then the user's slot takes the header's wavelength.
WavelengthRequest OpenWavelengthDialog(const km::RawFileHeader& header, RadiationTable& table);
// The edit is checked (0.2 .. 4.0) only while "User defined" is selected and its value was changed:
// 0 when accepted, else the edit's id (range message shown).
int CheckWavelengthChoice(km::MessageSink& sink, const WavelengthRequest& request, const WavelengthChoice& choice);
// Nothing changes unless the user changed the selection or, for "User defined", the wavelength.
// Otherwise the radiation and both wavelengths come from the chosen entry (the user's slot takes
// the typed wavelength first). True when the header changed.
bool ApplyWavelengthChoice(km::RawFileHeader& header, RadiationTable& table, const WavelengthRequest& request,
                           const WavelengthChoice& choice);

// Generator Settings.
struct GeneratorSettings {
  int Voltage = 0;  // kV
  int Current = 0;  // mA
};
inline constexpr int kVoltageEdit = 1003;
inline constexpr int kCurrentEdit = 1004;
inline constexpr int kVoltageMaximum = 60;
inline constexpr int kCurrentMaximum = 50;

GeneratorSettings GeneratorSettingsOf(const km::RawFileHeader& header);
// Changed values within 0 .. 60 kV and 0 .. 50 mA, and (when anything changed) kV x mA within the
// anode's maximum power: 0 when accepted, else the edit to focus (message shown).
int CheckGeneratorSettings(km::MessageSink& sink, const km::RawFileHeader& header, const RadiationTable& table,
                           const GeneratorSettings& settings);
bool ApplyGeneratorSettings(km::RawFileHeader& header, const GeneratorSettings& settings);

}  // namespace keltor
