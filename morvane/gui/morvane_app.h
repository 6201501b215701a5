#pragma once
// The viewer program: start-up with the user's profile section, the file commands (open, recent
// master files, status files), and exit, which stores the section again.
#include <memory>
#include <string>
#include <vector>

#include "morvane/core/viewer_profile.h"
#include "morvane/core/viewer_state.h"
#include "morvane/gui/main_frame.h"
#include "morvane/gui/sounds.h"
#include "morvane/gui/viewer_message_sink.h"

namespace morvane {

// The name the program keeps its settings under (company "ORVE").
inline constexpr const char* kProgramName = "morvane";

class CMorvaneApp {
 public:
  CMorvaneApp();
  ~CMorvaneApp();

  // Reads the command line and the user's profile section and opens the main frame. False when the
  // program must end (the user has been told why).
  bool InitInstance(const std::string& commandLine);
  // Stores the profile section (with a user); once.
  void ExitInstance();

  // File > Open: the open dialog with multiple selection.
  void OnFileOpen();
  // What the open dialog's OK does with the files picked (one file: a master file).
  bool OpenPicked(const std::vector<std::string>& paths);
  // A recent master file chosen (0: the newest).
  void OnRecentFile(int index);
  // File > Load Graphic and Save Graphic: the dialogs, and what their OK does.
  void OnLoadGraphic();
  void OnSaveGraphic();
  bool LoadGraphic(const std::string& path);
  bool SaveGraphic(const std::string& path);

  ViewerState& State() { return state_; }
  ViewerMessageSink& Sink() { return sink_; }
  SoundPlayer& Sounds() { return *sounds_; }
  CMainFrame* Frame() { return frame_.get(); }
  const std::string& UserName() const { return userName_; }
  const std::string& ProfilePath() const { return profilePath_; }
  const std::string& ProgramDirectory() const { return programDirectory_; }

 private:
  void AfterLoad();

  ViewerState state_;
  ViewerMessageSink sink_;
  std::unique_ptr<SoundPlayer> sounds_;
  std::unique_ptr<CMainFrame> frame_;
  std::string userName_, profilePath_, programDirectory_;
  std::vector<uint8_t> settingsAsRead_;
  bool started_ = false, exited_ = false;
};

}  // namespace morvane
