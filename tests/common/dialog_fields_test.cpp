#include "common/core/dialog_fields.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "tests/support/recording_sink.h"

namespace km {
namespace {

struct FakeControls : DialogControls {
  struct Control {
    std::string text;
    int limit = 0;
    bool modified = false;
    bool enabled = true;
  };
  mutable std::map<int, Control> controls;
  int focused = 0;

  std::string ControlText(int id) const override { return controls[id].text; }
  void SetControlText(int id, std::string_view text) override { controls[id].text = text; }
  void SetTextLimit(int id, int limit) override { controls[id].limit = limit; }
  bool IsControlModified(int id) const override { return controls[id].modified; }
  void ClearControlModified(int id) override { controls[id].modified = false; }
  bool IsControlEnabled(int id) const override { return controls[id].enabled; }
  void EnableControl(int id, bool enable) override { controls[id].enabled = enable; }
  void FocusAndSelectAll(int id) override { focused = id; }

  void Type(int id, std::string text) {
    controls[id].text = std::move(text);
    controls[id].modified = true;
  }
};

TEST(DialogFields, FillShowsValuesAndClearsMarks) {
  int counts[3] = {1, -2, 3};
  float reals[3] = {1.5f, 2.0f, 0.125f};
  char title[8] = "Quartz";
  DialogField table[3];
  IntegerField(table[0], 10, counts, 3);
  RealField(table[1], 11, reals, 3);
  TextField(table[2], 12, title);
  table[1].Changed = true;
  FakeControls dialog;
  dialog.controls[11].modified = true;
  DialogFieldBinder binder;
  binder.FillDialogFields(dialog, table);
  EXPECT_EQ(dialog.controls[10].text, " 1, -2, 3");
  EXPECT_EQ(dialog.controls[11].text, " 1.5, 2.0, 0.125");
  EXPECT_EQ(dialog.controls[12].text, "Quartz");
  EXPECT_EQ(dialog.controls[12].limit, 7);  // what the buffer holds
  EXPECT_FALSE(dialog.controls[11].modified);
  EXPECT_FALSE(table[1].Changed);
}

TEST(DialogFields, InvalidDataTextHasSingleBlanks) {
  EXPECT_EQ(InvalidDataText(-0.5f, 1e6f), "Invalid Data\nAllowed Range = -0.5 to 1e+06");
}

TEST(DialogFields, ReadTakesModifiedEnabledEntriesAndRounds) {
  int steps[2] = {7, 7};
  float width = 1.0f;
  int untouched = 4;
  char title[5] = "old";
  DialogField table[4];
  IntegerField(table[0], 1, steps, 2, -10, 10);
  RealField(table[1], 2, &width, 1);
  IntegerField(table[2], 3, &untouched, 1);
  TextField(table[3], 4, title);
  FakeControls dialog;
  DialogFieldBinder binder;
  binder.FillDialogFields(dialog, table);
  dialog.Type(1, "2.5, -2.5");
  dialog.Type(2, "0.75");
  dialog.Type(3, "9");
  dialog.controls[3].enabled = false;
  dialog.Type(4, "a much longer title");
  testing::RecordingSink sink;
  EXPECT_EQ(binder.ReadDialogFields(sink, dialog, table), 3);
  EXPECT_EQ((std::array{steps[0], steps[1]}), (std::array{3, -3}));  // half away from zero
  EXPECT_FLOAT_EQ(width, 0.75f);
  EXPECT_EQ(untouched, 4);
  EXPECT_STREQ(title, "a mu");  // cut to the buffer
  EXPECT_TRUE(table[0].Changed && table[1].Changed && !table[2].Changed && table[3].Changed);
  EXPECT_FALSE(dialog.controls[1].modified);
  EXPECT_TRUE(sink.Empty());
}

TEST(DialogFields, MissingSecondValueFailsTheRangeCheck) {
  float first = 3.0f;
  float pair[2] = {2.0f, 3.0f};
  float after = 1.0f;
  DialogField table[3];
  RealField(table[0], 1, &first, 1, 0, 100);
  RealField(table[1], 2, pair, 2, 1, 10);
  RealField(table[2], 3, &after, 1);
  FakeControls dialog;
  DialogFieldBinder binder;
  binder.FillDialogFields(dialog, table);
  dialog.Type(1, "50");
  dialog.Type(2, "5");  // the second value counts as 0
  dialog.Type(3, "8");
  testing::RecordingSink sink;
  EXPECT_EQ(binder.ReadDialogFields(sink, dialog, table), -1);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.Last().icon, MessageIcon::None);
  EXPECT_EQ(sink.LastText(), "Invalid Data\nAllowed Range = 1 to 10");
  EXPECT_EQ(dialog.focused, 2);
  EXPECT_FLOAT_EQ(first, 50.0f);  // taken before the failure
  EXPECT_EQ((std::array{pair[0], pair[1], after}), (std::array{2.0f, 3.0f, 1.0f}));  // nor later ones
}

}  // namespace
}  // namespace km
