#pragma once
// The workbench's questions and dialogs as the desktop program shows them: message boxes titled with
// the application's name, the platform's open dialog and the workbench's save dialog.
#include <QPointer>
#include <QWidget>

#include "common/qt/qt_message_sink.h"
#include "keltor/core/workbench_ui.h"

namespace keltor {

class QtWorkbenchUi : public WorkbenchUi {
 public:
  explicit QtWorkbenchUi(QString title) : sink_(std::move(title)) {}

  void SetParent(QWidget* parent) {
    parent_ = parent;
    sink_.SetParent(parent);
  }

  void ShowMessage(std::string_view text, km::MessageIcon icon) override { sink_.ShowMessage(text, icon); }
  bool AskYesNo(std::string_view text, bool defaultNo = false) override { return sink_.AskYesNo(text, defaultNo); }

  std::optional<OpenFileChoice> ChooseOpenFile(const OpenFileRequest& request) override;
  std::optional<std::vector<std::string>> ChooseOpenFiles(const OpenFileRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) override;
  void SetWaitCursor(bool on) override;
  // Export
  std::optional<ExportDialogValues> ChooseExport(const ExportDialogRequest& request) override;
  // File arithmetic, normalisation, add points and parameter dialogs.
  std::optional<int> ChooseFromRangeList(const RangeListRequest& request) override;
  std::optional<ArithmeticFactors> EditArithmeticFactors(const ArithmeticFactors& initial,
                                                         const DialogCheck<ArithmeticFactors>& check) override;
  std::optional<NormalizeChoice> EditNormalizeChoice(const NormalizeChoice& initial,
                                                     const DialogCheck<NormalizeChoice>& check) override;
  std::optional<int> EditAddPointsCount(int initial, const DialogCheck<int>& check) override;
  std::optional<TitleTexts> EditTitleTexts(const TitleTexts& initial, const DialogCheck<TitleTexts>& check) override;
  std::optional<WavelengthChoice> EditWavelength(const WavelengthRequest& request,
                                                 const DialogCheck<WavelengthChoice>& check) override;
  std::optional<GeneratorSettings> EditGeneratorSettings(const GeneratorSettings& initial,
                                                         const DialogCheck<GeneratorSettings>& check) override;
  // Range selection and range editing.
  std::optional<RangeSelection> ChooseRanges(const RangeSelectRequest& request) override;
  std::optional<AngularRange> ChooseAngularRange(const AngularRangeRequest& request) override;
  std::optional<std::string> ChooseExtractFile(const ExtractFileRequest& request) override;
  // Absorption and angle correction.
  std::optional<float> ChooseAbsorptionValue(const AbsorptionRequest& request) override;
  std::optional<AngleCorrectionChoice> ChooseAngleCorrection(const AngleCorrectionRequest& request) override;

  // The directory the open dialogs start in (the workbench's data directory).
  void SetOpenDirectory(std::string directory) { openDirectory_ = std::move(directory); }

 private:
  km::QtMessageSink sink_;
  QPointer<QWidget> parent_;
  std::string openDirectory_;
  int waitDepth_ = 0;
};

}  // namespace keltor
