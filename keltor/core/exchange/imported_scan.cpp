#include "keltor/core/exchange/imported_scan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "common/core/time_stamp.h"

namespace keltor {

namespace {

struct AnodeRow {
  const char* Symbol;
  float Alpha1;
  float Alpha2;
};

// The anode symbols of the foreign formats, by Radiation index 0 to 6.
constexpr std::array<AnodeRow, 7> kAnodes{{
    {"  ", 0.0f, 0.0f},
    {"AG", 0.5594075f, 0.563798f},
    {"MO", 0.7093f, 0.71359f},
    {"CU", 1.540598f, 1.54439f},
    {"CO", 1.788965f, 1.79285f},
    {"FE", 1.936042f, 1.93998f},
    {"CR", 2.2897f, 2.293606f},
}};

constexpr int kCopper = 3;

bool IsPadding(char c) { return c == ' ' || c == '\t'; }

}  // namespace

km::RawFileHeader ImportDefaultHeader() {
  km::RawFileHeader h = km::ZeroFileHeader();
  std::copy_n(km::kRawMagic, sizeof h.Magic, h.Magic);  // all eight characters, no terminator
  km::SetFieldText(h.CreatorProgram, "KELTOR");
  km::MakeTimeStamp(h.CreationTime);
  h.AngleResolution = 1000;
  h.DetectorType = 1;
  h.Radiation = kCopper;
  h.WavelengthAlpha1 = kAnodes[kCopper].Alpha1;
  h.WavelengthAlpha2 = kAnodes[kCopper].Alpha2;
  h.ScanMode = 2;
  h.ScanType = 3;
  h.MeasuredRangeCount = 1;
  h.InstrumentInfoValid = 1;
  return h;
}

AnodeEntry LookupAnode(std::string_view symbol) {
  while (!symbol.empty() && IsPadding(symbol.front())) symbol.remove_prefix(1);
  while (!symbol.empty() && IsPadding(symbol.back())) symbol.remove_suffix(1);
  // Two characters, a short symbol padded with blanks, as the symbols are stored.
  std::array<char, 2> key{' ', ' '};
  for (size_t i = 0; i < key.size() && i < symbol.size(); ++i) {
    key[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(symbol[i])));
  }
  for (size_t i = 0; i < kAnodes.size(); ++i) {
    if (kAnodes[i].Symbol[0] == key[0] && kAnodes[i].Symbol[1] == key[1]) {
      return {static_cast<int>(i), kAnodes[i].Alpha1, kAnodes[i].Alpha2};
    }
  }
  return {};
}

void SetAnode(km::RawFileHeader& header, std::string_view symbol) {
  const AnodeEntry anode = LookupAnode(symbol);
  header.Radiation = static_cast<int16_t>(anode.Index);
  header.WavelengthAlpha1 = anode.WavelengthAlpha1;
  header.WavelengthAlpha2 = anode.WavelengthAlpha2;
}

}  // namespace keltor
