// keltor-cli add-file, subtract-file, divide-file and normalize: the Ranges menu's file arithmetic and
// normalized Intensities on a working copy of FILE, saved as OUT.
#include <memory>
#include <string>
#include <vector>

#include "keltor/cli/commands.h"
#include "keltor/cli/dialog_answers_ui.h"
#include "keltor/cli/operation_runner.h"

namespace keltor::cli {
namespace {

struct ArithmeticOptions {
  OperationFiles files;
  std::string source;
  std::optional<int> range, sourceRange;
  std::vector<float> factors;
};

void AddArithmeticVerb(CLI::App& app, int& exitCode, const char* name, const char* description,
                       FileOperation operation) {
  auto* cmd = app.add_subcommand(name, description);
  auto options = std::make_shared<ArithmeticOptions>();
  AddOperationFileOptions(*cmd, options->files);
  cmd->add_option("--source", options->source, "The raw data file holding the source range (never changed)")
      ->required();
  cmd->add_option("--range", options->range, "The target range of FILE (needed when FILE holds more than one)");
  cmd->add_option("--source-range", options->sourceRange,
                  "The source range (needed when the source file holds more than one)");
  cmd->add_option("--factors", options->factors, "Multiplication factors of target and source, -100 to 100, not 0")
      ->delimiter(',')
      ->expected(2)
      ->default_str("1,1");
  cmd->callback([&exitCode, options, operation] {
    DialogAnswersUi ui;
    ui.OpenFiles = {options->source};
    ui.TargetRange = options->range;
    ui.SourceRange = options->sourceRange;
    if (options->factors.size() == 2) ui.Factors = ArithmeticFactors{options->factors[0], options->factors[1]};
    exitCode = RunOperation(options->files, ui,
                            [operation](Workbench& wb) { return wb.OnRangesFileArithmetic(operation); });
  });
}

struct NormalizeOptions {
  OperationFiles files;
  std::optional<int> range;
  std::optional<float> factor;
  std::optional<int> maximum;
};

void AddNormalizeVerb(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("normalize", "Multiply one range's intensities by a factor or scale them to a maximum");
  auto options = std::make_shared<NormalizeOptions>();
  AddOperationFileOptions(*cmd, options->files);
  cmd->add_option("--range", options->range, "The range to normalise (needed when FILE holds more than one)");
  auto* factor = cmd->add_option("--factor", options->factor, "Multiply every intensity by this factor (above 0)");
  auto* maximum = cmd->add_option("--max", options->maximum, "Scale the intensities so that the largest becomes this");
  factor->excludes(maximum);
  cmd->callback([&exitCode, options, cmd] {
    if (!options->factor && !options->maximum) {
      std::fprintf(stderr, "error: normalize needs --factor F or --max M\n");
      exitCode = 2;
      return;
    }
    DialogAnswersUi ui;
    ui.TargetRange = options->range;
    NormalizeChoice choice;
    choice.Multiply = options->factor.has_value();
    if (options->factor) choice.Factor = *options->factor;
    if (options->maximum) choice.Maximum = *options->maximum;
    ui.Normalize = choice;
    exitCode = RunOperation(options->files, ui, [](Workbench& wb) { return wb.OnRangesNormalize(); });
  });
}

}  // namespace

void AddArithmeticCommands(CLI::App& app, int& exitCode) {
  AddArithmeticVerb(app, exitCode, "add-file", "Add a range of another file to a range of FILE (Add File)",
                    FileOperation::Add);
  AddArithmeticVerb(app, exitCode, "subtract-file",
                    "Subtract a range of another file from a range of FILE (Subtract File)", FileOperation::Subtract);
  AddArithmeticVerb(app, exitCode, "divide-file", "Divide a range of FILE by a range of another file (Divide File)",
                    FileOperation::Divide);
  AddNormalizeVerb(app, exitCode);
}

}  // namespace keltor::cli
