// The Parameters menu: title and comment, wavelength, generator settings. The dialogs edit the working
// header; a change prepares the working copy and rebuilds the list (the plot shows no header field).
#include "keltor/core/workbench.h"

namespace keltor {

bool Workbench::FinishHeaderChange() {
  if (!File.IsModified) return true;
  km::RawRangeHeader unused = km::ZeroRangeHeader();
  const bool prepared = File.SaveWorkbenchRange(ui_, -1, unused, {});
  BuildListFile();
  return prepared;
}

bool Workbench::OnParametersTitle() {
  if (File.DocumentPath.empty()) return false;
  const auto texts = ui_.EditTitleTexts(TitleTextsOf(File.WorkingFile.Header),
                                        [this](const TitleTexts& t) { return CheckTitleTexts(ui_, t); });
  if (!texts) return false;
  if (ApplyTitleTexts(File.WorkingFile.Header, *texts)) File.IsModified = true;
  return FinishHeaderChange();
}

bool Workbench::OnParametersWavelength() {
  if (File.DocumentPath.empty()) return false;
  const WavelengthRequest request = OpenWavelengthDialog(File.WorkingFile.Header, State.Radiations);
  const auto choice = ui_.EditWavelength(
      request, [this, &request](const WavelengthChoice& c) { return CheckWavelengthChoice(ui_, request, c); });
  if (!choice) return false;
  if (ApplyWavelengthChoice(File.WorkingFile.Header, State.Radiations, request, *choice)) File.IsModified = true;
  return FinishHeaderChange();
}

bool Workbench::OnParametersGenerator() {
  if (File.DocumentPath.empty()) return false;
  const auto settings = ui_.EditGeneratorSettings(
      GeneratorSettingsOf(File.WorkingFile.Header), [this](const GeneratorSettings& s) {
        return CheckGeneratorSettings(ui_, File.WorkingFile.Header, State.Radiations, s);
      });
  if (!settings) return false;
  if (ApplyGeneratorSettings(File.WorkingFile.Header, *settings)) File.IsModified = true;
  return FinishHeaderChange();
}

}  // namespace keltor
