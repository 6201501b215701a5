#pragma once
// Texts inside the suite's binary files and status files are 8-bit Windows-1252 (the degree sign is
// 0xB0). The programs keep them so and convert only at the edge: the GUI, JSON and the terminal.
#include <string>
#include <string_view>

namespace km {

std::string Cp1252ToUtf8(std::string_view text);
// Characters Windows-1252 cannot hold become '?'; malformed UTF-8 bytes are taken as Windows-1252.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace km
