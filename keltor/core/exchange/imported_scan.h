#pragma once
// What an importer makes of a foreign file: the raw data file header, and for each range its header
// and intensities, ready for WriteRawRange. Both importers start from the same header and share the
// anode symbols of the exchange formats.
#include <span>
#include <string_view>
#include <vector>

#include "common/core/raw_format.h"
#include "keltor/core/operations/truncate_range.h"

namespace keltor {

// A range holds at most this many points; longer foreign ranges are cut to it.
inline constexpr int kImportMaxPoints = 16384;

struct ImportedRange {
  km::RawRangeHeader Header = km::ZeroRangeHeader();
  std::vector<float> Data;  // Header.PointCount values
};

struct ImportedScan {
  km::RawFileHeader Header = km::ZeroFileHeader();
  std::vector<ImportedRange> Ranges;
};

// The header every import starts from: a reflection 2Theta:Omega scan of one range with a
// scintillation counter and copper radiation, created by KELTOR now.
km::RawFileHeader ImportDefaultHeader();

struct AnodeEntry {
  int Index = 7;  // the Radiation value; 7 when the symbol names no anode of the table
  float WavelengthAlpha1 = 1.0f;
  float WavelengthAlpha2 = 1.0f;
};

// Looks an anode symbol up: blanks around it are padding, letter case is ignored, and the first two
// characters decide ("Cu", "cu ", " Cu" are copper; an empty symbol is the table's blank entry).
AnodeEntry LookupAnode(std::string_view symbol);

// Radiation and both wavelengths of the header from an anode symbol.
void SetAnode(km::RawFileHeader& header, std::string_view symbol);

// MinIntensity and MaxIntensity from the values: SetIntensityExtremes of the range operations.

}  // namespace keltor
