// The file arithmetic, normalisation, add points and parameter dialogs of the desktop program.
#include "keltor/gui/parameter_dialogs.h"
#include "keltor/gui/qt_workbench_ui.h"

namespace keltor {

std::optional<int> QtWorkbenchUi::ChooseFromRangeList(const RangeListRequest& request) {
  CRangeListDlg dialog(request, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenIndex();
}

std::optional<ArithmeticFactors> QtWorkbenchUi::EditArithmeticFactors(const ArithmeticFactors& initial,
                                                                      const DialogCheck<ArithmeticFactors>& check) {
  CFactorsDlg dialog(*this, initial, check, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Values();
}

std::optional<NormalizeChoice> QtWorkbenchUi::EditNormalizeChoice(const NormalizeChoice& initial,
                                                                  const DialogCheck<NormalizeChoice>& check) {
  CNormalizeDlg dialog(*this, initial, check, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Values();
}

std::optional<int> QtWorkbenchUi::EditAddPointsCount(int initial, const DialogCheck<int>& check) {
  CAddPointsDlg dialog(*this, initial, check, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Count();
}

std::optional<TitleTexts> QtWorkbenchUi::EditTitleTexts(const TitleTexts& initial, const DialogCheck<TitleTexts>& check) {
  CTitleDlg dialog(initial, check, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Texts();
}

std::optional<WavelengthChoice> QtWorkbenchUi::EditWavelength(const WavelengthRequest& request,
                                                              const DialogCheck<WavelengthChoice>& check) {
  CWavelengthDlg dialog(*this, request, check, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

std::optional<GeneratorSettings> QtWorkbenchUi::EditGeneratorSettings(const GeneratorSettings& initial,
                                                                      const DialogCheck<GeneratorSettings>& check) {
  CGeneratorDlg dialog(*this, initial, check, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Settings();
}

}  // namespace keltor
