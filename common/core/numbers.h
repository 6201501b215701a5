#pragma once
// Numbers typed by users into dialog fields and free-form texts.
#include <span>
#include <string_view>

namespace km {

inline constexpr int kRealNumberText = 2;
inline constexpr int kIntegerNumberText = 1;

// Mode 2: the text from its first non-blank to its trimmed end holds only digits and ".edED+-";
// any other mode: only digits and "+-". Either way at least one digit.
bool IsNumberText(std::string_view text, int mode);

// Reads up to values.size() reals from a free-form text: every character that cannot belong to a
// number separates, and each piece that reads as a finite real becomes the next value. The values
// are cleared to 0 first; returns how many were found.
int ParseNumbers(std::string_view text, std::span<float> values);

}  // namespace km
