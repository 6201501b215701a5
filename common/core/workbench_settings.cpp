#include "common/core/workbench_settings.h"

namespace km {

WorkbenchSettings DefaultWorkbenchSettings() {
  WorkbenchSettings settings{};
  for (int32_t& flag : settings.DisplayFlags) flag = 1;
  settings.FullFile = 0;
  constexpr uint32_t kDefaultColors[kRangeColorCount] = {
      0x800000, 0x800080, 0x808000, 0x008000, 0x004080, 0x0000B4, 0xFF0080, 0xFF0000, 0x404040, 0x000000,
      0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0x808080, 0x400040, 0x000000};
  for (int i = 0; i < kRangeColorCount; ++i) settings.RangeColors[i] = kDefaultColors[i];
  return settings;
}

}  // namespace km
