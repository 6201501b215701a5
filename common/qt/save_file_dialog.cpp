#include "common/qt/save_file_dialog.h"

#include <QFileInfo>
#include <QLineEdit>

#include "common/qt/file_dialog_filters.h"
#include "common/qt/qt_text.h"

namespace km {

CSaveFileDlg::CSaveFileDlg(MessageSink& sink, std::vector<std::string> defaultExtensions,
                           const std::string& proposedName, std::string_view filter,
                           const std::string& initialDirectory, int filterIndex, int filterCount,
                           bool noExtensionInName, bool confirmOverwrite, QWidget* parent)
    : QFileDialog(parent),
      sink_(sink),
      extensions_(std::move(defaultExtensions)),
      filterCount_(filterCount),
      noExtensionInName_(noExtensionInName),
      confirmOverwrite_(confirmOverwrite) {
  // The checks run in accept(), which only the dialog of this toolkit lets us take over.
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::DontConfirmOverwrite);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  const QStringList filters = NameFiltersFrom(filter);
  setNameFilters(filters);
  if (!initialDirectory.empty()) setDirectory(FromPath(initialDirectory));
  const std::span<const std::string> extensionSlots(extensions_.data(), std::min<size_t>(extensions_.size(), filterCount_));
  if (filterIndex >= 1 && filterIndex <= filters.size()) selectNameFilter(filters[filterIndex - 1]);
  defaultExtension_ = DefaultExtensionForFilter(extensionSlots, filterIndex);
  if (!proposedName.empty()) selectFile(FromPath(proposedName));

  connect(this, &QFileDialog::filterSelected, this, [this, filters](const QString& chosen) {
    const std::span<const std::string> extensionSlots(extensions_.data(),
                                             std::min<size_t>(extensions_.size(), filterCount_));
    defaultExtension_ = DefaultExtensionForFilter(extensionSlots, static_cast<int>(filters.indexOf(chosen)) + 1);
  });
}

QString CSaveFileDlg::TypedName() const {
  if (const auto* edit = findChild<QLineEdit*>("fileNameEdit")) return edit->text();
  const QStringList chosen = selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.first();
}

void CSaveFileDlg::SetTypedName(const QString& name) {
  if (auto* edit = findChild<QLineEdit*>("fileNameEdit"))
    edit->setText(name);
  else
    selectFile(name);
}

void CSaveFileDlg::accept() {
  // A typed directory is entered, as the dialog always did.
  const QString typed = TypedName().trimmed();
  if (!typed.isEmpty()) {
    const QFileInfo info(directory(), typed);
    if (info.isDir()) {
      setDirectory(info.absoluteFilePath());
      SetTypedName(QString());
      return;
    }
  }
  SaveFileRequest request;
  request.typedName = ToPath(TypedName());
  request.directory = ToPath(directory().absolutePath());
  request.defaultExtension = defaultExtension_;
  request.noExtensionInName = noExtensionInName_;
  request.confirmOverwrite = confirmOverwrite_;
  const std::optional<std::string> path = CheckSaveFileName(sink_, *queries_, request);
  if (!path) return;
  resultPath_ = *path;
  QDialog::accept();
}

}  // namespace km
