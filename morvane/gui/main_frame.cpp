#include "morvane/gui/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

#include "common/qt/file_dialog_filters.h"
#include "common/qt/qt_text.h"
#include "morvane/core/colour_gradient.h"
#include "morvane/core/cube_edit.h"
#include "morvane/core/scaling.h"
#include "morvane/core/viewer_shell.h"
#include "morvane/gui/about_dialog.h"
#include "morvane/gui/diagrams_dialog.h"
#include "morvane/gui/menu_commands.h"
#include "morvane/gui/morvane_app.h"
#include "morvane/gui/settings_dialogs.h"
#include "morvane/qt/metafile.h"

namespace morvane {
namespace {

// A toolbar picture of a few letters, for the commands without a standard icon.
QIcon TextIcon(const QString& text, QColor colour = Qt::black) {
  QPixmap pixmap(19, 18);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(text.size() > 2 ? 8 : 12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
  return QIcon(pixmap);
}

QIcon CubeIcon() {
  QPixmap pixmap(19, 18);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QColor(0, 0, 255));
  painter.drawRect(6, 1, 11, 10);
  painter.setPen(QColor(255, 0, 255));
  painter.drawRect(1, 6, 11, 10);
  painter.setPen(QColor(120, 120, 255));
  painter.drawLine(1, 6, 6, 1);
  painter.drawLine(12, 16, 17, 11);
  return QIcon(pixmap);
}

QIcon GradientIcon() {
  QPixmap pixmap(19, 18);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const auto gradient = BuildGradient({0, 0, 255}, {255, 0, 0}, {255, 255, 0});
  for (int x = 0; x < 17; ++x) {
    const Rgb c = gradient[x * 15];
    painter.setPen(QColor(c.r, c.g, c.b));
    painter.drawLine(1 + x, 2, 1 + x, 15);
  }
  return QIcon(pixmap);
}

}  // namespace

CMainFrame::CMainFrame(CMorvaneApp& app)
    : app_(app), state_(app.State()), view_(new CMorvaneView(app.State(), this)),
      printing_(app.State(), *view_, app.Sink()) {
  setObjectName("MorvaneMainFrame");
  setCentralWidget(view_);
  setAcceptDrops(true);
  view_->OnCommand = [this](int id) { TriggerCommand(id); };
  BuildMenus();
  BuildToolBar();
  for (int i = 0; i < 2; ++i) {
    panes_[i] = new QLabel(this);
    statusBar()->addWidget(panes_[i], i == 0 ? 2 : 1);
  }
  panes_[0]->setText(QStringLiteral("Ready"));
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& statusTip,
                                const QKeySequence& shortcut) {
  auto* action = new QAction(text, this);
  action->setData(id);
  action->setStatusTip(statusTip);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  if (menu) menu->addAction(action);
  actions_[id] = action;
  return action;
}

void CMainFrame::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  fileMenu_ = file;
  AddCommand(file, cmd::FileOpen, QStringLiteral("&Open..."), QStringLiteral("Open a master file or several raw data files"),
             QKeySequence(Qt::CTRL | Qt::Key_O));
  AddCommand(file, cmd::LoadGraphic, QStringLiteral("&Load Graphic..."), QStringLiteral("Load a status file"));
  AddCommand(file, cmd::SaveGraphic, QStringLiteral("Save &Graphic..."), QStringLiteral("Save the picture's settings and files as a status file"));
  file->addSeparator();
  AddCommand(file, cmd::SaveMetafile, QStringLiteral("&Save Metafile..."), QStringLiteral("Save the picture as an enhanced metafile"),
             QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  AddCommand(file, cmd::FilePrint, QStringLiteral("&Print..."), QStringLiteral("Print the picture"), QKeySequence(Qt::CTRL | Qt::Key_P));
  AddCommand(file, cmd::FilePrintPreview, QStringLiteral("Print Pre&view"), QStringLiteral("Show the page as it will be printed"));
  AddCommand(file, cmd::FilePrintSetup, QStringLiteral("P&rint Setup..."), QStringLiteral("Change the printer and the page"));
  file->addSeparator();
  recentAnchor_ = file->addSeparator();
  AddCommand(file, cmd::AppExit, QStringLiteral("E&xit"), QStringLiteral("Quit the program"));
  connect(file, &QMenu::aboutToShow, this, [this] { RebuildRecentFiles(); });

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* toolBar = AddCommand(view, cmd::ViewToolBar, QStringLiteral("&Toolbar"), QStringLiteral("Show or hide the toolbar"));
  toolBar->setCheckable(true);
  toolBar->setChecked(true);
  QAction* statusBarAction = AddCommand(view, cmd::ViewStatusBar, QStringLiteral("&Status Bar"), QStringLiteral("Show or hide the status bar"));
  statusBarAction->setCheckable(true);
  statusBarAction->setChecked(true);
  view->addSeparator();
  AddCommand(view, cmd::CubeMode, QStringLiteral("&Cube Mode"), QStringLiteral("Shape the picture by dragging the faces of the cube"));
  AddCommand(view, cmd::ZoomX, QStringLiteral("Zoom &X"), QStringLiteral("Drag the cube's depth edges to a new X range; press again to zoom"));
  AddCommand(view, cmd::ZoomY, QStringLiteral("Zoom &Y"), QStringLiteral("Drag the front top or bottom to a new intensity range; press again to zoom"));
  AddCommand(view, cmd::ZoomZ, QStringLiteral("Zoom &Z"), QStringLiteral("Slide a face to a new depth range; press again to zoom"));
  AddCommand(view, cmd::ViewWhole, QStringLiteral("View &whole diagram"), QStringLiteral("Show the whole X, Y and Z ranges"));
  AddCommand(view, cmd::Centre, QStringLiteral("C&entre"), QStringLiteral("Scale the diagram to fit into the window"));
  AddCommand(view, cmd::DefaultCube, QStringLiteral("&Default Cube"), QStringLiteral("Put the cube back to its default shape"));
  AddCommand(view, cmd::TopView, QStringLiteral("To&p View"), QStringLiteral("Show the set from above as a colour map"));
  AddCommand(view, cmd::Recolour, QStringLiteral("&Recolour"), QStringLiteral("Use all colours for the visual diagram"));
  AddCommand(view, cmd::ViewDiagrams, QStringLiteral("D&iagrams..."), QStringLiteral("Hide single diagrams from the picture or show them again"));
  view->addSeparator();
  AddCommand(view, cmd::Linear, QStringLiteral("&Linear"), QStringLiteral("Linear intensity scale"));
  AddCommand(view, cmd::Sqrt, QStringLiteral("S&QRT"), QStringLiteral("Square root intensity scale"));
  AddCommand(view, cmd::Log, QStringLiteral("L&og"), QStringLiteral("Logarithmic intensity scale"));
  AddCommand(nullptr, cmd::InvertZ, QStringLiteral("Invert Z"), QStringLiteral("Put the largest Z on the front face"));
  for (int id : {cmd::CubeMode, cmd::ZoomX, cmd::ZoomY, cmd::ZoomZ, cmd::TopView, cmd::Linear, cmd::Sqrt, cmd::Log, cmd::InvertZ})
    actions_[id]->setCheckable(true);

  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  AddCommand(options, cmd::OptionsColour, QStringLiteral("&Colour..."), QStringLiteral("Set the colours of the picture"));
  AddCommand(options, cmd::OptionsFont, QStringLiteral("&Font..."), QStringLiteral("Set the font of title and labels"));
  AddCommand(options, cmd::OptionsLabels, QStringLiteral("&Labels..."), QStringLiteral("Set the axes, grid and labels"));
  AddCommand(options, cmd::OptionsScaling, QStringLiteral("&Scaling..."), QStringLiteral("Set the ranges and the intensity scaling"));
  AddCommand(options, cmd::OptionsTitle, QStringLiteral("&Title..."), QStringLiteral("Set the title under the picture"));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  AddCommand(help, cmd::HelpTopics, QStringLiteral("&Help Topics"), QStringLiteral("List Help topics"));
  AddCommand(help, cmd::AppAbout, QStringLiteral("&About Morvane..."), QStringLiteral("Display program information and version"));
}

void CMainFrame::BuildToolBar() {
  toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  toolBar_->setObjectName("MainToolBar");
  toolBar_->setIconSize(QSize(19, 18));
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  addToolBar(Qt::TopToolBarArea, toolBar_);
  struct Button {
    int id;
    QIcon icon;
    const char* tip;
  };
  QStyle* s = style();
  const std::vector<std::vector<Button>> groups = {
      {{cmd::FileOpen, s->standardIcon(QStyle::SP_DialogOpenButton), "Open"}},
      {{cmd::FilePrint, TextIcon(QStringLiteral("P")), "Print"},
       {cmd::HelpTopics, s->standardIcon(QStyle::SP_DialogHelpButton), "Help Topics"}},
      {{cmd::ZoomX, TextIcon(QStringLiteral("X"), QColor(0, 0, 160)), "Zoom X"},
       {cmd::ZoomY, TextIcon(QStringLiteral("Y"), QColor(0, 0, 160)), "Zoom Y"},
       {cmd::ZoomZ, TextIcon(QStringLiteral("Z"), QColor(0, 0, 160)), "Zoom Z"},
       {cmd::ViewWhole, TextIcon(QStringLiteral("ALL")), "View whole diagram"}},
      {{cmd::CubeMode, CubeIcon(), "Cube Mode"}, {cmd::TopView, TextIcon(QStringLiteral("TOP")), "Top View"}},
      {{cmd::Centre, TextIcon(QStringLiteral("+")), "Centre"}},
      {{cmd::Sqrt, TextIcon(QStringLiteral("SQR")), "SQRT"},
       {cmd::Linear, TextIcon(QStringLiteral("LIN")), "Linear"},
       {cmd::Log, TextIcon(QStringLiteral("LOG")), "Log"}},
      {{cmd::Recolour, GradientIcon(), "Recolour"}},
  };
  for (size_t g = 0; g < groups.size(); ++g) {
    if (g > 0) toolBar_->addSeparator();
    for (const Button& b : groups[g]) {
      QAction* action = actions_[b.id];
      action->setIcon(b.icon);
      action->setToolTip(QString::fromLatin1(b.tip));
      toolBar_->addAction(action);
    }
  }
}

QAction* CMainFrame::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

bool CMainFrame::TriggerCommand(int id) {
  QAction* action = Action(id);
  if (!action) {
    if (id >= cmd::RecentFirst && id <= cmd::RecentLast) {
      RebuildRecentFiles();
      action = Action(id);
    }
    if (!action) return false;
  }
  UpdateCommandStates();
  if (!action->isEnabled()) return false;
  action->trigger();
  return true;
}

void CMainFrame::Refresh() {
  UpdateCommandStates();
  // Diagrams hidden through the Diagrams list are counted, so that a picture with fewer curves is not a surprise.
  const int n = std::min(state_.NumDiagrams, static_cast<int>(state_.Diagrams.size()));
  const auto shown = std::count_if(state_.Diagrams.begin(), state_.Diagrams.begin() + n, [](const Diagram& d) { return !d.Omitted; });
  panes_[1]->setText(shown == n ? QStringLiteral("%1 diagrams").arg(state_.NumDiagrams)
                                : QStringLiteral("%1 of %2 diagrams shown").arg(shown).arg(n));
  view_->Redraw();
}

void CMainFrame::UpdateCommandStates() {
  const CubeEdit& edit = view_->Edit();
  const ViewState& view = view_->View();
  const bool zooming = edit.Zoom != ZoomKind::None;
  const auto setState = [this](int id, bool enabled, bool checked) {
    if (QAction* a = Action(id)) {
      a->setEnabled(enabled);
      if (a->isCheckable()) a->setChecked(checked);
    }
  };
  setState(cmd::ZoomX, !state_.TopView && (!zooming || edit.Zoom == ZoomKind::X), edit.Zoom == ZoomKind::X);
  setState(cmd::ZoomY, !state_.TopView && (!zooming || edit.Zoom == ZoomKind::Y), edit.Zoom == ZoomKind::Y);
  setState(cmd::ZoomZ, !state_.TopView && (!zooming || edit.Zoom == ZoomKind::Z), edit.Zoom == ZoomKind::Z);
  setState(cmd::CubeMode, !state_.TopView && !zooming, view.CubeMode);
  setState(cmd::TopView, !view.CubeMode, state_.TopView);
  setState(cmd::Linear, true, state_.Linear);
  setState(cmd::Sqrt, true, state_.SQRT);
  setState(cmd::Log, true, state_.LOG);
  setState(cmd::InvertZ, true, state_.InvertZ);
  setState(cmd::HelpTopics, false, false);
  setState(cmd::ViewDiagrams, state_.NumDiagrams > 0, false);
  if (QAction* recent = Action(cmd::RecentFirst)) recent->setEnabled(!state_.RecentSets.empty());
}

void CMainFrame::RebuildRecentFiles() {
  for (int id = cmd::RecentFirst; id <= cmd::RecentLast; ++id) {
    if (QAction* a = Action(id)) {
      fileMenu_->removeAction(a);
      actions_.erase(id);
      a->deleteLater();
    }
  }
  const auto& list = state_.RecentSets;
  if (list.empty()) {
    QAction* a = AddCommand(nullptr, cmd::RecentFirst, QStringLiteral("Recent Files"), QStringLiteral("Open this file"));
    a->setEnabled(false);
    fileMenu_->insertAction(recentAnchor_, a);
    return;
  }
  for (size_t i = 0; i < list.size() && i < static_cast<size_t>(kMaxRecentSets); ++i) {
    const int index = static_cast<int>(i);
    auto* a = new QAction(km::FromPath(RecentSetMenuText(index + 1, list[i])), this);
    a->setData(cmd::RecentFirst + index);
    a->setStatusTip(QStringLiteral("Open this file"));
    connect(a, &QAction::triggered, this, [this, index] { app_.OnRecentFile(index); });
    actions_[cmd::RecentFirst + index] = a;
    fileMenu_->insertAction(recentAnchor_, a);
  }
}

void CMainFrame::OnUpdateFrameTitle() {
  setWindowTitle(km::FromPath(FrameTitle(app_.UserName(), state_.MasterPath)));
}

void CMainFrame::PlaceWindow(const Rect& r) {
  if (r.right - r.left <= 0) return;
  move(r.left, r.top);
  resize(r.right - r.left, std::max(r.bottom - r.top, 1));
}

Rect CMainFrame::NormalPlacement() const {
  const QRect g = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void CMainFrame::OnCommand(int id) {
  CubeEdit& edit = view_->Edit();
  ViewState& view = view_->View();
  switch (id) {
    case cmd::FileOpen: app_.OnFileOpen(); break;
    case cmd::LoadGraphic: app_.OnLoadGraphic(); break;
    case cmd::SaveGraphic: app_.OnSaveGraphic(); break;
    case cmd::SaveMetafile: OnSaveMetafile(); break;
    case cmd::FilePrint: printing_.Print(this); break;
    case cmd::FilePrintPreview: printing_.Preview(this); break;
    case cmd::FilePrintSetup: printing_.Setup(this); break;
    case cmd::AppExit: close(); return;
    case cmd::AppAbout: {
      CAboutDlg about(app_.Sounds(), this);
      about.exec();
      break;
    }
    case cmd::ViewToolBar: toolBar_->setVisible(!toolBar_->isVisible()); Action(id)->setChecked(toolBar_->isVisible()); break;
    case cmd::ViewStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); Action(id)->setChecked(statusBar()->isVisible()); break;
    case cmd::CubeMode:
      view.CubeMode = !view.CubeMode;
      edit.HandleHit = {};
      break;
    case cmd::ZoomX:
    case cmd::ZoomY:
    case cmd::ZoomZ: OnZoom(id); break;
    case cmd::ViewWhole: ViewWholeDiagram(state_, view); break;
    case cmd::Centre:
      if (CentreCube(state_, view, view_->ClientRect())) view_->OnFacesChanged();
      break;
    case cmd::DefaultCube:
      if (DefaultCube(state_, view_->ClientRect())) view_->OnFacesChanged();
      break;
    case cmd::TopView: state_.TopView = !state_.TopView; break;
    case cmd::Recolour: Recolour(state_); break;
    case cmd::InvertZ: state_.InvertZ = !state_.InvertZ; break;
    case cmd::Linear: ChooseScaling(state_, kLinear); break;
    case cmd::Sqrt: ChooseScaling(state_, kSquareRoot); break;
    case cmd::Log: ChooseScaling(state_, kLogarithm); break;
    case cmd::OptionsColour: OnOptionsColour(); break;
    case cmd::OptionsFont: OnOptionsFont(); break;
    case cmd::OptionsLabels: OnOptionsLabels(); break;
    case cmd::OptionsScaling: OnOptionsScaling(); break;
    case cmd::OptionsTitle: OnOptionsTitle(); break;
    case cmd::ViewDiagrams: {
      CDiagramsDlg dialog(state_, [this] { Refresh(); }, this);
      dialog.exec();
      break;
    }
    default: break;
  }
  Refresh();
}

void CMainFrame::OnZoom(int id) {
  const ZoomKind kind = id == cmd::ZoomX ? ZoomKind::X : id == cmd::ZoomY ? ZoomKind::Y : ZoomKind::Z;
  PressZoom(state_, view_->View(), view_->Edit(), kind);
}

void CMainFrame::OnOptionsColour() {
  CColourSetupDlg dialog(state_, this);
  if (dialog.exec() == QDialog::Accepted) {
    dialog.Store(state_);
    Recolour(state_);
  }
}

void CMainFrame::OnOptionsFont() {
  const int dpi = std::max(1, logicalDpiY());
  LogicalFont& f = state_.Font;
  QFont initial(f.FaceName.empty() ? QStringLiteral("Arial") : km::FromCp1252(f.FaceName));
  const int height = f.Height != 0 ? f.Height : 80;
  initial.setPixelSize(std::max(1, -DialogFontHeight(height, dpi)));
  initial.setWeight(static_cast<QFont::Weight>(std::clamp(f.Weight > 0 ? f.Weight : 400, 100, 900)));
  initial.setItalic(f.Italic != 0);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, this, QStringLiteral("Font"), QFontDialog::DontUseNativeDialog);
  if (!ok) return;
  const int pixels = chosen.pixelSize() > 0 ? chosen.pixelSize() : static_cast<int>(chosen.pointSizeF() * dpi / 72.0 + 0.5);
  f.Height = FontHeightFromDialog(-pixels, dpi);
  f.Weight = chosen.weight();
  f.Italic = chosen.italic() ? 1 : 0;
  f.FaceName = km::ToCp1252(chosen.family()).substr(0, 31);
}

void CMainFrame::OnOptionsLabels() {
  CLabelSetupDlg dialog(state_, view_->width(), view_->height(), this);
  if (dialog.exec() == QDialog::Accepted) ApplyLabelSetup(state_, dialog.Values());
}

void CMainFrame::OnOptionsScaling() {
  CScalingSetupDlg dialog(state_, this);
  if (dialog.exec() == QDialog::Accepted) ApplyScalingSetup(state_, dialog.Values());
}

void CMainFrame::OnOptionsTitle() {
  CTitleDlg dialog(state_.Title, this);
  if (dialog.exec() == QDialog::Accepted) state_.Title = dialog.Title();
}

void CMainFrame::OnSaveMetafile() {
  QFileDialog dialog(this, QStringLiteral("Save Metafile"));
  dialog.setObjectName("SaveMetafileDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(km::NameFiltersFrom("Window Enhanced Metafile (*.emf)|*.emf||"));
  dialog.setDefaultSuffix(QStringLiteral("emf"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveMetafileTo(km::ToPath(dialog.selectedFiles().front()));
}

bool CMainFrame::SaveMetafileTo(const std::string& path) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = SaveMetafile(app_.Sink(), path, state_, view_->View(), view_->width(), view_->height());
  QApplication::restoreOverrideCursor();
  return ok;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  state_.MainWin = NormalPlacement();
  event->accept();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (isMinimized()) return;
  const PaneWidths w = StatusPaneWidths(width(), style()->pixelMetric(QStyle::PM_ScrollBarExtent), 2);
  panes_[0]->setFixedWidth(w.first);
  panes_[1]->setFixedWidth(w.second);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Files dropped on the window are opened as the open dialog would open them.
void CMainFrame::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(km::ToPath(url.toLocalFile()));
  if (paths.empty()) return;
  event->acceptProposedAction();
  app_.OpenPicked(paths);
}

}  // namespace morvane
