#pragma once
// Reading and writing raw data files. These are the only operations that touch a raw data file's
// bytes. Each call opens the file, works and closes it; every failure is shown through the sink and
// the caller sees false.
#include <cstdint>
#include <span>
#include <string>

#include "common/core/messages.h"
#include "common/core/raw_format.h"

namespace km {

// The in-memory handle of one raw data file, owned by the caller and filled by the operations.
struct RawFileContext {
  int32_t MeasuredRanges = 0;   // ranges in the file as read (one more while being measured)
  int32_t CurrentRange = 0;     // |range number| of the last read
  bool IsBeingMeasured = false;  // RangeInMeasurement was non-zero at the last read
  std::string Path;             // full path of the file
  RawFileHeader Header = ZeroFileHeader();
};

inline constexpr size_t kMaxPathLength = 260;

// Reads and upgrades the file header; with extHeader, also the extension header.
bool ReadRawHeader(MessageSink& sink, const std::string& path, RawFileHeader& header,
                   RawExtHeader* extHeader = nullptr);

// Reads the file header of context.Path into the context, then by the sign of rangeNumber: 0 the
// headers only, -n range n's header only, n range n's header and data. data must hold the range's
// points; a range longer than data is refused with a message rather than read past its end.
bool ReadRawRange(MessageSink& sink, RawFileContext& context, int rangeNumber, RawRangeHeader& rangeHeader,
                  std::span<float> data, RawExtHeader* extHeader = nullptr,
                  RangeReaderVariant variant = RangeReaderVariant::Workbench);

// Writes into context.Path: 0 a new file holding the headers only; n range n (a new file when n is
// below the context's range count, else appended); -n the last range n in place. data holds
// rangeHeader.PointCount values. extHeader may be absent (then the file's own, or zeros).
bool WriteRawRange(MessageSink& sink, RawFileContext& context, int rangeNumber, RawRangeHeader& rangeHeader,
                   std::span<const float> data, const RawExtHeader* extHeader = nullptr);

// The readers over bytes already in memory (the whole file), for tests and fuzzers: the same checks,
// the same messages, the same results as the file operations. path is used in the messages only.
bool ParseRawHeader(MessageSink& sink, std::span<const uint8_t> file, const std::string& path,
                    RawFileHeader& header, RawExtHeader* extHeader = nullptr);
bool ParseRawRange(MessageSink& sink, std::span<const uint8_t> file, RawFileContext& context, int rangeNumber,
                   RawRangeHeader& rangeHeader, std::span<float> data, RawExtHeader* extHeader = nullptr,
                   RangeReaderVariant variant = RangeReaderVariant::Workbench);

}  // namespace km
