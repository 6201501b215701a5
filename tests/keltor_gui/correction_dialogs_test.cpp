// The absorption and angle correction dialogs: their limits, labels and the check box that decides
// between the stored polynomial and the typed line.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "common/core/dialog_fields.h"
#include "keltor/gui/absorption_dlg.h"
#include "keltor/gui/angle_correction_dlg.h"
#include "tests/support/recording_sink.h"

namespace {

using km::testing::RecordingSink;

void Type(QLineEdit* edit, const QString& text) {
  edit->setText(text);
  edit->setModified(true);
}

TEST(CAbsorptionDlg, ShowsTheValueAndRefusesOneAboveItsLimit) {
  RecordingSink sink;
  keltor::CAbsorptionDlg dialog({3, "Mu * R", 1.5f, 30.0f}, sink);
  auto* edit = dialog.findChild<QLineEdit*>("ctl1005");
  EXPECT_EQ(edit->text(), " 1.5");
  Type(edit, "45");
  dialog.accept();
  EXPECT_FALSE(dialog.Result());
  EXPECT_EQ(sink.Texts(), std::vector<std::string>{km::InvalidDataText(0.0f, 30.0f)});
  Type(edit, "2.25");
  dialog.accept();
  EXPECT_EQ(dialog.Result(), 2.25f);
}

TEST(CAngleCorrectionDlg, TheCheckBoxTakesTheTypedLineOutOfPlayAndIsOffWithoutAPolynomial) {
  RecordingSink sink;
  keltor::CAngleCorrectionDlg dialog({true, " order 2", " 10.00 -  140.00 ", "Omega", 0.5f, 0.25f}, sink);
  auto* useStored = dialog.findChild<QCheckBox*>("ctl1042");
  auto* a = dialog.findChild<QLineEdit*>("ctl1007");
  auto* b = dialog.findChild<QLineEdit*>("ctl1009");
  EXPECT_EQ(dialog.findChild<QLabel*>("ctl1008")->text(), "Delta( Omega ) = ");
  EXPECT_EQ(dialog.findChild<QLabel*>("ctl1010")->text(), " * Omega /180");
  EXPECT_TRUE(useStored->isChecked() && useStored->isEnabled());
  EXPECT_FALSE(a->isEnabled() || b->isEnabled());
  useStored->click();
  EXPECT_TRUE(a->isEnabled() && b->isEnabled());
  Type(a, "0.02");
  dialog.accept();
  ASSERT_TRUE(dialog.Result());
  EXPECT_FALSE(dialog.Result()->UseStoredPolynomial);
  EXPECT_EQ(dialog.Result()->A, 0.02f);
  EXPECT_EQ(dialog.Result()->B, 0.25f);

  // Without a polynomial only the line can be used.
  keltor::CAngleCorrectionDlg without({false, " ", " ", "2Theta", 0, 0}, sink);
  EXPECT_FALSE(without.findChild<QCheckBox*>("ctl1042")->isEnabled());
  EXPECT_TRUE(without.findChild<QLineEdit*>("ctl1007")->isEnabled());
  without.accept();
  EXPECT_TRUE(without.Result() && !without.Result()->UseStoredPolynomial);
}

}  // namespace
