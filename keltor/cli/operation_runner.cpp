#include "keltor/cli/operation_runner.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "common/core/program_directory.h"
#include "keltor/cli/output_guard.h"

namespace keltor::cli {

void AddOperationFileOptions(CLI::App& verb, OperationFiles& files) {
  verb.add_option("FILE", files.input, "The raw data file to work on (never changed)")->required();
  verb.add_option("-o", files.output, "The raw data file to write the result to")->required();
  verb.add_flag("--yes", files.yes, "Replace an existing OUT and answer the command's questions Yes");
}

int RunOperation(const OperationFiles& files, CliWorkbenchUi& ui, const std::function<bool(Workbench&)>& command) {
  if (km::SameFile(files.output, files.input)) {
    std::fprintf(stderr, "error: the result would overwrite the input file: %s\n", files.output.c_str());
    return 2;
  }
  std::error_code error;
  if (std::filesystem::exists(files.output, error) && !files.yes) {
    std::fprintf(stderr, "error: %s exists; --yes replaces it\n", files.output.c_str());
    return 1;
  }
  ui.AnswerYes(files.yes);
  WorkbenchObserver observer;
  Workbench workbench(ui, observer);
  km::EnvironmentProgramDirectory directorySource;
  km::GetProgramDirectory(directorySource, workbench.State.ProgramDirectory);
  if (!workbench.LoadWorkbenchFile(files.input)) return 1;
  workbench.File.DocumentPath = files.input;

  const int errorsBefore = ui.ErrorCount();
  const bool done = command(workbench);
  int exitCode = 0;
  if (!done || !workbench.File.IsModified) {
    if (ui.ErrorCount() == errorsBefore) {
      std::fprintf(stderr, "error: %s was not changed; %s is not written\n", files.input.c_str(),
                   files.output.c_str());
    }
    exitCode = 1;
  } else {
    workbench.File.SaveAsPath = files.output;
    if (!workbench.File.CommitSave(ui)) exitCode = 1;
  }
  workbench.OnExit();
  return exitCode;
}

}  // namespace keltor::cli
