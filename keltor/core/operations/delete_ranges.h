#pragma once
// Delete Range: the ranges that stay are moved together behind the file's headers, in their order.
#include <span>
#include <string>

#include "common/core/raw_format.h"

namespace keltor {

// bytes holds a whole raw data file and header its file header (the working header, which may be
// newer than the one in bytes). Builds the file without the ranges in deleted (range numbers): the
// kept ranges' blocks follow one another from the first range's block on, the block tables, range
// counts, LastBlock, LastBlockCopy and TotalPointCount describe them, and header is written over the
// start. False, with bytes and header unchanged, when the block tables point outside the file.
bool CompactRanges(std::string& bytes, km::RawFileHeader& header, std::span<const int> deleted);

}  // namespace keltor
