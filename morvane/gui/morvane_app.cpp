#include "morvane/gui/morvane_app.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include "common/core/installed_data.h"
#include "common/core/paths.h"
#include "common/core/program_directory.h"
#include "common/core/start_command_line.h"
#include "common/core/time_stamp.h"
#include "common/core/user_profile.h"
#include "common/qt/file_dialog_filters.h"
#include "common/qt/qt_text.h"
#include "common/qt/settings_program_directory.h"
#include "common/qt/start_program_directory.h"
#include "morvane/core/file_set.h"
#include "morvane/core/status_file.h"

namespace morvane {
namespace {

constexpr const char* kRawFilter = "Raw Files (*.raw *.RAW)|*.raw;*.RAW|All Files (*)|*||";
constexpr const char* kStatusFilter = "3d-Graphics Files (*.kzs)|*.kzs||";

std::string Absolute(const std::string& path) { return km::ToPath(QFileInfo(km::FromPath(path)).absoluteFilePath()); }

}  // namespace

CMorvaneApp::CMorvaneApp() : sink_(km::FromCp1252(km::CatalogText(km::msg::AppName))), sounds_(std::make_unique<SoundPlayer>()) {}

CMorvaneApp::~CMorvaneApp() { ExitInstance(); }

bool CMorvaneApp::InitInstance(const std::string& commandLine) {
  const km::StartCommandLine start = km::ParseStartCommandLine(commandLine);
  // Without a directory of the suite's, the per-user one (and, started without a user, the login user).
  std::string user = start.User;
  km::FindStartProgramDirectory(sink_, kProgramName, programDirectory_, user);
  std::vector<std::string> soundFolders;
  if (!programDirectory_.empty()) soundFolders.push_back(km::ProgramsDirectory(programDirectory_));
  soundFolders.push_back(km::ProgramsDirectory(km::InstalledDataDirectory()));
  sounds_->SetFolders(soundFolders);
  sounds_->Play(QStringLiteral("start.wav"));

  state_.DrawBox = true;
  state_.RelativeIntensities = false;
  state_.MasterPath.clear();
  SetViewerDefaults(state_);

  // The file named at start is taken relative to the directory the program was started in.
  std::string startFile;
  if (!start.File.empty()) startFile = Absolute(start.File);

  if (!user.empty()) {
    const std::string path = km::UserProfilePath(programDirectory_, user);
    std::vector<std::string> texts;
    std::string workDirectory;
    std::vector<uint8_t> settings;
    if (!km::ReadUserSection(sink_, path, &workDirectory, km::kViewerSectionId, texts, settings)) return false;
    userName_ = user;
    profilePath_ = path;
    settings.resize(kViewerSettingsSize, 0);
    settingsAsRead_ = settings;
    if (texts.size() > static_cast<size_t>(kMaxRecentSets)) texts.resize(kMaxRecentSets);
    state_.RecentSets = std::move(texts);
    if (!ApplyViewerSettings(state_, settings)) {
      // A new user: the default colours, an empty font record and no saved cube.
      state_.Font = LogicalFont{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, {}};
      state_.SavedFront = state_.SavedBack = {};
    } else if (!workDirectory.empty()) {
      QDir::setCurrent(km::FromPath(workDirectory));
    }
  }

  frame_ = std::make_unique<CMainFrame>(*this);
  sink_.SetParentWidget(frame_.get());
  frame_->PlaceWindow(state_.MainWin);
  frame_->show();
  started_ = true;

  CreateDemoSet(state_);
  if (!startFile.empty()) OpenPicked({startFile});
  // The title follows once the window is up.
  QTimer::singleShot(0, frame_.get(), [this] { if (frame_) frame_->OnUpdateFrameTitle(); });
  frame_->OnUpdateFrameTitle();
  frame_->Refresh();
  return true;
}

void CMorvaneApp::ExitInstance() {
  if (exited_ || !started_) return;
  exited_ = true;
  sounds_->Play(QStringLiteral("ende.wav"));
  if (frame_) {
    if (frame_->isVisible()) frame_->close();  // takes the placement
    state_.MainWin = frame_->NormalPlacement();
  }
  if (!userName_.empty()) {
    const ViewerSettingsBlock block = BuildViewerSettings(state_, settingsAsRead_, km::FormatTimeStamp(std::time(nullptr)));
    km::WriteUserSection(sink_, profilePath_, nullptr, km::kViewerSectionId, state_.RecentSets, block);
  }
  sink_.SetParentWidget(nullptr);
  frame_.reset();
}

void CMorvaneApp::AfterLoad() {
  if (!frame_) return;
  frame_->View()->OnNewSet();
  frame_->OnUpdateFrameTitle();
  frame_->Refresh();
}

void CMorvaneApp::OnFileOpen() {
  state_.Busy = true;
  QFileDialog dialog(frame_.get(), QStringLiteral("Open"));
  dialog.setObjectName("OpenDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilters(km::NameFiltersFrom(kRawFilter));
  dialog.setDefaultSuffix(QStringLiteral("raw"));
  dialog.setDirectory(QDir::current());
  if (dialog.exec() != QDialog::Accepted) {
    state_.Busy = false;
    return;
  }
  std::vector<std::string> paths;
  for (const QString& f : dialog.selectedFiles()) paths.push_back(km::ToPath(f));
  OpenPicked(paths);
}

bool CMorvaneApp::OpenPicked(const std::vector<std::string>& paths) {
  state_.Busy = true;
  state_.NumFiles = 0;
  std::string path;
  if (paths.size() == 1) {
    path = paths[0];
    state_.File[0] = path;
    state_.NumFiles = 1;
  } else if (paths.size() > 1) {
    // A multiple selection: the directory, then the names.
    path = km::DirectoryOf(paths[0]);
    state_.File[0] = path;
    state_.NumFiles = 1;
    for (const std::string& p : paths) {
      if (state_.NumFiles >= kMaxFiles) break;
      state_.File[state_.NumFiles++] = km::FileNameOf(p);
    }
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = !path.empty() && OpenFileSet(state_, sink_, path);
  QApplication::restoreOverrideCursor();
  if (!ok) CreateDemoSet(state_);
  state_.Busy = false;
  if (ok) state_.RelativeIntensities = false;
  AfterLoad();
  return ok;
}

void CMorvaneApp::OnRecentFile(int index) {
  if (index < 0 || index >= static_cast<int>(state_.RecentSets.size())) return;
  const std::string path = state_.RecentSets[index];
  state_.NumFiles = 0;
  state_.Linear = true;
  state_.SQRT = state_.LOG = false;
  if (!OpenFileSet(state_, sink_, path)) CreateDemoSet(state_);
  state_.Busy = false;
  AfterLoad();
}

void CMorvaneApp::OnLoadGraphic() {
  const QString path = QFileDialog::getOpenFileName(frame_.get(), QStringLiteral("Load Graphic"), QString(),
                                                    km::NameFiltersFrom(kStatusFilter).join(QStringLiteral(";;")),
                                                    nullptr, QFileDialog::DontUseNativeDialog);
  if (!path.isEmpty()) LoadGraphic(km::ToPath(path));
}

void CMorvaneApp::OnSaveGraphic() {
  QFileDialog dialog(frame_.get(), QStringLiteral("Save Graphic"));
  dialog.setObjectName("SaveGraphicDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);  // a status file is saved again without a question
  dialog.setNameFilters(km::NameFiltersFrom(kStatusFilter));
  dialog.setDefaultSuffix(QStringLiteral("kzs"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveGraphic(km::ToPath(dialog.selectedFiles().front()));
}

bool CMorvaneApp::LoadGraphic(const std::string& path) {
  Rect window{};
  Rect* windowOut = &window;
  const bool ok = ReadStatusFile(state_, sink_, path, windowOut);
  // The load is over whatever the file says of it: a stored Busy would stop all painting.
  state_.Busy = false;
  if (frame_) {
    if (ok && window.right - window.left > 0) {
      // The cube read belongs to the window the file names: the size change that moving there brings
      // must not scale it again.
      const QSize delta = QSize(window.right - window.left, std::max(window.bottom - window.top, 1)) - frame_->size();
      CMorvaneView* view = frame_->View();
      view->ExpectSize(view->width() + delta.width(), view->height() + delta.height());
      frame_->PlaceWindow(window);
    }
    frame_->View()->View().RestoreCube = false;
  }
  AfterLoad();
  return ok;
}

bool CMorvaneApp::SaveGraphic(const std::string& path) {
  // The window rectangle stored is the one kept for the next start, not the current position.
  return WriteStatusFile(state_, sink_, path);
}

}  // namespace morvane
