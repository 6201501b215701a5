#include "keltor/cli/dialog_answers_ui.h"

#include "common/core/paths.h"
#include "common/core/text.h"

namespace keltor::cli {

std::optional<int> DialogAnswersUi::ChooseFromRangeList(const RangeListRequest& request) {
  const bool source = request.Purpose == RangeListPurpose::Source;
  const std::optional<int>& chosen = source ? SourceRange : TargetRange;
  const char* option = source ? "--source-range" : "--range";
  const int count = static_cast<int>(request.Lines.size());
  const std::string name = km::FileNameOf(request.Path);
  if (!chosen) {
    ShowError(km::Printf("%s holds %d ranges: name one with %s", name.c_str(), count, option));
    return std::nullopt;
  }
  if (*chosen < 1 || *chosen > count) {
    ShowError(km::Printf("%s has no range %d (it holds %d)", name.c_str(), *chosen, count));
    return std::nullopt;
  }
  return *chosen - 1;
}

}  // namespace keltor::cli
