#include "keltor/gui/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/program_directory.h"
#include "common/qt/qt_text.h"
#include "keltor/core/exchange/foreign_import.h"  // File, Import
#include "keltor/gui/about_dialog.h"
#include "keltor/gui/arithmetic_menu_commands.h"
#include "keltor/gui/list_printing.h"
#include "keltor/gui/menu_commands.h"

namespace keltor {

namespace {

constexpr std::string_view kTitleFormat = "KELTOR  -  User %1";
constexpr std::string_view kPrintViewerName = "PRONTA.EXE";

bool IsRecentFileCommand(int id) { return id >= cmd::RecentFileFirst && id <= cmd::RecentFileLast; }

// Commands whose handlers are part of this program already; the others are shown disabled.
bool IsBuilt(int id) {
  switch (id) {
    case cmd::FileOpen: case cmd::FileSaveAs: case cmd::SaveListFile: case cmd::PrintListFile:
    case cmd::Merge: case cmd::AppExit: case cmd::ViewFullFile: case cmd::ViewListFile:
    case cmd::ViewToolbar: case cmd::ViewStatusBar: case cmd::AppAbout:
    case cmd::Import:  // File, Import: always enabled
      return true;
    // Range editing.
    case cmd::TruncateRange: case cmd::DeleteRange: case cmd::ExtractRange: case cmd::CombineRange:
    case cmd::AddRanges:
      return true;
    // Absorption and angle correction.
    case cmd::AbsorptionCorrection: case cmd::AngleCorrection:
      return true;
    default:
      return IsRecentFileCommand(id) || IsArithmeticMenuCommand(id);
  }
}

QString MenuText(std::string_view text) {
  // The tab separates the shortcut, which the action carries itself.
  const auto tab = text.find('\t');
  return km::FromCp1252(text.substr(0, tab));
}

// An "&" in a path is a character, not a mnemonic.
QString EscapeAmpersands(const QString& text) {
  QString out = text;
  return out.replace('&', QStringLiteral("&&"));
}

QIcon ToolIcon(int id, QStyle* style) {
  switch (id) {
    case cmd::FileOpen: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case cmd::FileSaveAs: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case cmd::SaveListFile: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case cmd::PrintListFile: return style->standardIcon(QStyle::SP_FileIcon);
    case cmd::ViewListFile: return style->standardIcon(QStyle::SP_FileDialogListView);
    case cmd::ViewFullFile: return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case cmd::AppAbout: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    default: return {};
  }
}

}  // namespace

std::string FrameTitle(const std::string& userName, const std::string& documentPath) {
  std::string title = km::FormatMessage(kTitleFormat, userName);
  const auto end = documentPath.find_last_not_of(' ');
  if (end != std::string::npos) title += "   File : " + documentPath;
  return title;
}

std::string RecentFileMenuText(int number, std::string path) {
  if (static_cast<int>(path.size()) > kRecentPathDisplayLength) km::AbbreviatePath(path, kRecentPathDisplayLength);
  return "&" + std::to_string(number) + " " + path;
}

CMainFrame::CMainFrame(Workbench& workbench, QtWorkbenchUi& ui, std::string userName)
    : workbench_(workbench), ui_(ui), userName_(std::move(userName)) {
  setObjectName("KeltorMainFrame");
  setWindowIcon(QApplication::windowIcon());
  view_ = new CKeltorView(workbench_, this);
  setCentralWidget(view_);
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  BuildPaneKeys();
  UpdateCommandStates();
  OnUpdateFrameTitle();
  // The title is set once more when the program first goes idle, after start-up has opened a file.
  QTimer::singleShot(0, this, [this] { OnUpdateFrameTitle(); });
}

CMainFrame::~CMainFrame() { DestroyListWindow(); }

void CMainFrame::BuildMenus() {
  for (const Menu& menu : kMenus) {
    QMenu* popup = menuBar()->addMenu(km::FromCp1252(menu.title));
    if (!fileMenu_) fileMenu_ = popup;
    for (const MenuItem& item : menu.items) {
      if (item.id == 0) {
        QAction* separator = popup->addSeparator();
        if (!recentActions_.empty() && !recentAnchor_) recentAnchor_ = separator;
        continue;
      }
      QAction* action = popup->addAction(MenuText(item.text));
      action->setData(item.id);
      if (!item.shortcut.empty()) action->setShortcut(QKeySequence(km::FromCp1252(item.shortcut)));
      const auto newline = item.statusText.find('\n');
      action->setStatusTip(km::FromCp1252(item.statusText.substr(0, newline)));
      if (newline != std::string_view::npos) action->setToolTip(km::FromCp1252(item.statusText.substr(newline + 1)));
      const int id = item.id;
      connect(action, &QAction::triggered, this, [this, action] { OnCommand(action->data().toInt()); });
      if (id == cmd::ViewFullFile || id == cmd::ViewListFile || id == cmd::ViewToolbar || id == cmd::ViewStatusBar)
        action->setCheckable(true);
      if (IsRecentFileCommand(id))
        recentActions_.push_back(action);
      else
        actions_[id] = action;
    }
    connect(popup, &QMenu::aboutToShow, this, [this, popup] {
      if (popup == fileMenu_) RebuildRecentFiles();
      UpdateCommandStates();
    });
  }
  RebuildRecentFiles();
}

// F6 and Shift+F6 move the keyboard focus between the plot and the list text window, wherever it is.
void CMainFrame::BuildPaneKeys() {
  for (const QKeySequence& key : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::ApplicationShortcut);
    connect(shortcut, &QShortcut::activated, this, [this] { SwitchPane(); });
  }
}

void CMainFrame::SwitchPane() {
  if (listWindow_ && !listWindow_->isActiveWindow() && !listMinimized_) {
    listWindow_->activateWindow();
    listWindow_->raise();
    listWindow_->setFocus();
  } else {
    activateWindow();
    raise();
    view_->setFocus();
  }
}

void CMainFrame::BuildToolBar() {
  toolBar_ = addToolBar(QStringLiteral("Toolbar"));
  toolBar_->setObjectName("KeltorToolBar");
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  for (const int id : kToolbarCommands) {
    if (id == 0) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* action = actions_.at(id);
    action->setIcon(ToolIcon(id, style()));
    toolBar_->addAction(action);
  }
}

void CMainFrame::BuildStatusBar() {
  for (QLabel*& pane : panes_) {
    pane = new QLabel(this);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    statusBar()->addWidget(pane);
  }
  panes_[0]->setText(QStringLiteral("Ready"));
  LayOutStatusPanes();
}

void CMainFrame::LayOutStatusPanes() {
  // The frame's width less a vertical scroll bar and nine window edges, a third and two thirds.
  const int edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int w = std::max(0, width() - scrollBar - 9 * edge);
  panes_[0]->setFixedWidth(w / 3);
  panes_[1]->setFixedWidth(w - w / 3);
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!isMinimized()) LayOutStatusPanes();
}

void CMainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isMinimized() || !listWindow_) return;
  listWindow_->showMinimized();
  listMinimized_ = true;
}

QAction* CMainFrame::Action(int commandId) const {
  if (IsRecentFileCommand(commandId)) {
    for (QAction* a : recentActions_)
      if (a->data().toInt() == commandId) return a;
    return nullptr;
  }
  const auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

bool CMainFrame::TriggerCommand(int commandId) {
  UpdateCommandStates();
  QAction* action = Action(commandId);
  if (!action || !action->isEnabled()) return false;
  action->trigger();
  return true;
}

void CMainFrame::RebuildRecentFiles() {
  const int at = recentActions_.empty() ? -1 : static_cast<int>(fileMenu_->actions().indexOf(recentActions_.front()));
  QAction* before = at >= 0 ? fileMenu_->actions().at(at) : recentAnchor_;
  QList<QAction*> fresh;
  const std::vector<std::string>& recent = workbench_.State.RecentFiles;
  if (recent.empty()) {
    QAction* none = new QAction(QStringLiteral("Recent Files"), fileMenu_);
    none->setData(cmd::RecentFileFirst);
    none->setEnabled(false);
    fresh << none;
  } else {
    for (size_t i = 0; i < recent.size() && static_cast<int>(i) <= cmd::RecentFileLast - cmd::RecentFileFirst; ++i) {
      const std::string text = RecentFileMenuText(static_cast<int>(i) + 1, recent[i]);
      // The number keeps its mnemonic; the path's own "&" are characters.
      const auto blank = text.find(' ');
      QAction* a = new QAction(km::FromCp1252(text.substr(0, blank + 1)) +
                                   EscapeAmpersands(km::FromPath(text.substr(blank + 1))),
                               fileMenu_);
      a->setData(cmd::RecentFileFirst + static_cast<int>(i));
      a->setStatusTip(QStringLiteral("Open this file"));
      connect(a, &QAction::triggered, this, [this, a] { OnCommand(a->data().toInt()); });
      fresh << a;
    }
  }
  fileMenu_->insertActions(before, fresh);
  for (QAction* old : recentActions_) {
    fileMenu_->removeAction(old);
    old->deleteLater();
  }
  recentActions_.assign(fresh.begin(), fresh.end());
}

void CMainFrame::UpdateCommandStates() {
  const bool fileOpen = !workbench_.File.DocumentPath.empty();
  for (const auto& [id, action] : actions_) action->setEnabled(IsBuilt(id));
  actions_[cmd::FileSaveAs]->setEnabled(fileOpen);
  actions_[cmd::SaveListFile]->setEnabled(fileOpen);
  actions_[cmd::PrintListFile]->setEnabled(fileOpen);
  actions_[cmd::ViewListFile]->setEnabled(fileOpen);
  actions_[cmd::ViewListFile]->setChecked(listWindow_ && !listMinimized_);
  actions_[cmd::ViewFullFile]->setChecked(workbench_.State.Settings.FullFile != 0);
  actions_[cmd::ViewToolbar]->setChecked(toolBar_ && !toolBar_->isHidden());
  actions_[cmd::ViewStatusBar]->setChecked(!statusBar()->isHidden());
  if (!recentActions_.empty()) recentActions_.front()->setEnabled(!workbench_.State.RecentFiles.empty());
  // Exchange formats: export
  actions_[cmd::Export]->setEnabled(workbench_.File.HasUsableData());
  // File arithmetic, normalisation, Alpha2 stripping, add points, parameters.
  for (int id : kArithmeticMenuCommands) actions_[id]->setEnabled(ArithmeticMenuCommandEnabled(workbench_, id));
  // Range editing: a usable file; all but Truncate need more than one range.
  const bool usable = workbench_.File.HasUsableData();
  const bool severalRanges = usable && workbench_.File.WorkingFile.MeasuredRanges > 1;
  actions_[cmd::TruncateRange]->setEnabled(usable);
  for (int id : {cmd::DeleteRange, cmd::ExtractRange, cmd::CombineRange, cmd::AddRanges})
    actions_[id]->setEnabled(severalRanges);
  // Absorption and angle correction: a usable file.
  actions_[cmd::AbsorptionCorrection]->setEnabled(usable);
  actions_[cmd::AngleCorrection]->setEnabled(usable);
}

void CMainFrame::OnCommand(int id) {
  if (IsRecentFileCommand(id)) {
    workbench_.OnOpenRecentFile(id);
  } else {
    switch (id) {
      case cmd::FileOpen: workbench_.OnFileOpen(); break;
      case cmd::FileSaveAs: workbench_.OnFileSaveAs(); break;
      case cmd::SaveListFile: workbench_.OnSaveListFile(); break;
      case cmd::PrintListFile: OnPrintListFile(); break;
      case cmd::Merge: workbench_.OnFileMerge(); break;
      case cmd::Export: workbench_.OnExport(); break;  // exchange formats
      case cmd::AppExit: close(); return;
      case cmd::ViewFullFile:
        workbench_.OnViewFullFile();
        if (!workbench_.File.DocumentPath.empty()) ShowListWindow();
        break;
      case cmd::ViewListFile: OnViewListFile(); break;
      case cmd::ViewToolbar: toolBar_->setVisible(toolBar_->isHidden()); break;
      case cmd::ViewStatusBar: statusBar()->setVisible(statusBar()->isHidden()); break;
      case cmd::AppAbout: OnAppAbout(); break;
      case cmd::Import: OnFileImport(workbench_); break;  // File, Import
      // File arithmetic, normalisation, Alpha2 stripping, add points, parameters.
      case cmd::AddFile: case cmd::SubtractFile: case cmd::DivideFile: case cmd::NormalizedIntensities:
      case cmd::Alpha2Stripping: case cmd::AddPoints: case cmd::Title: case cmd::Wavelength: case cmd::Generator:
        RunArithmeticMenuCommand(workbench_, id);
        break;
      // Range editing.
      case cmd::TruncateRange: workbench_.OnRangesTruncate(); break;
      case cmd::DeleteRange: workbench_.OnRangesDelete(); break;
      case cmd::ExtractRange: workbench_.OnRangesExtract(); break;
      case cmd::CombineRange: workbench_.OnRangesCombine(); break;
      case cmd::AddRanges: workbench_.OnRangesAdd(); break;
      // Absorption and angle correction; the stored calibration lies in the user's profile.
      case cmd::AbsorptionCorrection: workbench_.OnOperationsAbsorption(); break;
      case cmd::AngleCorrection:
        workbench_.OnOperationsAngleCorrection(userName_.empty() || workbench_.State.ProgramDirectory.empty()
                                                   ? std::string()
                                                   : km::UserProfilePath(workbench_.State.ProgramDirectory, userName_));
        break;
      default: break;
    }
  }
  ui_.SetOpenDirectory(workbench_.State.WorkDirectory);
  UpdateCommandStates();
}

void CMainFrame::OnUpdateFrameTitle() {
  setWindowTitle(km::FromPath(FrameTitle(userName_, workbench_.File.DocumentPath)));
}

void CMainFrame::ShowListWindow() {
  const QString title = km::FromPath(km::FileNameOf(workbench_.File.DocumentPath));
  if (!listWindow_) {
    listWindow_ = CListTextWnd::Create(*this, this, title, kListWindowNotifyId, windowIcon());
  } else {
    listWindow_->setWindowTitle(title);
    listWindow_->showNormal();
  }
  listMinimized_ = false;
  listWindow_->SetContent(static_cast<int>(workbench_.State.ListLines.size()), kListPointSize, kListLineLength);
}

void CMainFrame::DestroyListWindow() {
  if (!listWindow_) return;
  CListTextWnd* wnd = listWindow_.data();
  listWindow_.clear();
  listMinimized_ = false;
  wnd->close();  // deletes itself
}

void CMainFrame::OnViewListFile() {
  if (!listWindow_) {
    workbench_.BuildListFile();
    ShowListWindow();
  } else if (!listMinimized_) {
    DestroyListWindow();
  } else {
    ShowListWindow();
  }
  UpdateCommandStates();
}

void CMainFrame::OnPrintListFile() {
  // The suite's text viewer prints where it is installed; elsewhere the platform's print dialog does.
  const std::string& programDirectory = workbench_.State.ProgramDirectory;
  const std::string viewer = km::JoinPath(km::ProgramsDirectory(programDirectory), kPrintViewerName);
  if (!programDirectory.empty() && km::FileTest(viewer, km::kFileMustExist)) {
    workbench_.OnPrintListFile();
    return;
  }
  std::vector<std::string> lines = workbench_.State.ListLines;
  if (!workbench_.State.ListFilePath.empty()) {
    // A list saved before is printed as it was written.
    if (auto saved = ReadTextLines(workbench_.State.ListFilePath)) lines = std::move(*saved);
  }
  PrintLinesWithDialog(this, lines, km::FromPath(km::FileNameOf(workbench_.File.DocumentPath)));
}

void CMainFrame::OnAppAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CMainFrame::StorePlacement(int32_t rect[4]) const {
  const QRect r = isVisible() ? normalGeometry() : geometry();
  rect[0] = r.left();
  rect[1] = r.top();
  rect[2] = r.left() + r.width();
  rect[3] = r.top() + r.height();
}

void CMainFrame::PlaceWindow(const int32_t rect[4]) {
  if (rect[2] - rect[0] >= 1 && rect[3] - rect[1] >= 1) {
    // A placement from another screen layout (or a damaged profile) must still show the window.
    const QRect stored(rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1]);
    for (const QScreen* screen : QGuiApplication::screens()) {
      if (screen->geometry().intersects(stored)) {
        setGeometry(stored);
        return;
      }
    }
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  setGeometry(area.left() + area.width() / 10, area.top() + area.height() / 10, area.width() * 2 / 3,
              area.height() * 2 / 3);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    workbench_.OnCloseMainWindow();
    StorePlacement(workbench_.State.Settings.MainWindowRect);
    DestroyListWindow();
  }
  event->accept();
}

void CMainFrame::OnFileChanged() { view_->OnFileChanged(); }

void CMainFrame::OnDataChanged() { view_->OnDataChanged(); }

void CMainFrame::OnInitialUpdate() { view_->update(); }

void CMainFrame::OnDisplayReset() {
  OnUpdateFrameTitle();
  if (workbench_.File.DocumentPath.empty())
    DestroyListWindow();
  else
    ShowListWindow();
  ui_.SetOpenDirectory(workbench_.State.WorkDirectory);
  UpdateCommandStates();
}

void CMainFrame::OnListChanged() {
  if (listWindow_)
    listWindow_->SetContent(static_cast<int>(workbench_.State.ListLines.size()), kListPointSize, kListLineLength);
}

int CMainFrame::OnListLineRequest(int index, std::span<char> buffer) {
  const auto& lines = workbench_.State.ListLines;
  if (buffer.empty()) return 0;
  if (index < 0 || static_cast<size_t>(index) >= lines.size()) {
    buffer[0] = '\0';
    return 0;
  }
  const std::string& line = lines[static_cast<size_t>(index)];
  // A line longer than the window's buffer is cut to fit rather than written past it.
  const size_t n = std::min(line.size(), buffer.size() - 1);
  std::memcpy(buffer.data(), line.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

void CMainFrame::OnListWindowNotify(int command, int) {
  if (command == kListWindowClosed) {
    listWindow_.clear();
    listMinimized_ = false;
  } else if (command == kListWindowMinimized) {
    listMinimized_ = true;
  }
  UpdateCommandStates();
}

}  // namespace keltor
