#pragma once
// What follows a change of the working file's data: IsModified set, the list rebuilt, the changed
// ranges marked and the plot told (UWM_DATA_CHANGED).
#include <span>

#include "keltor/core/workbench.h"

namespace keltor {

void FinishDataChange(Workbench& workbench, std::span<const int> changedRanges);

}  // namespace keltor
