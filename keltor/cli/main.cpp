// keltor-cli: the workbench's operations without a display. Usage errors exit 2, refusals and
// failures exit 1 after their message on standard error, success exits 0. Input files are never changed.
#include <CLI/CLI.hpp>

#include "keltor/cli/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"keltor-cli: the raw data workbench from a shell"};
  app.require_subcommand(1);
  int exitCode = 0;
  keltor::cli::AddInfoCommand(app, exitCode);
  keltor::cli::AddListCommand(app, exitCode);
  keltor::cli::AddMergeCommand(app, exitCode);
  keltor::cli::AddImportCommand(app, exitCode);  // File, Import
  // Exchange formats: export
  keltor::cli::AddExportCommand(app, exitCode);
  // Range editing.
  keltor::cli::AddRangeCommands(app, exitCode);
  keltor::cli::AddCorrectionCommands(app, exitCode);  // absorption, angle-correction
  // File arithmetic, normalisation, Alpha2 stripping, add points, parameters.
  keltor::cli::AddArithmeticCommands(app, exitCode);
  keltor::cli::AddReworkCommands(app, exitCode);
  keltor::cli::AddSetCommand(app, exitCode);
#ifdef KM_WITH_PLOT
  keltor::cli::AddPlotCommand(app, exitCode);
#endif
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  return exitCode;
}
