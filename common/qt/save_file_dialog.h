#pragma once
// The workbench's save dialog: the platform's file-save dialog that, on OK, gives the typed name its
// default extension and refuses or asks about read-only targets, overwriting and unusual extensions.
// It stays open while a check fails.
#include <QFileDialog>
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "common/core/save_file_check.h"

namespace km {

class CSaveFileDlg : public QFileDialog {
  Q_OBJECT
 public:
  // defaultExtensions: one extension (up to 3 characters) per filter, "raw" or "lst".
  // filter: "Name (*.a)|*.a||"; filterIndex counts from 1.
  CSaveFileDlg(MessageSink& sink, std::vector<std::string> defaultExtensions, const std::string& proposedName,
               std::string_view filter, const std::string& initialDirectory, int filterIndex, int filterCount,
               bool noExtensionInName, bool confirmOverwrite, QWidget* parent = nullptr);

  // The full path accepted; set once the dialog closed with OK.
  const std::string& ResultPath() const { return resultPath_; }
  const std::string& DefaultExtension() const { return defaultExtension_; }

  // The disk queries the checks use (tests put in their own).
  void SetTargetQueries(SaveTargetQueries& queries) { queries_ = &queries; }

  // What the user typed in the name field.
  QString TypedName() const;
  void SetTypedName(const QString& name);

 public slots:
  void accept() override;

 private:
  MessageSink& sink_;
  std::vector<std::string> extensions_;
  std::string defaultExtension_;
  int filterCount_;
  bool noExtensionInName_, confirmOverwrite_;
  DiskSaveTargetQueries disk_;
  SaveTargetQueries* queries_ = &disk_;
  std::string resultPath_;
};

}  // namespace km
