#pragma once
// Texts and numbers of the viewer's main window that need no window: its title, the File menu's
// recent master files, the status bar's panes, and the font height as the font dialog takes it.
#include <string>
#include <string_view>

namespace morvane {

// Recent master file paths longer than this are shortened in the File menu.
inline constexpr int kRecentPathDisplayLength = 64;

// "3D Graphic User : %s", then "   File : " and the master file's name when one was opened.
std::string FrameTitle(std::string_view userName, std::string_view masterPath);

// The File menu's text for recent master file number (from 1): "&1 " and the path, shortened.
std::string RecentSetMenuText(int number, std::string path);

// The widths of the status bar's two panes for a window width: two thirds and the rest of what is
// left after the scroll bar and the edges.
struct PaneWidths {
  int first = 0, second = 0;
};
PaneWidths StatusPaneWidths(int windowWidth, int scrollBarWidth, int edgeWidth);

// The platform's multiply-divide: a × b / c rounded half away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

// Font heights in tenths of a point to the font dialog's logical height (negative pixels) and back,
// for a screen of pixelsPerInch.
int DialogFontHeight(int tenthsOfPoint, int pixelsPerInch);
int FontHeightFromDialog(int logicalHeight, int pixelsPerInch);

}  // namespace morvane
