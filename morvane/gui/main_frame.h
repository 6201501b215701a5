#pragma once
// The viewer's main window: menus, toolbar with tool tips, two-pane status bar, the view, and every
// view and settings command. The file commands belong to the application and are routed there.
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <array>
#include <map>
#include <string>

#include "morvane/core/viewer_state.h"
#include "morvane/gui/morvane_view.h"
#include "morvane/gui/printing.h"

namespace morvane {

class CMorvaneApp;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(CMorvaneApp& app);
  ~CMainFrame() override;

  // The action of a command id; nothing for an id the menus do not hold.
  QAction* Action(int commandId) const;
  // Runs a command as its menu item would (a disabled one does nothing); false when unknown or disabled.
  bool TriggerCommand(int commandId);
  // Enables and checks the items for the state of the view.
  void UpdateCommandStates();
  // The File menu's recent master files, as opening the menu rebuilds them.
  void RebuildRecentFiles();
  void OnUpdateFrameTitle();

  // MainWin (left, top, right, bottom): where the window goes, and where it is in its normal state.
  void PlaceWindow(const Rect& r);
  Rect NormalPlacement() const;

  CMorvaneView* View() const { return view_; }
  QToolBar* ToolBar() const { return toolBar_; }
  QLabel* StatusPane(int i) const { return panes_[i]; }
  QMenu* FileMenu() const { return fileMenu_; }
  ViewerPrinting& Printing() { return printing_; }

  // Writes the picture as the window shows it to an enhanced metafile (what Save Metafile's OK does).
  bool SaveMetafileTo(const std::string& path);

  // A command changed the picture: repaint at once and bring the menus up to date.
  void Refresh();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* AddCommand(QMenu* menu, int id, const QString& text, const QString& statusTip,
                      const QKeySequence& shortcut = {});
  void BuildMenus();
  void BuildToolBar();
  void OnCommand(int id);
  void OnZoom(int id);
  void OnOptionsColour();
  void OnOptionsFont();
  void OnOptionsLabels();
  void OnOptionsScaling();
  void OnOptionsTitle();
  void OnSaveMetafile();

  CMorvaneApp& app_;
  ViewerState& state_;
  CMorvaneView* view_ = nullptr;
  ViewerPrinting printing_;
  QToolBar* toolBar_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* recentAnchor_ = nullptr;
  std::array<QLabel*, 2> panes_{};
  std::map<int, QAction*> actions_;
};

}  // namespace morvane
