#include "common/core/numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/core/c_locale.h"
#include "common/core/text.h"

namespace km {

namespace {

constexpr std::string_view kRealCharacters = ".edED+-";
constexpr std::string_view kIntegerCharacters = "+-";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A real scanned from the front of the token, as "%f" reads it (a trailing rest is ignored).
bool ScanReal(const std::string& token, float& value) {
  const CLocaleScope cLocale;
  char* end = nullptr;
  errno = 0;
  const float v = std::strtof(token.c_str(), &end);
  // A value beyond the range of a float is not a number the programs can hold.
  if (end == token.c_str() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

}  // namespace

bool IsNumberText(std::string_view text, int mode) {
  const int first = FirstNonBlank(text);
  if (first == 0) return false;
  const std::string_view allowed = mode == kRealNumberText ? kRealCharacters : kIntegerCharacters;
  bool digit = false;
  for (size_t i = static_cast<size_t>(first - 1); i < TrimmedLength(text); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      digit = true;
    } else if (allowed.find(c) == std::string_view::npos) {
      return false;
    }
  }
  return digit;
}

int ParseNumbers(std::string_view text, std::span<float> values) {
  for (float& v : values) v = 0.0f;
  std::string copy(text);
  for (char& c : copy) {
    if (!IsDigit(c) && kRealCharacters.find(c) == std::string_view::npos) c = ' ';
  }
  size_t found = 0;
  size_t i = 0;
  while (found < values.size()) {
    const size_t start = copy.find_first_not_of(' ', i);
    if (start == std::string::npos) break;
    size_t end = copy.find(' ', start);
    if (end == std::string::npos) end = copy.size();
    const std::string token = copy.substr(start, end - start);
    float value = 0.0f;
    if (IsNumberText(token, kRealNumberText) && ScanReal(token, value)) values[found++] = value;
    i = end;
  }
  return static_cast<int>(found);
}

}  // namespace km
