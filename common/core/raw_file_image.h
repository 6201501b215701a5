#pragma once
// A whole raw data file built in memory from its headers and ranges, and written in one go: the same
// bytes as writing the ranges one by one into a new file, with one open and one flush to the disk
// instead of one per range.
#include <span>
#include <string>

#include "common/core/messages.h"
#include "common/core/raw_file.h"

namespace km {

// The bytes of a new file holding ranges 1 .. headers.size() (at most 8), with context.Header as
// its file header and extHeader as the extension header. The range headers get their storage
// format (and a scale factor of 0 becomes 1) as the writer gives them; context.Header gets the
// block table and counts. Nothing (an empty string) after a message when a range does not fit.
std::string BuildRawFileImage(MessageSink& sink, RawFileContext& context, const RawExtHeader& extHeader,
                              std::span<RawRangeHeader> headers, std::span<const std::span<const float>> data);

// Builds the image and writes it to context.Path, replacing what is there.
bool WriteRawFileImage(MessageSink& sink, RawFileContext& context, const RawExtHeader& extHeader,
                       std::span<RawRangeHeader> headers, std::span<const std::span<const float>> data);

}  // namespace km
