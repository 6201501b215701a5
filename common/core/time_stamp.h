#pragma once
// Time stamps as the suite writes them into raw data files and profile sections: local time as
// "%d-%b-%y %H:%M" ("05-Mar-24 14:07") in a 16-byte field, with English month names in every locale.
#include <ctime>
#include <string>

namespace km {

std::string FormatTimeStamp(std::time_t time);

// The current local time, NUL-terminated.
void MakeTimeStamp(char (&buffer)[16]);

}  // namespace km
