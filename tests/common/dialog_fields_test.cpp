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
    bool modified = false, enabled = true;
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

TEST(DialogFields, FillShowsValuesAndReadTakesModifiedEnabledEntriesInRange) {
  int steps[3] = {1, -2, 3};
  float pair[2] = {1.5f, 2.0f};
  int untouched = 4;
  char title[5] = "old";
  DialogField table[4];
  IntegerField(table[0], 1, steps, 3, -10, 10);
  RealField(table[1], 2, pair, 2, 1, 10);
  IntegerField(table[2], 3, &untouched, 1);
  TextField(table[3], 4, title);
  table[1].Changed = true;
  FakeControls dialog;
  dialog.controls[2].modified = true;
  DialogFieldBinder binder;
  binder.FillDialogFields(dialog, table);
  EXPECT_EQ(dialog.controls[1].text, " 1, -2, 3");
  EXPECT_EQ(dialog.controls[2].text, " 1.5, 2.0");
  EXPECT_EQ(dialog.controls[4].text, "old");
  EXPECT_EQ(dialog.controls[4].limit, 4);  // what the buffer holds
  EXPECT_FALSE(dialog.controls[2].modified || table[1].Changed);

  // The pair's missing second value counts as 0, out of range: the entry before is taken, none after.
  dialog.Type(1, "2.5, -2.5, 0.4");
  dialog.Type(2, "5");
  dialog.Type(4, "a much longer title");
  testing::RecordingSink sink;
  EXPECT_EQ(binder.ReadDialogFields(sink, dialog, table), -1);
  EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Invalid Data\nAllowed Range = 1 to 10"});
  EXPECT_EQ(sink.Last().icon, MessageIcon::None);
  EXPECT_EQ(dialog.focused, 2);
  EXPECT_EQ((std::array{steps[0], steps[1], steps[2]}), (std::array{3, -3, 0}));  // half away from zero
  EXPECT_EQ((std::array{pair[0], pair[1]}), (std::array{1.5f, 2.0f}));
  EXPECT_STREQ(title, "old");

  dialog.Type(2, "7.5, 2");
  dialog.Type(3, "9");
  dialog.controls[3].enabled = false;
  sink.Clear();
  EXPECT_EQ(binder.ReadDialogFields(sink, dialog, table), 2);  // the entry taken before is not read again
  EXPECT_EQ((std::array{pair[0], pair[1]}), (std::array{7.5f, 2.0f}));
  EXPECT_EQ(untouched, 4);
  EXPECT_STREQ(title, "a mu");  // cut to the buffer
  EXPECT_TRUE(table[0].Changed && table[1].Changed && !table[2].Changed && table[3].Changed);
  EXPECT_FALSE(dialog.controls[2].modified);
  EXPECT_TRUE(sink.Empty());
}

}  // namespace
}  // namespace km
