#include "morvane/core/viewer_shell.h"

#include <algorithm>
#include <cstdint>

#include "common/core/paths.h"

namespace morvane {

std::string FrameTitle(std::string_view userName, std::string_view masterPath) {
  std::string title = "3D Graphic User : ";
  title += userName;
  std::string_view path = masterPath;
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  if (!path.empty()) {
    title += "   File : ";
    title += km::FileNameOf(path);
  }
  return title;
}

std::string RecentSetMenuText(int number, std::string path) {
  if (static_cast<int>(path.size()) > kRecentPathDisplayLength) km::AbbreviatePath(path, kRecentPathDisplayLength);
  return "&" + std::to_string(number) + " " + path;
}

PaneWidths StatusPaneWidths(int windowWidth, int scrollBarWidth, int edgeWidth) {
  const int w = std::max(0, windowWidth - (scrollBarWidth + 9 * edgeWidth));
  return {2 * w / 3, w - 2 * w / 3};
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const int64_t p = static_cast<int64_t>(a) * b;
  const int64_t half = (c < 0 ? -c : c) / 2;
  const bool negative = (p < 0) != (c < 0);
  const int64_t q = ((p < 0 ? -p : p) + half) / (c < 0 ? -c : c);
  return static_cast<int>(negative ? -q : q);
}

int DialogFontHeight(int tenthsOfPoint, int pixelsPerInch) { return -(MulDiv(tenthsOfPoint, pixelsPerInch, 72) / 10); }

int FontHeightFromDialog(int logicalHeight, int pixelsPerInch) {
  return -10 * MulDiv(logicalHeight, 72, pixelsPerInch);
}

}  // namespace morvane
