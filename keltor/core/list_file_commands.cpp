#include <string>

#include "common/core/paths.h"
#include "common/core/process.h"
#include "keltor/core/list_file.h"
#include "keltor/core/workbench.h"

namespace keltor {

bool Workbench::BuildListFile() {
  WaitCursor wait(ui_);
  const bool complete = MakeListLines(ui_, File, State.Settings.FullFile != 0, State.ListLines);
  observer_.OnListChanged();
  return complete;
}

bool Workbench::WriteListFile(const std::string& path) {
  WaitCursor wait(ui_);
  if (!WriteListLines(ui_, path, State.ListLines)) return false;
  State.ListFilePath = path;
  return true;
}

void Workbench::OnViewFullFile() {
  State.Settings.FullFile = State.Settings.FullFile != 0 ? 0 : 1;
  if (File.DocumentPath.empty()) return;
  BuildListFile();
  observer_.OnShowListWindow();
}

void Workbench::OnSaveListFile() {
  if (File.DocumentPath.empty()) return;
  const auto path = ui_.ChooseSaveFile({.DefaultExtension = "lst",
                                        .ProposedName = ProposedListFileName(File.DocumentPath),
                                        .Filter = "List Files (*.lst,*.l*)|*.lst;*.l*||",
                                        .InitialDirectory = State.WorkDirectory});
  if (path && WriteListFile(*path)) State.WorkDirectory = km::DirectoryOf(*path);
}

bool Workbench::OnPrintListFile() {
  if (File.DocumentPath.empty()) return false;
  // A list saved before is printed as it was written.
  if (State.ListFilePath.empty() && !WriteListFile(DefaultPrintListPath(State.WorkDirectory))) return false;
  return km::RunProgram(ui_, PrintListCommandLine(State.ProgramDirectory, State.ListFilePath), nullptr, false,
                        km::ShowMode::Minimized);
}

}  // namespace keltor
