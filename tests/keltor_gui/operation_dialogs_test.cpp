// The dialogs of file arithmetic, normalisation, add points and the parameters: defaults, enabling,
// and staying open while their checks refuse.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "keltor/gui/parameter_dialogs.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

using km::testing::RecordingSink;

template <typename T>
T* Control(QWidget& dialog, int id) {
  T* control = dialog.findChild<T*>(ControlName(id));
  EXPECT_NE(control, nullptr) << id;
  return control;
}

void Type(QWidget& dialog, int id, const QString& text) {
  QLineEdit* edit = Control<QLineEdit>(dialog, id);
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

TEST(OperationDialogs, RangeListShowsPathAndLinesAndReturnsTheCurrentLine) {
  CRangeListDlg dialog({{"  1    line", "  2    line"}, "", "choose target range", RangeListPurpose::Target}, nullptr);
  EXPECT_EQ(Control<QLabel>(dialog, 1040)->text(), "none selected");
  QListWidget* list = Control<QListWidget>(dialog, 1008);
  EXPECT_EQ(list->currentRow(), 0);
  list->setCurrentRow(1);
  dialog.accept();
  EXPECT_EQ(dialog.ChosenIndex(), 1);
}

TEST(OperationDialogs, FactorsReturnWhatWasTyped) {
  RecordingSink sink;
  CFactorsDlg dialog(sink, {}, [&sink](const ArithmeticFactors& f) { return CheckArithmeticFactors(sink, f); }, nullptr);
  dialog.show();
  Type(dialog, kFactor2Edit, "-2.5");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FLOAT_EQ(dialog.Values().M2, -2.5f);
}

// A refusal of the shared field check keeps the dialog open; a good value then closes it.
TEST(OperationDialogs, NormalizeEnablesTheEditOfTheChosenMode) {
  RecordingSink sink;
  CNormalizeDlg dialog(sink, {}, [&sink](const NormalizeChoice& c) { return CheckNormalizeChoice(sink, c); }, nullptr);
  dialog.show();
  QLineEdit* factor = Control<QLineEdit>(dialog, kNormalizeFactorEdit);
  QLineEdit* maximum = Control<QLineEdit>(dialog, kNormalizeMaximumEdit);
  EXPECT_TRUE(factor->isEnabled() && !maximum->isEnabled());
  QTest::mouseClick(Control<QRadioButton>(dialog, 1050), Qt::LeftButton);
  EXPECT_TRUE(!factor->isEnabled() && maximum->isEnabled());
  Type(dialog, kNormalizeMaximumEdit, "0");
  dialog.accept();
  EXPECT_EQ(sink.LastText(), " can't normalized to a zero or negative Intensity!");
  EXPECT_TRUE(dialog.isVisible());
  Type(dialog, kNormalizeMaximumEdit, "250");
  dialog.accept();
  EXPECT_FALSE(dialog.Values().Multiply);
  EXPECT_EQ(dialog.Values().Maximum, 250);
}

TEST(ParameterDialogs, WavelengthEditFollowsUserDefined) {
  RecordingSink sink;
  RadiationTable table;
  table.SetUserWavelength(1.2345f);
  km::RawFileHeader header = km::ZeroFileHeader();
  header.Radiation = 3;
  header.WavelengthAlpha1 = 1.540598f;
  const WavelengthRequest request = OpenWavelengthDialog(header, table);
  CWavelengthDlg dialog(sink, request,
                        [&](const WavelengthChoice& c) { return CheckWavelengthChoice(sink, request, c); }, nullptr);
  dialog.show();
  QComboBox* list = Control<QComboBox>(dialog, kRadiationList);
  QLineEdit* edit = Control<QLineEdit>(dialog, kWavelengthEdit);
  EXPECT_EQ(list->currentIndex(), 2);
  EXPECT_FALSE(edit->isEnabled());
  list->setCurrentIndex(6);
  EXPECT_TRUE(edit->isEnabled());
  EXPECT_EQ(edit->text().trimmed(), "1.2345");
  Type(dialog, kWavelengthEdit, "0.1");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible() && !sink.Empty());
  list->setCurrentIndex(1);
  dialog.accept();
  EXPECT_EQ(dialog.Choice().Selection, 1);
}

TEST(ParameterDialogs, TitleKeepsCommentLinesWithCrLfAndWithinItsField) {
  CTitleDlg dialog({"Quartz", "line 1\r\nline 2"}, [](const TitleTexts&) { return 0; }, nullptr);
  dialog.show();
  EXPECT_EQ(Control<QLineEdit>(dialog, kTitleEdit)->maxLength(), 79);
  QPlainTextEdit* comment = Control<QPlainTextEdit>(dialog, kCommentEdit);
  EXPECT_EQ(comment->toPlainText(), "line 1\nline 2");
  comment->setPlainText(QString(100, 'a') + "\n" + QString(100, 'b'));
  dialog.accept();
  const std::string stored = dialog.Texts().Comment;
  EXPECT_EQ(stored.size(), 191u);
  EXPECT_EQ(stored.substr(100, 2), "\r\n");
}

}  // namespace
}  // namespace keltor
