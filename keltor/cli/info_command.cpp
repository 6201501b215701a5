#include "keltor/cli/commands.h"

namespace keltor::cli {

void AddInfoCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("info", "Print a raw data file's headers (and data) as JSON");
  cmd->callback([&exitCode] { exitCode = 0; });
}

}  // namespace keltor::cli
