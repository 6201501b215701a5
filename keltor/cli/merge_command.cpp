// keltor-cli merge FILE... -o OUT: the ranges of several raw data files joined into a new file, at
// most eight ranges, files of another kind skipped with a message. Warnings go to standard error and
// the merge goes on. OUT is replaced when it exists; the input files are never changed.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/core/paths.h"
#include "keltor/cli/cli_workbench_ui.h"
#include "keltor/cli/commands.h"
#include "keltor/cli/output_guard.h"
#include "keltor/core/workbench.h"

namespace keltor::cli {
namespace {

struct MergeOptions {
  std::vector<std::string> paths;
  std::string output;
};

int RunMerge(const MergeOptions& options) {
  if (OutputIsAnInput(options.output, options.paths)) {
    std::fprintf(stderr, "error: the merged file would overwrite one of the files to merge: %s\n",
                 options.output.c_str());
    return 2;
  }
  CliWorkbenchUi ui;
  ui.OpenFiles = options.paths;
  ui.SaveFile = options.output;
  WorkbenchObserver observer;
  Workbench workbench(ui, observer);
  workbench.State.WorkDirectory = km::DirectoryOf(options.output);
  workbench.OnFileMerge();
  const bool written = !workbench.File.DocumentPath.empty() && workbench.File.DocumentPath == options.output;
  workbench.OnExit();
  return written ? 0 : 1;
}

}  // namespace

void AddMergeCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("merge", "Join the ranges of raw data files into a new file");
  auto options = std::make_shared<MergeOptions>();
  cmd->add_option("FILE", options->paths, "Raw data files, in the order their ranges are taken")->required();
  cmd->add_option("-o", options->output, "The merged file (replaced when it exists)")->required();
  cmd->callback([&exitCode, options] { exitCode = RunMerge(*options); });
}

}  // namespace keltor::cli
