#pragma once
// The workbench's main window: menus, toolbar, status bar, the plot view and the list text window it
// owns. The file commands themselves live in the workbench; the frame routes its menu commands there
// and follows the open file.
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QToolBar>
#include <map>

#include "keltor/core/workbench.h"
#include "keltor/gui/keltor_view.h"
#include "keltor/gui/list_text_wnd.h"
#include "keltor/gui/qt_workbench_ui.h"

namespace keltor {

// The notify id the list text window sends back with its notifications.
inline constexpr int kListWindowNotifyId = 101;
// The list window's font size in points and the line length it is given.
inline constexpr int kListPointSize = 9;
inline constexpr int kListLineLength = 90;
// Recent-file paths longer than this are shortened in the File menu.
inline constexpr int kRecentPathDisplayLength = 64;

// "KELTOR  -  User %1", then "   File : " and the file when one is open.
std::string FrameTitle(const std::string& userName, const std::string& documentPath);
// The File menu's text for recent file number (from 1): "&1 " and the path, shortened when long.
std::string RecentFileMenuText(int number, std::string path);

class CMainFrame : public QMainWindow, public WorkbenchObserver, public ListTextOwner {
  Q_OBJECT
 public:
  CMainFrame(Workbench& workbench, QtWorkbenchUi& ui, std::string userName);
  ~CMainFrame() override;

  // The action of a menu command; nothing for an id the menus do not hold.
  QAction* Action(int commandId) const;
  // Runs a command as its menu item would (disabled ones do nothing); false when it is unknown or disabled.
  bool TriggerCommand(int commandId);
  // Brings the File menu's recent-file entries up to date, as opening the menu does.
  void RebuildRecentFiles();
  // Enables and checks the menu items for the workbench's state.
  void UpdateCommandStates();

  void OnUpdateFrameTitle();
  void OnViewListFile();

  // The window's normal placement (left, top, right, bottom) for the user profile; and setting it.
  void StorePlacement(int32_t rect[4]) const;
  void PlaceWindow(const int32_t rect[4]);

  CKeltorView* View() const { return view_; }
  CListTextWnd* ListWindow() const { return listWindow_.data(); }
  bool IsListWindowMinimized() const { return listMinimized_; }
  QLabel* StatusPane(int index) const { return panes_[index]; }
  QToolBar* ToolBar() const { return toolBar_; }

  // WorkbenchObserver
  void OnFileChanged() override;
  void OnDataChanged() override;
  void OnInitialUpdate() override;
  void OnDisplayReset() override;
  void OnListChanged() override;

  // ListTextOwner
  int OnListLineRequest(int index, std::span<char> buffer) override;
  void OnListWindowNotify(int command, int notifyId) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildPaneKeys();
  void SwitchPane();
  void BuildStatusBar();
  void LayOutStatusPanes();
  void OnCommand(int commandId);
  void ShowListWindow();
  void DestroyListWindow();
  void OnPrintListFile();
  void OnAppAbout();

  Workbench& workbench_;
  QtWorkbenchUi& ui_;
  std::string userName_;
  CKeltorView* view_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* panes_[2] = {nullptr, nullptr};
  QMenu* fileMenu_ = nullptr;
  QAction* recentAnchor_ = nullptr;  // the separator after the recent files
  std::vector<QAction*> recentActions_;
  std::map<int, QAction*> actions_;
  QPointer<CListTextWnd> listWindow_;
  bool listMinimized_ = false;
  bool closing_ = false;
};

}  // namespace keltor
