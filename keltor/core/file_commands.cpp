#include <string>

#include "common/core/paths.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

constexpr char kOpenFilter[] = "Raw Data Files (*.raw; *.r*)|*.raw; *.r*|All Files (*.*)|*.*||";

}  // namespace

bool Workbench::ChooseSavePath() {
  // One filter, extensions allowed in the name, overwriting confirmed: the request's defaults.
  const auto path = ui_.ChooseSaveFile({.DefaultExtension = "raw",
                                        .ProposedName = {},
                                        .Filter = "Raw Data Files (*.raw,*.r*)|*.raw;*.r*||",
                                        .InitialDirectory = State.WorkDirectory});
  if (!path) {
    File.SaveAsPath.clear();
    return false;
  }
  File.SaveAsPath = *path;
  State.WorkDirectory = km::DirectoryOf(*path);
  return true;
}

void Workbench::SavePendingChanges() {
  if (File.QuerySaveChanges(ui_) && ChooseSavePath()) File.CommitSave(ui_);
}

void Workbench::OnFileOpen() {
  // Yes to the save question saves and ends the command; the user opens again.
  const bool wasModified = File.IsModified;
  if (File.QuerySaveChanges(ui_)) {
    if (ChooseSavePath()) File.CommitSave(ui_);
    return;
  }
  OpenFileRequest request;
  request.DefaultExtension = "raw";
  request.Filter = kOpenFilter;
  request.FilterIndex = State.OpenFilterIndex;
  const bool dropped = wasModified && !File.IsModified;
  const auto choice = ui_.ChooseOpenFile(request);
  if (!choice) {
    if (dropped) {
      BuildListFile();
      observer_.OnDataChanged();
    }
    return;
  }
  File.DocumentPath.clear();
  State.OpenFilterIndex = choice->FilterIndex;
  if (LoadWorkbenchFile(choice->Path)) File.DocumentPath = choice->Path;
  ResetFrameForFile();
  observer_.OnFileChanged();
}

void Workbench::OnOpenRecentFile(int commandId) {
  const int index = commandId - cmd::RecentFileFirst;
  if (index < 0 || static_cast<size_t>(index) >= State.RecentFiles.size()) return;
  SavePendingChanges();
  File.DocumentPath.clear();
  observer_.OnFileChanged();
  // Loading reorders the list, so the entry is taken first.
  const std::string path = State.RecentFiles[static_cast<size_t>(index)];
  if (LoadWorkbenchFile(path)) File.DocumentPath = path;
  ResetFrameForFile();
  observer_.OnFileChanged();
}

void Workbench::OnFileSaveAs() {
  if (File.DocumentPath.empty()) return;
  const bool wasModified = File.IsModified;
  if (!wasModified) {
    km::RawRangeHeader unused = km::ZeroRangeHeader();
    if (!File.SaveWorkbenchRange(ui_, -1, unused, {})) return;
    File.IsModified = true;
  }
  if (ChooseSavePath()) File.CommitSave(ui_);
  if (!wasModified) File.IsModified = false;
}

void Workbench::OnCloseMainWindow() { SavePendingChanges(); }

void Workbench::OnExit() {
  State.RecentFiles.clear();
  File.DeleteWorkingCopy();
}

}  // namespace keltor
