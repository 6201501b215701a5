#pragma once
// The workbench's user interface for keltor-cli: messages go to standard error ("error: ",
// "warning: "), questions are answered from the options, and the dialogs return what the command
// line named (the files to open, the file to write).
#include <optional>
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "keltor/core/workbench_ui.h"

namespace keltor::cli {

class CliWorkbenchUi : public WorkbenchUi {
 public:
  std::vector<std::string> OpenFiles;    // what the open dialogs return
  std::optional<std::string> SaveFile;   // what the save dialog returns; nothing: cancelled

  // --yes: questions are answered Yes instead of No.
  void AnswerYes(bool yes) { console_ = km::ConsoleMessageSink(yes); }
  // Errors shown so far.
  int ErrorCount() const { return console_.ErrorCount(); }

  void ShowMessage(std::string_view text, km::MessageIcon icon) override { console_.ShowMessage(text, icon); }
  bool AskYesNo(std::string_view text, bool defaultNo = false) override { return console_.AskYesNo(text, defaultNo); }

  std::optional<OpenFileChoice> ChooseOpenFile(const OpenFileRequest& request) override {
    if (OpenFiles.empty()) return std::nullopt;
    return OpenFileChoice{OpenFiles.front(), request.FilterIndex};
  }
  std::optional<std::vector<std::string>> ChooseOpenFiles(const OpenFileRequest&) override {
    if (OpenFiles.empty()) return std::nullopt;
    return OpenFiles;
  }
  std::optional<std::string> ChooseSaveFile(const SaveFileRequest&) override { return SaveFile; }

 private:
  km::ConsoleMessageSink console_;
};

}  // namespace keltor::cli
