#pragma once
// The suite writes dialog filters as "Name|pattern;pattern|Name|pattern||". Qt reads the patterns from
// the parentheses at the end of each name filter, separated by blanks.
#include <QStringList>
#include <string_view>

namespace km {

QStringList NameFiltersFrom(std::string_view filter);

}  // namespace km
