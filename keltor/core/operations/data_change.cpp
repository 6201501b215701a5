#include "keltor/core/operations/data_change.h"

namespace keltor {

void FinishDataChange(Workbench& workbench, std::span<const int> changedRanges) {
  workbench.File.IsModified = true;
  workbench.BuildListFile();
  for (const int r : changedRanges) workbench.File.SetRangeModified(r);
  workbench.Observer().OnDataChanged();
}

}  // namespace keltor
