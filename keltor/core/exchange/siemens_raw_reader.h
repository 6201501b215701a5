#pragma once
// Siemens RAW files of version 2 ("RAW2"): a 256-byte file header, then the ranges back to back, each
// a range header of its own declared length followed by one 32-bit float per point.
#include <cstdint>
#include <span>

#include "common/core/messages.h"
#include "keltor/core/exchange/imported_scan.h"

namespace keltor {

// The most ranges a Siemens file may declare to be imported.
inline constexpr int kSiemensMaxRanges = 200;

// Reads every range of a whole Siemens file. The layout is checked before anything is taken: a file
// that declares no ranges or more than 200, or a range whose header is shorter than its 64 used
// bytes, holds no points or runs past the end of the file, is refused with its message. A range of
// more than kImportMaxPoints points is cut to that many.
bool ReadSiemensRaw(km::MessageSink& sink, std::span<const uint8_t> file, ImportedScan& scan);

}  // namespace keltor
