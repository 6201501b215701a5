#include "keltor/gui/qt_workbench_ui.h"

#include <QApplication>
#include <QFileDialog>

#include "common/qt/file_dialog_filters.h"
#include "common/qt/qt_text.h"
#include "common/qt/save_file_dialog.h"
#include "keltor/gui/angular_range_dlg.h"
#include "keltor/gui/extract_file_dlg.h"
#include "keltor/gui/range_select_dlg.h"

namespace keltor {

namespace {

// The open dialog of this toolkit, so that it looks the same everywhere and tests can drive it.
void SetUpOpenDialog(QFileDialog& dialog, const OpenFileRequest& request, const std::string& directory) {
  dialog.setObjectName("KmOpenDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!request.Title.empty()) dialog.setWindowTitle(km::FromCp1252(request.Title));
  dialog.setDefaultSuffix(km::FromCp1252(request.DefaultExtension));
  const QStringList filters = km::NameFiltersFrom(request.Filter);
  dialog.setNameFilters(filters);
  if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.FilterIndex - 1]);
  if (!directory.empty()) dialog.setDirectory(km::FromPath(directory));
}

}  // namespace

std::optional<OpenFileChoice> QtWorkbenchUi::ChooseOpenFile(const OpenFileRequest& request) {
  QFileDialog dialog(parent_.data());
  SetUpOpenDialog(dialog, request, openDirectory_);
  dialog.setFileMode(request.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  OpenFileChoice choice;
  choice.Path = km::ToPath(dialog.selectedFiles().first());
  choice.FilterIndex = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
  if (choice.FilterIndex < 1) choice.FilterIndex = 1;
  return choice;
}

std::optional<std::vector<std::string>> QtWorkbenchUi::ChooseOpenFiles(const OpenFileRequest& request) {
  QFileDialog dialog(parent_.data());
  SetUpOpenDialog(dialog, request, openDirectory_);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<std::string> paths;
  for (const QString& path : dialog.selectedFiles()) paths.push_back(km::ToPath(path));
  if (paths.empty()) return std::nullopt;
  return paths;
}

std::optional<std::string> QtWorkbenchUi::ChooseSaveFile(const SaveFileRequest& request) {
  km::CSaveFileDlg dialog(*this, {request.DefaultExtension}, request.ProposedName, request.Filter,
                          request.InitialDirectory, request.FilterIndex, request.FilterCount,
                          request.NoExtensionInName, request.ConfirmOverwrite, parent_.data());
  dialog.setObjectName("KmSaveDialog");
  if (dialog.exec() != QDialog::Accepted || dialog.ResultPath().empty()) return std::nullopt;
  return dialog.ResultPath();
}

void QtWorkbenchUi::SetWaitCursor(bool on) {
  if (on) {
    ++waitDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (waitDepth_ > 0) {
    --waitDepth_;
    QApplication::restoreOverrideCursor();
  }
}

// Range selection and range editing.
std::optional<RangeSelection> QtWorkbenchUi::ChooseRanges(const RangeSelectRequest& request) {
  CRangeSelectDlg dialog(request, *this, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<AngularRange> QtWorkbenchUi::ChooseAngularRange(const AngularRangeRequest& request) {
  CAngularRangeDlg dialog(request, *this, parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<std::string> QtWorkbenchUi::ChooseExtractFile(const ExtractFileRequest& request) {
  const std::string directory = request.InitialDirectory;
  CExtractFileDlg dialog(
      request.ProposedName,
      [this, directory](const std::string& name) {
        return ChooseSaveFile({.DefaultExtension = "raw",
                               .ProposedName = name,
                               .Filter = "Raw Data Files (*.ra*)|*.ra*;||",
                               .InitialDirectory = directory,
                               .ConfirmOverwrite = false});
      },
      parent_.data());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

}  // namespace keltor
