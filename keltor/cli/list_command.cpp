// keltor-cli list FILE [--full] [-o OUT]: the list file of a raw data file, line for line as the
// workbench builds it, with CR LF line ends; to standard output without -o.
#include <cstdio>
#include <memory>
#include <string>

#include "keltor/cli/cli_workbench_ui.h"
#include "keltor/cli/commands.h"
#include "keltor/cli/output_guard.h"
#include "keltor/core/workbench.h"

namespace keltor::cli {
namespace {

struct ListOptions {
  std::string path;
  std::string output;
  bool full = false;
};

int RunList(const ListOptions& options) {
  if (!options.output.empty() && OutputIsAnInput(options.output, {options.path})) {
    std::fprintf(stderr, "error: the list would overwrite its raw data file %s\n", options.path.c_str());
    return 2;
  }
  CliWorkbenchUi ui;
  WorkbenchObserver observer;
  Workbench workbench(ui, observer);
  workbench.State.Settings.FullFile = options.full ? 1 : 0;
  if (!workbench.LoadWorkbenchFile(options.path)) return 1;
  workbench.File.DocumentPath = options.path;
  const bool complete = workbench.BuildListFile();
  int result = complete ? 0 : 1;
  if (!options.output.empty()) {
    if (!workbench.WriteListFile(options.output)) result = 1;
  } else {
    for (const std::string& line : workbench.State.ListLines) {
      std::fwrite(line.data(), 1, line.size(), stdout);
      std::fwrite("\r\n", 1, 2, stdout);
    }
    if (std::fflush(stdout) != 0) result = 1;
  }
  workbench.OnExit();
  return result;
}

}  // namespace

void AddListCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("list", "Print the list file of a raw data file (CR LF line ends)");
  auto options = std::make_shared<ListOptions>();
  cmd->add_option("FILE", options->path, "Raw data file")->required();
  cmd->add_flag("--full", options->full, "List every intensity too");
  cmd->add_option("-o", options->output, "Write the list to this file instead of standard output");
  cmd->callback([&exitCode, options] { exitCode = RunList(*options); });
}

}  // namespace keltor::cli
