#pragma once
// The pattern every data-operation verb follows: FILE is opened as the workbench opens it, the menu
// command runs on its working copy with the dialogs' values taken from the options, and the result is
// saved as OUT the way Save As saves it. The input is never changed; an existing OUT is replaced only
// with --yes, which also answers the command's questions Yes (they are answered No otherwise).
#include <functional>
#include <string>

#include <CLI/CLI.hpp>

#include "keltor/cli/cli_workbench_ui.h"
#include "keltor/core/workbench.h"

namespace keltor::cli {

struct OperationFiles {
  std::string input;
  std::string output;
  bool yes = false;
};

// Adds FILE, -o OUT and --yes to a verb.
void AddOperationFileOptions(CLI::App& verb, OperationFiles& files);

// Opens files.input in a workbench that asks through ui, runs command (which returns false when it
// refused or was cancelled, after its message), and saves the changed working copy as files.output.
// Returns the exit code: 0 saved; 1 refused, failed or nothing changed (OUT not written); 2 OUT names
// the input.
int RunOperation(const OperationFiles& files, CliWorkbenchUi& ui, const std::function<bool(Workbench&)>& command);

}  // namespace keltor::cli
