#include "keltor/core/operations/radiation_table.h"

#include "common/core/text.h"

namespace keltor {

namespace {

constexpr RadiationEntry kAnodes[kUserDefinedRadiation] = {
    {"Ag", 0.5594075f, 0.563798f, 2200}, {"Mo", 0.7093f, 0.71359f, 3000},     {"Cu", 1.540598f, 1.54439f, 2200},
    {"Co", 1.788965f, 1.79285f, 1800},   {"Fe", 1.936042f, 1.93998f, 1000},   {"Cr", 2.2897f, 2.293606f, 1900},
};
constexpr int kUserMaximumPower = 3000;

}  // namespace

RadiationEntry RadiationTable::Entry(int index) const {
  if (index >= 0 && index < kUserDefinedRadiation) return kAnodes[index];
  return {"User defined", userAlpha1_, userAlpha2_, kUserMaximumPower};
}

int RadiationTable::IndexOfCode(int radiation) {
  return radiation >= 1 && radiation <= kEntries ? radiation - 1 : kUserDefinedRadiation;
}

std::vector<std::string> RadiationTable::ListLines() const {
  std::vector<std::string> lines;
  for (const RadiationEntry& e : kAnodes) lines.push_back(km::Printf("%s  (%9.6f )", e.Name, static_cast<double>(e.Alpha1)));
  lines.emplace_back("User defined");
  return lines;
}

}  // namespace keltor
