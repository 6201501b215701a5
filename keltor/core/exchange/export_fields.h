#pragma once
// The fixed-width number fields the export formats are made of. The formats have no separator of
// their own: each field carries its leading blanks. A value that fills its field (a count of 10^8
// in nine places, a negative count in eight) would run into the value before it and the line could
// no longer be read, so such a field gets one blank in front; fields whose values fit are written
// exactly as their format says.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace keltor::exchange {

// value with precision decimals by scaling to a whole number, when the scaled value lies clearly
// away from a half (else printf's exact rounding could differ and false is returned).
inline bool FixedByScaling(double value, int precision, char* digits, int& length) {
  constexpr double kScale[] = {1, 10, 100, 1000, 1e4, 1e5, 1e6};
  const double scaled = std::fabs(value) * kScale[precision];
  const double fraction = scaled - std::trunc(scaled);
  if (std::fabs(fraction - 0.5) < 1e-3) return false;
  const long long whole = static_cast<long long>(std::nearbyint(scaled));
  char number[24];
  const auto result = std::to_chars(number, number + sizeof number, whole);
  int count = static_cast<int>(result.ptr - number);
  char* p = digits;
  if (std::signbit(value)) *p++ = '-';
  // At least one digit before the point.
  const int leading = count > precision ? count - precision : 0;
  if (leading == 0) *p++ = '0';
  for (int i = 0; i < leading; ++i) *p++ = number[i];
  *p++ = '.';
  for (int i = count - leading; i < precision; ++i) *p++ = '0';
  for (int i = leading; i < count; ++i) *p++ = number[i];
  length = static_cast<int>(p - digits);
  return true;
}

// printf's "%W.Pf" of value, right-aligned in width characters (longer when the value needs it).
inline void AppendFixed(std::string& out, double value, int width, int precision) {
  char digits[400];
  int length = 0;
  if (std::isnan(value)) {
    length = 3;
    digits[0] = 'n', digits[1] = 'a', digits[2] = 'n';
  } else if (std::isinf(value)) {
    const std::string_view text = value < 0 ? "-inf" : "inf";
    length = static_cast<int>(text.size());
    text.copy(digits, text.size());
  } else if (std::fabs(value) < 1e15 && (precision == 0 || value == std::trunc(value))) {
    // Counts: whole numbers, or rounded to whole ones. nearbyint rounds the exact binary value with
    // ties to even, as printf does; the digits then come from the integer formatter, which is many
    // times faster than the general one.
    const double whole = precision == 0 ? std::nearbyint(value) : value;
    char* p = digits;
    if (std::signbit(whole)) *p++ = '-';
    p = std::to_chars(p, digits + sizeof digits, static_cast<long long>(std::fabs(whole))).ptr;
    if (precision > 0) {
      *p++ = '.';
      for (int i = 0; i < precision; ++i) *p++ = '0';
    }
    length = static_cast<int>(p - digits);
  } else if (precision > 0 && precision <= 6 && std::fabs(value) < 1e6 && FixedByScaling(value, precision, digits, length)) {
    // Angles and counts per second: done by scaling where the rounding is unambiguous.
  } else {
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    length = static_cast<int>(result.ptr - digits);
  }
  if (length < width) out.append(static_cast<size_t>(width - length), ' ');
  out.append(digits, static_cast<size_t>(length));
}

// A field that follows another on its line: one blank in front when the value fills the field.
inline void AppendNextFixed(std::string& out, double value, int width, int precision) {
  const size_t start = out.size();
  AppendFixed(out, value, width, precision);
  if (out[start] != ' ') out.insert(start, 1, ' ');
}

// printf's "%Wd" (right-aligned) or "%-Wd" (left-aligned, width < 0).
inline void AppendInt(std::string& out, long long value, int width) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  const size_t length = static_cast<size_t>(result.ptr - digits);
  const size_t w = static_cast<size_t>(width < 0 ? -width : width);
  if (width > 0 && length < w) out.append(w - length, ' ');
  out.append(digits, length);
  if (width < 0 && length < w) out.append(w - length, ' ');
}

// Half away from zero to a 32-bit integer; values beyond it (or not numbers) held at its limits.
inline long long RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483648LL;
  return value < 0 ? static_cast<long long>(value - 0.5) : static_cast<long long>(value + 0.5);
}

// A header text on one line of the file: line breaks and other control characters become blanks,
// so a title typed with a line break cannot split a keyword or header line in two.
inline std::string OneLineText(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text;
}

inline void EndLine(std::string& out) { out.append("\r\n"); }

// Lines of up to ten values in fields of width; the last line carries only what remains.
void AppendTenPerLine(std::string& out, std::span<const float> values, int width, int decimals);

}  // namespace keltor::exchange
