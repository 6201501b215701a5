#pragma once
// keltor-cli's answers to the file arithmetic, normalisation, add points and parameter dialogs: the
// values the options named, checked as the dialog checks them. A value the dialog would refuse gets
// the dialog's message and ends the command (a command line cannot be corrected in place).
#include <optional>
#include <string>

#include "keltor/cli/cli_workbench_ui.h"

namespace keltor::cli {

class DialogAnswersUi : public CliWorkbenchUi {
 public:
  std::optional<int> TargetRange;  // --range: the range of FILE to work on
  std::optional<int> SourceRange;  // --source-range
  std::optional<ArithmeticFactors> Factors;
  std::optional<NormalizeChoice> Normalize;
  std::optional<int> AddPointsCount;
  std::optional<std::string> Title;    // Windows-1252
  std::optional<std::string> Comment;  // Windows-1252, lines ending CR LF
  std::optional<WavelengthChoice> Wavelength;
  std::optional<int> Voltage;
  std::optional<int> Current;

  // The dialogs' range messages carry no icon; here they end the command and are errors.
  void ShowMessage(std::string_view text, km::MessageIcon icon) override {
    CliWorkbenchUi::ShowMessage(text, checking_ && icon == km::MessageIcon::None ? km::MessageIcon::Stop : icon);
  }

  std::optional<int> ChooseFromRangeList(const RangeListRequest& request) override;
  std::optional<ArithmeticFactors> EditArithmeticFactors(const ArithmeticFactors& initial,
                                                         const DialogCheck<ArithmeticFactors>& check) override {
    return Answer(Factors.value_or(initial), check);
  }
  std::optional<NormalizeChoice> EditNormalizeChoice(const NormalizeChoice& initial,
                                                     const DialogCheck<NormalizeChoice>& check) override {
    return Answer(Normalize.value_or(initial), check);
  }
  std::optional<int> EditAddPointsCount(int initial, const DialogCheck<int>& check) override {
    return Answer(AddPointsCount.value_or(initial), check);
  }
  std::optional<TitleTexts> EditTitleTexts(const TitleTexts& initial, const DialogCheck<TitleTexts>& check) override {
    return Answer(TitleTexts{Title.value_or(initial.Title), Comment.value_or(initial.Comment)}, check);
  }
  std::optional<WavelengthChoice> EditWavelength(const WavelengthRequest& request,
                                                 const DialogCheck<WavelengthChoice>& check) override {
    return Answer(Wavelength.value_or(WavelengthChoice{request.Selection, request.Wavelength}), check);
  }
  std::optional<GeneratorSettings> EditGeneratorSettings(const GeneratorSettings& initial,
                                                         const DialogCheck<GeneratorSettings>& check) override {
    return Answer(GeneratorSettings{Voltage.value_or(initial.Voltage), Current.value_or(initial.Current)}, check);
  }

 private:
  template <typename T>
  std::optional<T> Answer(const T& values, const DialogCheck<T>& check) {
    checking_ = true;
    const bool refused = check(values) != 0;
    checking_ = false;
    if (refused) return std::nullopt;
    return values;
  }

  bool checking_ = false;
};

}  // namespace keltor::cli
