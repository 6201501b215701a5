#include "keltor/core/plot_labels.h"

#include <cstdio>

namespace keltor {

std::string TrimLabel(std::string_view text, int minDecimals) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  std::string label(text.substr(first, last - first + 1));
  if (minDecimals < 0) return label;
  const auto point = label.find('.');
  if (point == std::string::npos) return label;
  while (label.size() - point - 1 > static_cast<size_t>(minDecimals) && label.back() == '0') label.pop_back();
  if (label.size() == point + 1) label.pop_back();
  return label;
}

std::string FormatAxisValue(const std::string& format, double value) {
  char buffer[128];
  const int n = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
  if (n < 0) return {};
  if (static_cast<size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<size_t>(n));
  // Extents near the float limits print long; give them the room they need.
  std::string big(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), format.c_str(), value);
  big.resize(static_cast<size_t>(n));
  return big;
}

}  // namespace keltor
