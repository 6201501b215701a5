// keltor-cli merge FILE... -o OUT: the ranges of several raw data files joined into a new file, at
// most eight ranges, files of another kind skipped with a message. Warnings go to standard error and
// the merge goes on. An existing OUT is replaced only with --yes; the input files are never changed.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
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
  bool yes = false;
};

int RunMerge(const MergeOptions& options) {
  if (OutputIsAnInput(options.output, options.paths)) {
    std::fprintf(stderr, "error: the merged file would overwrite one of the files to merge: %s\n",
                 options.output.c_str());
    return 2;
  }
  std::error_code error;
  if (std::filesystem::exists(options.output, error) && !options.yes) {
    std::fprintf(stderr, "error: %s exists; --yes replaces it\n", options.output.c_str());
    return 1;
  }
  CliWorkbenchUi ui;
  ui.AnswerYes(options.yes);
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
  cmd->add_option("-o", options->output, "The merged file")->required();
  cmd->add_flag("--yes", options->yes, "Replace OUT when it exists");
  cmd->footer("Example: keltor-cli merge a.raw b.raw -o both.raw");
  cmd->callback([&exitCode, options] { exitCode = RunMerge(*options); });
}

}  // namespace keltor::cli
