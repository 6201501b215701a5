// The range editing dialogs offscreen: what each mode shows, what OK returns, and the refusals that
// keep a dialog open.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "keltor/gui/angular_range_dlg.h"
#include "keltor/gui/extract_file_dlg.h"
#include "keltor/gui/range_select_dlg.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

using km::testing::RecordingSink;
using namespace std::string_literals;

RangeSelectRequest ThreeRanges(RangeSelectMode mode) {
  RangeSelectRequest r;
  r.Mode = mode;
  r.FilePath = "/data/probe.raw";
  r.AxisName = "2Theta";
  r.Lines = {"  1      20.000   40.000    0.020     1001", "  2      40.000   70.000    0.020     1501",
             "  3      70.000  100.000    0.020     1501"};
  r.RangeCount = 3;
  r.TargetRange = 2;
  return r;
}

template <typename T>
T* Child(QWidget& dialog, const char* name) {
  return dialog.findChild<T*>(name);
}

void Select(QListWidget* list, std::initializer_list<int> rows) {
  list->clearSelection();
  for (int row : rows) list->item(row)->setSelected(true);
}

TEST(CRangeSelectDlg, OkReturnsTheSelectionOrRefusesAndStaysOpen) {
  RecordingSink sink;
  CRangeSelectDlg combine(ThreeRanges(RangeSelectMode::Combine), sink);
  auto* list = Child<QListWidget>(combine, "ctl1000");
  Select(list, {0, 1, 2});
  combine.accept();
  EXPECT_TRUE(!combine.Result() && !sink.Empty());
  Select(list, {2, 0});
  combine.accept();
  ASSERT_TRUE(combine.Result());
  EXPECT_EQ(combine.Result()->Ranges, (std::vector<int>{1, 3}));

  CRangeSelectDlg select(ThreeRanges(RangeSelectMode::Select), sink);
  Child<QPushButton>(select, "ctl1004")->click();  // All Ranges: everything, then OK
  ASSERT_TRUE(select.Result());
  EXPECT_EQ(select.Result()->Ranges, (std::vector<int>{1, 2, 3}));
}

TEST(CRangeSelectDlg, AddTargetIsCheckedOnlyWhenChangedAndABadOneKeepsThePrevious) {
  RecordingSink sink;
  for (const auto& [typed, target, message] :
       {std::tuple{"", 2, ""}, std::tuple{"3", 3, ""}, std::tuple{"4", 2, "Invalid Data\nAllowed Range = 1 to 3"},
        std::tuple{"x", 2, "Invalid Data\nAllowed Range = 1 to 3"}}) {
    sink.Clear();
    CRangeSelectDlg dialog(ThreeRanges(RangeSelectMode::Add), sink);
    auto* edit = Child<QLineEdit>(dialog, "ctl1033");
    EXPECT_EQ(edit->text(), "2");
    if (*typed != 0) {
      edit->clear();
      QTest::keyClicks(edit, typed);
    }
    dialog.accept();
    ASSERT_TRUE(dialog.Result()) << typed;
    EXPECT_EQ(dialog.Result()->TargetRange, target) << typed;
    EXPECT_EQ(sink.LastText(), message) << typed;
  }
}

// Only the scan axis is edited; a refused value keeps the dialog open.
TEST(CAngularRangeDlg, OnlyTheScanAxisIsEditedAndItsLimitsHold) {
  AngularRangeRequest request{.RangeNumber = 2, .OmegaScan = false, .TwoThetaBegin = 40, .TwoThetaEnd = 70,
                              .TwoThetaStep = 0.02f, .OmegaBegin = 20, .OmegaEnd = 35, .OmegaStep = 0.01f};
  RecordingSink sink;
  CAngularRangeDlg dialog(request, sink);
  for (const char* id : {"ctl1004", "ctl1005", "ctl1006", "ctl1007", "ctl1008", "ctl1009"}) {
    EXPECT_EQ(Child<QLineEdit>(dialog, id)->isReadOnly(), id != "ctl1004"s && id != "ctl1008"s) << id;
  }
  Child<QLineEdit>(dialog, "ctl1004")->clear();
  QTest::keyClicks(Child<QLineEdit>(dialog, "ctl1004"), "30");
  dialog.accept();
  EXPECT_FALSE(dialog.Result());
  EXPECT_EQ(sink.LastText(), "Invalid Data\nAllowed Range = 40 to 69.98");
}

TEST(CExtractFileDlg, BrowseMakesThePatternAndOkReturnsTheName) {
  std::string browsedWith;
  std::optional<std::string> chosen = "/out/part.raw";
  CExtractFileDlg dialog("/data/probe.ra#", [&](const std::string& name) {
    browsedWith = name;
    return chosen;
  });
  dialog.OnBrowse();
  EXPECT_EQ(browsedWith, "/data/probe");
  EXPECT_EQ(dialog.NameEdit()->text(), "/out/part.ra#");
  chosen.reset();
  dialog.OnBrowse();  // cancelled: the name is emptied
  EXPECT_EQ(dialog.NameEdit()->text(), "");
  dialog.NameEdit()->setText("/x/y.r#");
  dialog.accept();
  ASSERT_TRUE(dialog.Result());
  EXPECT_EQ(*dialog.Result(), "/x/y.r#");
}

}  // namespace
}  // namespace keltor
