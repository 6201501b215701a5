// keltor-cli strip-alpha2 and add-points: the Operations menu commands that rework every range of
// FILE, on a working copy saved as OUT.
#include <memory>

#include "keltor/cli/commands.h"
#include "keltor/cli/dialog_answers_ui.h"
#include "keltor/cli/operation_runner.h"

namespace keltor::cli {

void AddReworkCommands(CLI::App& app, int& exitCode) {
  {
    auto* cmd = app.add_subcommand("strip-alpha2", "Remove the Kalpha2 contribution from every range (Alpha2 Stripping)");
    auto files = std::make_shared<OperationFiles>();
    AddOperationFileOptions(*cmd, *files);
    cmd->callback([&exitCode, files] {
      DialogAnswersUi ui;
      exitCode = RunOperation(*files, ui, [](Workbench& wb) { return wb.OnOperationsAlpha2Stripping(); });
    });
  }
  {
    auto* cmd = app.add_subcommand("add-points", "Sum each group of K neighbouring points into one (Add Points)");
    auto files = std::make_shared<OperationFiles>();
    auto count = std::make_shared<int>(2);
    AddOperationFileOptions(*cmd, *files);
    cmd->add_option("--count", *count, "Number of points to add, 2 to 10")->required();
    cmd->callback([&exitCode, files, count] {
      DialogAnswersUi ui;
      ui.AddPointsCount = *count;
      exitCode = RunOperation(*files, ui, [](Workbench& wb) { return wb.OnOperationsAddPoints(); });
    });
  }
}

}  // namespace keltor::cli
