#pragma once
// The workbench program: start-up with the user's profile, the main frame, and exit, which stores the
// profile again and leaves no working copy behind.
#include <memory>
#include <string>

#include "common/core/start_command_line.h"
#include "keltor/core/workbench.h"
#include "keltor/gui/main_frame.h"
#include "keltor/gui/qt_workbench_ui.h"

namespace keltor {

// The name the program keeps its settings under (company "ORVE").
inline constexpr const char* kProgramName = "keltor";

class CKeltorApp {
 public:
  CKeltorApp();
  ~CKeltorApp();

  // Reads the command line and the user's profile and opens the main frame. False when the program
  // must end (the user has been told why).
  bool InitInstance(const std::string& commandLine);
  // Stores the profile section (with a user), forgets the recent files and deletes the working copy.
  void ExitInstance();

  Workbench& Bench() { return workbench_; }
  QtWorkbenchUi& Ui() { return ui_; }
  CMainFrame* Frame() { return frame_.get(); }
  const std::string& UserName() const { return userName_; }
  const std::string& ProfilePath() const { return profilePath_; }

 private:
  // Forwards the workbench's notifications to the frame once there is one.
  class Relay : public WorkbenchObserver {
   public:
    WorkbenchObserver* target = nullptr;
    void OnFileChanged() override { if (target) target->OnFileChanged(); }
    void OnDataChanged() override { if (target) target->OnDataChanged(); }
    void OnInitialUpdate() override { if (target) target->OnInitialUpdate(); }
    void OnDisplayReset() override { if (target) target->OnDisplayReset(); }
    void OnListChanged() override { if (target) target->OnListChanged(); }
  };

  void OpenAtStart(const std::string& path);

  QtWorkbenchUi ui_;
  Relay relay_;
  Workbench workbench_;
  std::unique_ptr<CMainFrame> frame_;
  std::string userName_;
  std::string profilePath_;
  bool exited_ = false;
};

}  // namespace keltor
