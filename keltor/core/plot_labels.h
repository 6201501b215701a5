#pragma once
// Tick labels: a value printed with the axis' printf format, then cut to what a reader needs.
#include <string>
#include <string_view>

namespace keltor {

// Cuts blanks at both ends. With minDecimals >= 0 and a decimal point, trailing zeros go while more
// than minDecimals decimals remain, and a point left at the end goes too: "12.500" keeps "12.50" with
// 2 and becomes "12" with 0. A negative minDecimals only cuts blanks.
std::string TrimLabel(std::string_view text, int minDecimals);

// One double through a printf format such as "%-9.3f" (the format must take exactly one double).
std::string FormatAxisValue(const std::string& format, double value);

}  // namespace keltor
