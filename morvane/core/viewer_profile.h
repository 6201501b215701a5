#pragma once
// The viewer's section (13) of the user profile: the recent master files as its texts, and 512 bytes
// of settings (colours, cube, label positions, switches, font, main window) read at start and written
// at exit. Bytes the viewer does not use are written back as they were read.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "morvane/core/viewer_state.h"

namespace morvane {

inline constexpr size_t kViewerSettingsSize = 512;
using ViewerSettingsBlock = std::array<uint8_t, kViewerSettingsSize>;

// Written at offset 0 before the exit time overwrites all but its first ten characters.
inline constexpr std::string_view kViewerSettingsIdent = "MORVANE 1.07";

// The colours, switches, cube, font and window of a first start (and of a start without a user).
void SetViewerDefaults(ViewerState& state);

// Takes the settings of a section into the state. False, and the state left alone, when the block's
// ident is empty (a new user): the caller then keeps the defaults.
bool ApplyViewerSettings(ViewerState& state, std::span<const uint8_t> block);

// The block to write at exit: the bytes as read, the ident, the exit time (a "%d-%b-%y %H:%M" text)
// and every field from the state.
ViewerSettingsBlock BuildViewerSettings(const ViewerState& state, std::span<const uint8_t> asRead,
                                        std::string_view exitTime);

}  // namespace morvane
