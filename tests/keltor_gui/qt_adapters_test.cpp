// Message boxes, the dialog-field binding and the save dialog, as the workbench's dialogs use them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "common/core/dialog_fields.h"
#include "common/qt/qt_dialog_controls.h"
#include "common/qt/qt_message_sink.h"
#include "common/qt/save_file_dialog.h"
#include "tests/keltor_gui/modal_helper.h"
#include "tests/support/recording_sink.h"

namespace {

using keltor::test::ModalScript;
using km::testing::RecordingSink;

TEST(QtMessageSink, BoxesCarryTheTitleIconAndDefaultButton) {
  std::vector<QMessageBox*> seen;
  ModalScript script;
  for (auto button : {QMessageBox::Ok, QMessageBox::Yes}) {
    script.Then([&seen, button](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_TRUE(box);
      seen.push_back(box);
      EXPECT_EQ(box->windowTitle(), "WinQDIF");
      if (seen.size() == 1) {
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->text(), QString::fromUtf8("Raw file does not exist.\n\n/x \u00B0.raw"));
      } else {
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
      }
      box->button(button)->click();
    });
  }
  km::QtMessageSink sink("WinQDIF");
  sink.ShowError("Raw file does not exist.\n\n/x \xB0.raw");  // Windows-1252 degree sign
  EXPECT_TRUE(sink.AskYesNo("Overwrite ?", true));
  EXPECT_EQ(seen.size(), 2u);
}

TEST(QtDialogControls, AValueOutOfRangeIsRefusedWithItsRangeAndTheFieldSelected) {
  QWidget dialog;
  new QLineEdit(&dialog);  // holds the focus first
  auto* edit = new QLineEdit(&dialog);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  km::QtDialogControls controls;
  controls.Bind(2, edit);
  float values[2] = {1.5f, 2.0f};
  km::DialogField table[1];
  km::RealField(table[0], 2, values, 2, 0, 100);
  km::DialogFieldBinder binder;
  binder.FillDialogFields(controls, table);
  EXPECT_EQ(edit->text(), " 1.5, 2.0");

  RecordingSink sink;
  edit->clear();
  QTest::keyClicks(edit, "7, 250");
  EXPECT_EQ(binder.ReadDialogFields(sink, controls, table), -1);
  EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Invalid Data\nAllowed Range = 0 to 100"});
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(edit->selectedText(), edit->text());

  binder.EnableDialogField(table[0], false);
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_EQ(binder.ReadDialogFields(sink, controls, table), 0);  // a disabled field is not read
}

class SaveDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  std::string Path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
  km::CSaveFileDlg* Dialog(bool noExtensionInName = false) {
    dialog = std::make_unique<km::CSaveFileDlg>(sink, std::vector<std::string>{"raw", "lst"}, "",
                                                "Raw Data Files (*.raw,*.r*)|*.raw;*.r*|List Files (*.lst)|*.lst||",
                                                dir.path().toStdString(), 1, 2, noExtensionInName, true);
    dialog->show();
    return dialog.get();
  }
  QTemporaryDir dir;
  RecordingSink sink;
  std::unique_ptr<km::CSaveFileDlg> dialog;
};

TEST_F(SaveDialogTest, ANameGetsTheChosenFiltersExtension) {
  km::CSaveFileDlg* d = Dialog();
  EXPECT_EQ(d->nameFilters().front(), "Raw Data Files (*.raw *.r*)");
  d->selectNameFilter(d->nameFilters().at(1));
  emit d->filterSelected(d->nameFilters().at(1));
  d->SetTypedName("list");
  d->accept();
  EXPECT_EQ(d->ResultPath(), Path("list.lst"));
}

TEST_F(SaveDialogTest, AFailedCheckKeepsTheDialogOpen) {
  QFile existing(QString::fromStdString(Path("old.raw")));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  km::CSaveFileDlg* d = Dialog();
  d->SetTypedName("old.raw");
  d->accept();  // the overwrite question, answered No
  EXPECT_TRUE(d->isVisible() && d->ResultPath().empty());

  existing.setPermissions(QFileDevice::ReadOwner);  // the disk the real dialog asks
  d->accept();
  EXPECT_EQ(sink.Last().text, "File is marked Read-Only :\n\n" + Path("old.raw"));
  existing.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(SaveDialogTest, ATypedDirectoryIsEntered) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
  km::CSaveFileDlg* d = Dialog(true);
  d->SetTypedName("sub");
  d->accept();
  EXPECT_TRUE(d->isVisible() && sink.Empty());
  EXPECT_EQ(d->directory().absolutePath(), QDir(dir.path()).filePath("sub"));
}

}  // namespace
