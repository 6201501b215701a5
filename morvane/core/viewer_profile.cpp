#include "morvane/core/viewer_profile.h"

#include <algorithm>
#include <cstring>

namespace morvane {
namespace {

constexpr size_t kExitTime = 10, kMainWin = 28, kSavedFront = 44, kSavedBack = 60, kStartColor = 76,
                 kMeanColor = 88, kEndColor = 100, kBackColor = 112, kPenColor = 124, kGridColor = 136,
                 kLabelPos = 148, kFilled = 160, kBorderPen = 164, kDrawGrid = 168, kFont = 172,
                 kFaceName = kFont + 28, kFaceNameSize = 32;

int32_t GetI32(std::span<const uint8_t> b, size_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
                              static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

void PutI32(std::span<uint8_t> b, size_t at, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

Rect GetRect(std::span<const uint8_t> b, size_t at) {
  return {GetI32(b, at), GetI32(b, at + 4), GetI32(b, at + 8), GetI32(b, at + 12)};
}

void PutRect(std::span<uint8_t> b, size_t at, const Rect& r) {
  PutI32(b, at, r.left);
  PutI32(b, at + 4, r.top);
  PutI32(b, at + 8, r.right);
  PutI32(b, at + 12, r.bottom);
}

// A colour channel outside 0..255 in a damaged profile is held at the nearest end.
Rgb GetColor(std::span<const uint8_t> b, size_t at) {
  auto channel = [&](size_t i) { return static_cast<uint8_t>(std::clamp(GetI32(b, at + 4 * i), 0, 255)); };
  return {channel(0), channel(1), channel(2)};
}

void PutColor(std::span<uint8_t> b, size_t at, Rgb c) {
  PutI32(b, at, c.r);
  PutI32(b, at + 4, c.g);
  PutI32(b, at + 8, c.b);
}

}  // namespace

void SetViewerDefaults(ViewerState& st) {
  st.StartColor = {0, 0, 255};
  st.MeanColor = {255, 0, 0};
  st.EndColor = {255, 255, 0};
  st.BackColor = {255, 255, 255};
  st.PenColor = {0, 0, 0};
  st.GridColor = {128, 128, 128};
  st.LabelPos = {0, 0, 0};
  st.FilledDiagrams = true;
  st.BorderPen = true;
  st.MainWin = {10, 10, 640, 400};
}

bool ApplyViewerSettings(ViewerState& st, std::span<const uint8_t> b) {
  if (b.size() < kViewerSettingsSize) return false;
  // The ident runs to its terminator; trailing blanks do not count.
  size_t n = 0;
  while (n < kExitTime && b[n] != 0) ++n;
  while (n > 0 && b[n - 1] == ' ') --n;
  if (n == 0) return false;

  st.MainWin = GetRect(b, kMainWin);
  st.SavedFront = GetRect(b, kSavedFront);
  st.SavedBack = GetRect(b, kSavedBack);
  st.StartColor = GetColor(b, kStartColor);
  st.MeanColor = GetColor(b, kMeanColor);
  st.EndColor = GetColor(b, kEndColor);
  st.BackColor = GetColor(b, kBackColor);
  st.PenColor = GetColor(b, kPenColor);
  st.GridColor = GetColor(b, kGridColor);
  // A position outside 0..4 places no axis.
  for (int i = 0; i < 3; ++i) {
    const int32_t pos = GetI32(b, kLabelPos + 4 * i);
    st.LabelPos[i] = pos >= 0 && pos <= 4 ? pos : 4;
  }
  st.FilledDiagrams = GetI32(b, kFilled) != 0;
  st.BorderPen = GetI32(b, kBorderPen) != 0;
  st.DrawGrid = GetI32(b, kDrawGrid) != 0;

  LogicalFont& f = st.Font;
  f.Height = GetI32(b, kFont);
  f.Width = GetI32(b, kFont + 4);
  f.Escapement = GetI32(b, kFont + 8);
  f.Orientation = GetI32(b, kFont + 12);
  f.Weight = GetI32(b, kFont + 16);
  f.Italic = b[kFont + 20];
  f.Underline = b[kFont + 21];
  f.StrikeOut = b[kFont + 22];
  f.CharSet = b[kFont + 23];
  f.OutPrecision = b[kFont + 24];
  f.ClipPrecision = b[kFont + 25];
  f.Quality = b[kFont + 26];
  f.PitchAndFamily = b[kFont + 27];
  size_t len = 0;
  while (len < kFaceNameSize - 1 && b[kFaceName + len] != 0) ++len;
  f.FaceName.assign(reinterpret_cast<const char*>(&b[kFaceName]), len);
  return true;
}

ViewerSettingsBlock BuildViewerSettings(const ViewerState& st, std::span<const uint8_t> asRead,
                                        std::string_view exitTime) {
  ViewerSettingsBlock block{};
  std::copy_n(asRead.begin(), std::min(asRead.size(), block.size()), block.begin());
  const std::span<uint8_t> b(block);
  std::memcpy(&block[0], kViewerSettingsIdent.data(), kViewerSettingsIdent.size());
  block[kViewerSettingsIdent.size()] = 0;
  // The time stamp overwrites the end of the ident: "MORVANE 1." stays.
  std::memset(&block[kExitTime], 0, 16);
  std::memcpy(&block[kExitTime], exitTime.data(), std::min<size_t>(exitTime.size(), 15));

  PutRect(b, kMainWin, st.MainWin);
  PutRect(b, kSavedFront, st.SavedFront);
  PutRect(b, kSavedBack, st.SavedBack);
  PutColor(b, kStartColor, st.StartColor);
  PutColor(b, kMeanColor, st.MeanColor);
  PutColor(b, kEndColor, st.EndColor);
  PutColor(b, kBackColor, st.BackColor);
  PutColor(b, kPenColor, st.PenColor);
  PutColor(b, kGridColor, st.GridColor);
  for (int i = 0; i < 3; ++i) PutI32(b, kLabelPos + 4 * i, st.LabelPos[i]);
  PutI32(b, kFilled, st.FilledDiagrams ? 1 : 0);
  PutI32(b, kBorderPen, st.BorderPen ? 1 : 0);
  PutI32(b, kDrawGrid, st.DrawGrid ? 1 : 0);

  const LogicalFont& f = st.Font;
  PutI32(b, kFont, f.Height);
  PutI32(b, kFont + 4, f.Width);
  PutI32(b, kFont + 8, f.Escapement);
  PutI32(b, kFont + 12, f.Orientation);
  PutI32(b, kFont + 16, f.Weight);
  const uint8_t bytes[8] = {f.Italic, f.Underline, f.StrikeOut, f.CharSet, f.OutPrecision, f.ClipPrecision,
                            f.Quality, f.PitchAndFamily};
  std::memcpy(&block[kFont + 20], bytes, 8);
  std::memset(&block[kFaceName], 0, kFaceNameSize);
  std::memcpy(&block[kFaceName], f.FaceName.data(), std::min<size_t>(f.FaceName.size(), kFaceNameSize - 1));
  return block;
}

}  // namespace morvane
