#include "common/core/time_stamp.h"

#include <cstdio>
#include <cstring>

namespace km {

namespace {
constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}

std::string FormatTimeStamp(std::time_t time) {
  std::tm local {};
  if (!localtime_r(&time, &local)) return {};
  const int month = local.tm_mon >= 0 && local.tm_mon < 12 ? local.tm_mon : 0;
  // Two-digit year, as %y gives it; the modulo keeps years before 1900 positive.
  const int year = ((local.tm_year + 1900) % 100 + 100) % 100;
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%s-%02d %02d:%02d", local.tm_mday, kMonths[month], year, local.tm_hour,
                local.tm_min);
  return text;
}

void MakeTimeStamp(char (&buffer)[16]) {
  const std::string text = FormatTimeStamp(std::time(nullptr));
  std::memset(buffer, 0, sizeof buffer);
  std::memcpy(buffer, text.data(), text.size() < sizeof buffer ? text.size() : sizeof buffer - 1);
}

}  // namespace km
