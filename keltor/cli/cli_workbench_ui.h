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

  // Range selection and range editing: the dialogs' values from the options (--range(s), --target,
  // --begin/--end, the extract name), checked as the dialogs check them.
  std::vector<int> Ranges;                  // the ranges to select; empty: not given
  std::optional<int> Target;                // Add mode; not given: the dialog's preset
  std::optional<AngularRange> Angles;       // the angular range dialog's begin and end
  std::optional<std::string> ExtractName;   // not given: the proposed name
  std::optional<RangeSelection> ChooseRanges(const RangeSelectRequest& request) override;
  std::optional<AngularRange> ChooseAngularRange(const AngularRangeRequest& request) override;
  std::optional<std::string> ChooseExtractFile(const ExtractFileRequest& request) override {
    return ExtractName.value_or(request.ProposedName);
  }

 private:
  km::ConsoleMessageSink console_;
};

}  // namespace keltor::cli
