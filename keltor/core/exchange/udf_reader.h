#pragma once
// Philips UDF files: keyword lines ("Anode,Cu,/") up to a line "RawScan", then lines of intensities.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/core/messages.h"
#include "keltor/core/exchange/imported_scan.h"

namespace keltor {

// Reads a whole UDF file into one range. False after the error was shown; a file with more values
// than a range holds is cut to kImportMaxPoints with a warning and still read.
bool ReadUdf(km::MessageSink& sink, std::span<const uint8_t> file, ImportedScan& scan);

// Up to ten numbers of one data line appended to values, as the UDF importer reads them: any
// character other than digits and ".edED+-" separates, pieces that are no finite number are skipped.
// Returns how many were appended.
int AppendLineNumbers(std::string_view line, std::vector<float>& values);

}  // namespace keltor
