#pragma once
// The workbench's binary settings in its section (4) of the user profile: 516 bytes as they lie in the file.
#include <cstddef>
#include <cstdint>
#include <span>

namespace km {

inline constexpr char kWorkbenchSettingsMagic[] = "RAW_1.06";
inline constexpr int kRangeColorCount = 20;

#pragma pack(push, 1)
struct WorkbenchSettings {
  char SettingsMagic[10];  // "RAW_1.06" and a terminator, written at exit
  char LastExitTime[16];   // time stamp text of the last exit
  uint8_t Padding26[2];
  int32_t MainWindowRect[4];  // left, top, right, bottom of the normal placement; width below 1: none stored
  int32_t DisplayFlags[3];    // kept as read
  uint8_t Reserved56[8];
  int32_t FullFile;                        // non-zero: the list file shows the data points
  uint32_t RangeColors[kRangeColorCount];  // 0x00BBGGRR for ranges 1 to 20
  float AngleCorrectionSettings[2];
  uint8_t Reserved156[360];
};
#pragma pack(pop)

static_assert(sizeof(WorkbenchSettings) == 516);
static_assert(offsetof(WorkbenchSettings, LastExitTime) == 10);
static_assert(offsetof(WorkbenchSettings, MainWindowRect) == 28);
static_assert(offsetof(WorkbenchSettings, DisplayFlags) == 44);
static_assert(offsetof(WorkbenchSettings, FullFile) == 64);
static_assert(offsetof(WorkbenchSettings, RangeColors) == 68);
static_assert(offsetof(WorkbenchSettings, AngleCorrectionSettings) == 148);
static_assert(offsetof(WorkbenchSettings, Reserved156) == 156);

// All zero apart from DisplayFlags 1 and the standard range colours.
WorkbenchSettings DefaultWorkbenchSettings();

// The settings as the bytes a profile section holds.
inline std::span<uint8_t> SettingsBytes(WorkbenchSettings& settings) {
  return {reinterpret_cast<uint8_t*>(&settings), sizeof settings};
}
inline std::span<const uint8_t> SettingsBytes(const WorkbenchSettings& settings) {
  return {reinterpret_cast<const uint8_t*>(&settings), sizeof settings};
}

}  // namespace km
