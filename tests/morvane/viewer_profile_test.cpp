#include "morvane/core/viewer_profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "morvane/core/viewer_shell.h"

namespace morvane {
namespace {

TEST(ViewerProfile, ANewSectionLeavesTheState) {
  ViewerState st;
  st.BackColor = {1, 2, 3};
  ViewerSettingsBlock block{};
  EXPECT_FALSE(ApplyViewerSettings(st, block));  // all zeros
  std::memset(block.data(), ' ', 10);
  EXPECT_FALSE(ApplyViewerSettings(st, block));
  EXPECT_EQ(st.BackColor, (Rgb{1, 2, 3}));
}

TEST(ViewerProfile, RoundTripKeepsEveryFieldAndTheBytesItDoesNotUse) {
  ViewerState st;
  st.MainWin = {20, 30, 900, 700};
  st.SavedFront = {110, 130, 530, 370};
  st.SavedBack = {210, 50, 630, 290};
  st.StartColor = {1, 2, 3}, st.MeanColor = {4, 5, 6}, st.EndColor = {7, 8, 9};
  st.BackColor = {10, 11, 12}, st.PenColor = {13, 14, 15}, st.GridColor = {16, 17, 18};
  st.LabelPos = {1, 2, 3};
  st.FilledDiagrams = false, st.BorderPen = true, st.DrawGrid = true;
  st.Font = {120, 0, 0, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, "Courier New"};
  ViewerSettingsBlock asRead{};
  asRead[26] = 0x5A;
  asRead[300] = 0xA5;
  const ViewerSettingsBlock block = BuildViewerSettings(st, asRead, "07-Dec-26 04:05");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data()), 10), "MORVANE 1.");
  EXPECT_EQ(block[26], 0x5A);
  EXPECT_EQ(block[300], 0xA5);
  ViewerState back;
  ASSERT_TRUE(ApplyViewerSettings(back, block));
  EXPECT_EQ(BuildViewerSettings(back, asRead, "07-Dec-26 04:05"), block);  // every stored field came back
}

TEST(ViewerProfile, DamagedValuesAreHeldInRange) {
  ViewerSettingsBlock block{};
  std::memcpy(block.data(), "MORVANE 1.", 10);
  block[76] = 0xFF, block[77] = 0xFF, block[78] = 0xFF, block[79] = 0xFF;  // start red -1
  block[80] = 0x00, block[81] = 0x10;                                       // start green 4096
  block[148] = 9;                                                            // label position X 9
  std::memset(&block[200], 'A', 32);                                        // face name without terminator
  ViewerState st;
  ASSERT_TRUE(ApplyViewerSettings(st, block));
  EXPECT_EQ(st.StartColor, (Rgb{0, 255, 0}));
  EXPECT_EQ(st.LabelPos[0], 4);
  EXPECT_EQ(st.Font.FaceName.size(), 31u);
}

// The window title and the recent files menu themselves are checked on the window.
TEST(ViewerShell, TitleNamesTheFileOfAnyPathAndLongRecentPathsAreShortened) {
  EXPECT_EQ(FrameTitle("lab1", "D:\\DATA\\RUN.RAW  "), "3D Graphic User : lab1   File : RUN.RAW");
  const std::string text = RecentSetMenuText(1, "/data/" + std::string(60, 'd') + "/series/run.raw");
  EXPECT_EQ(text.substr(0, 3), "&1 ");
  EXPECT_LE(text.size() - 3, 64u);
  EXPECT_NE(text.find("run.raw"), std::string::npos);
}

TEST(ViewerShell, PanesAndFontHeights) {
  EXPECT_EQ(StatusPaneWidths(10, 16, 2).first, 0);
  EXPECT_EQ(MulDiv(-10, 72, 96), -8);  // -7.5 rounded away from zero
  EXPECT_EQ(MulDiv(1, 2, 0), 0);
  EXPECT_EQ(DialogFontHeight(80, 96), -10);
  EXPECT_EQ(FontHeightFromDialog(DialogFontHeight(120, 96), 96), 120);
}

}  // namespace
}  // namespace morvane
