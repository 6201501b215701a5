#include "keltor/gui/keltor_app.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "common/core/paths.h"
#include "common/core/program_directory.h"
#include "common/core/raw_format.h"
#include "common/core/time_stamp.h"
#include "common/core/user_profile.h"
#include "common/qt/qt_text.h"
#include "common/qt/start_program_directory.h"

namespace keltor {

CKeltorApp::CKeltorApp() : ui_(km::FromCp1252(km::CatalogText(km::msg::AppName))), workbench_(ui_, relay_) {}

CKeltorApp::~CKeltorApp() { ExitInstance(); }

bool CKeltorApp::InitInstance(const std::string& commandLine) {
  const km::StartCommandLine start = km::ParseStartCommandLine(commandLine);
  WorkbenchState& state = workbench_.State;
  state.Settings = km::DefaultWorkbenchSettings();

  // Without a directory of the suite's, the per-user one (and, started without a user, the login user).
  std::string user = start.User;
  km::FindStartProgramDirectory(ui_, kProgramName, state.ProgramDirectory, user);

  // The file named at start is taken relative to the directory the program was started in.
  std::string startFile;
  if (!start.File.empty()) startFile = km::ToPath(QFileInfo(km::FromPath(start.File)).absoluteFilePath());

  if (!user.empty()) {
    const std::string path = km::UserProfilePath(state.ProgramDirectory, user);
    std::vector<std::string> texts;
    std::string workDirectory;
    if (!km::ReadUserSection(ui_, path, &workDirectory, km::kWorkbenchSectionId, texts,
                             km::SettingsBytes(state.Settings))) {
      return false;
    }
    userName_ = user;
    profilePath_ = path;
    if (texts.size() > kMaxRecentFiles) texts.resize(kMaxRecentFiles);
    state.RecentFiles = std::move(texts);
    state.WorkDirectory = workDirectory;
    if (!workDirectory.empty()) QDir::setCurrent(km::FromPath(workDirectory));
  }

  frame_ = std::make_unique<CMainFrame>(workbench_, ui_, userName_);
  relay_.target = frame_.get();
  ui_.SetParent(frame_.get());
  ui_.SetOpenDirectory(state.WorkDirectory);
  frame_->PlaceWindow(state.Settings.MainWindowRect);
  frame_->show();
  frame_->RebuildRecentFiles();
  frame_->UpdateCommandStates();

  if (!startFile.empty()) OpenAtStart(startFile);
  return true;
}

void CKeltorApp::OpenAtStart(const std::string& path) {
  WorkbenchFile& file = workbench_.File;
  file.DocumentPath.clear();
  if (workbench_.LoadWorkbenchFile(path)) file.DocumentPath = path;
  workbench_.ResetFrameForFile();
  relay_.OnFileChanged();
  frame_->UpdateCommandStates();
}

void CKeltorApp::ExitInstance() {
  if (exited_) return;
  exited_ = true;
  if (frame_) {
    if (frame_->isVisible()) frame_->close();  // the save question, and the placement is taken
    relay_.target = nullptr;
  }
  WorkbenchState& state = workbench_.State;
  if (!userName_.empty()) {
    km::SetFieldText(state.Settings.SettingsMagic, km::kWorkbenchSettingsMagic);
    km::MakeTimeStamp(state.Settings.LastExitTime);
    km::WriteUserSection(ui_, profilePath_, nullptr, km::kWorkbenchSectionId, state.RecentFiles,
                         km::SettingsBytes(state.Settings));
  }
  workbench_.OnExit();
  frame_.reset();
}

}  // namespace keltor
