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
  struct Box {
    QString title, text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton defaultButton;
  };
  std::vector<Box> seen;
  const auto answer = [&seen](QMessageBox::StandardButton button) {
    return [&seen, button](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_TRUE(box);
      seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButton(box->defaultButton())});
      box->button(button)->click();
    };
  };
  ModalScript script;
  script.Then(answer(QMessageBox::Ok)).Then(answer(QMessageBox::Yes));
  km::QtMessageSink sink("WinQDIF");
  sink.ShowError("Raw file does not exist.\n\n/x \xB0.raw");  // Windows-1252 degree sign
  EXPECT_TRUE(sink.AskYesNo("Overwrite ?", true));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].title, "WinQDIF");
  EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
  EXPECT_EQ(seen[0].text, QString::fromUtf8("Raw file does not exist.\n\n/x \u00B0.raw"));
  EXPECT_EQ(seen[1].icon, QMessageBox::Question);
  EXPECT_EQ(seen[1].defaultButton, QMessageBox::No);
}

TEST(QtDialogControls, AValueOutOfRangeIsRefusedWithItsRangeAndTheFieldSelected) {
  QWidget dialog;
  auto* a = new QLineEdit(&dialog);
  auto* b = new QLineEdit(&dialog);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  km::QtDialogControls controls;
  controls.Bind(1, a);
  controls.Bind(2, b);
  int first[1] = {5};
  float second[2] = {1.5f, 2.0f};
  km::DialogField table[2];
  km::IntegerField(table[0], 1, first, 1, 0, 100);
  km::RealField(table[1], 2, second, 2, 0, 100);
  km::DialogFieldBinder binder;
  binder.FillDialogFields(controls, table);
  EXPECT_EQ(a->text(), " 5");
  EXPECT_EQ(b->text(), " 1.5, 2.0");

  RecordingSink sink;
  EXPECT_EQ(binder.ReadDialogFields(sink, controls, table), 0);  // nothing typed: nothing taken
  a->clear();
  QTest::keyClicks(a, "42");
  b->clear();
  QTest::keyClicks(b, "7, 250");
  EXPECT_EQ(binder.ReadDialogFields(sink, controls, table), -1);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.Last().text, "Invalid Data\nAllowed Range = 0 to 100");
  EXPECT_EQ(first[0], 42);  // the field before the faulty one stays taken
  EXPECT_EQ(QApplication::focusWidget(), b);
  EXPECT_EQ(b->selectedText(), b->text());

  binder.EnableDialogField(table[1], false);
  EXPECT_FALSE(b->isEnabled());
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
  d->SetTypedName("  sample ");
  d->accept();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(d->ResultPath(), Path("sample.raw"));

  d = Dialog();
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
  EXPECT_TRUE(d->isVisible());
  EXPECT_TRUE(d->ResultPath().empty());
  EXPECT_EQ(sink.messages.size(), 1u);

  existing.setPermissions(QFileDevice::ReadOwner);  // the disk the real dialog asks
  d->accept();
  EXPECT_EQ(sink.Last().text, "File is marked Read-Only :\n\n" + Path("old.raw"));
  existing.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

  d->SetTypedName("scan.r01");  // only the first letter counts
  d->accept();
  EXPECT_EQ(d->ResultPath(), Path("scan.r01"));
}

TEST_F(SaveDialogTest, ATypedDirectoryIsEntered) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
  km::CSaveFileDlg* d = Dialog(true);
  d->SetTypedName("sub");
  d->accept();
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->directory().absolutePath(), QDir(dir.path()).filePath("sub"));
  EXPECT_TRUE(sink.Empty());
}

}  // namespace
