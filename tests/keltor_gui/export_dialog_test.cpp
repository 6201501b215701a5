// The export dialog's controls following the workbench's rules: the format's extension, the counts
// per second box, and OK closing only when the workbench accepts.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "keltor/gui/export_dialog.h"

namespace keltor {
namespace {

template <typename T>
T* Control(CExportDlg& dialog, int id) {
  return dialog.findChild<T*>(QStringLiteral("ExportControl%1").arg(id));
}

TEST(ExportDialog, FormatButtonsChangeTheExtensionAndTheCountsPerSecondBox) {
  ExportDialogRequest request;
  request.Values.FileName = "/data/SAMPLE.xyd";
  int okPresses = 0;
  std::vector<ExportDialogOutcome> outcomes = {ExportDialogOutcome::StayOpen, ExportDialogOutcome::Accept};
  request.Accept = [&](ExportDialogValues& values) {
    values.RangeNumber = 2;
    return outcomes.at(static_cast<size_t>(okPresses++));
  };
  request.Browse = [](ExportDialogValues& values) { values.FileName = "/chosen/" + values.FileName.substr(6); };
  CExportDlg dialog(request);
  auto* cps = Control<QCheckBox>(dialog, kExportCountsPerSecondBox);
  auto* name = Control<QLineEdit>(dialog, kExportFileNameEdit);

  cps->click();
  Control<QRadioButton>(dialog, kExportFirstFormatButton + 1)->click();
  EXPECT_FALSE(cps->isEnabled() || cps->isChecked());
  EXPECT_EQ(name->text().toStdString(), "/data/SAMPLE.gsa");
  Control<QRadioButton>(dialog, kExportFirstFormatButton)->click();
  EXPECT_TRUE(cps->isEnabled() && cps->isChecked()) << "the user's own choice comes back with X/Y";

  Control<QPushButton>(dialog, kExportBrowseButton)->click();
  EXPECT_EQ(name->text().toStdString(), "/chosen/SAMPLE.xyd");
  name->setText("/typed/out.txt");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Rejected) << "still open";
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const ExportDialogValues values = dialog.Values();
  EXPECT_EQ(values.FileName, "/typed/out.txt");
  EXPECT_TRUE(values.Format == 0 && values.CountsPerSecond);
  EXPECT_EQ(values.RangeNumber, 2) << "what the workbench set on OK is kept";
}

}  // namespace
}  // namespace keltor
