#pragma once
// What the workbench's file commands need from a user interface: the messages and questions of
// km::MessageSink, plus one method per dialog returning the dialog's values or nothing for Cancel.
// The desktop program implements it with its dialogs, keltor-cli from its options, tests from a script.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {

// The platform's open dialog, for one file or a multiple selection.
struct OpenFileRequest {
  std::string Title;             // empty: the platform's own title
  std::string DefaultExtension;  // "raw"
  std::string Filter;            // "Name (*.a)|*.a|...||"
  int FilterIndex = 1;           // filter shown first, counted from 1
  bool FileMustExist = true;
  bool PathMustExist = true;
  bool HideReadOnly = true;
  int NameBufferSize = 0;  // multiple selection: characters the dialog may return (0: no limit)
};

struct OpenFileChoice {
  std::string Path;
  int FilterIndex = 1;  // the filter the user left the dialog with
};

// The workbench's save dialog with its checks (default extension, read-only target, overwrite and
// non-standard extension questions); the arguments it is constructed with.
struct SaveFileRequest {
  std::string DefaultExtension;  // "raw", "lst"
  std::string ProposedName;      // may be empty
  std::string Filter;
  std::string InitialDirectory;
  int FilterIndex = 1;
  int FilterCount = 1;
  bool NoExtensionInName = false;
  bool ConfirmOverwrite = true;
  // File, Import: the dialog's own title (empty: the platform's).
  std::string Title{};
};

// --- Export (File > Export) ---

// What OK in the export dialog decided.
enum class ExportDialogOutcome { Accept, StayOpen, Cancel };

// The export dialog's arguments: its members as it opens, and the workbench's handling of Browse
// and OK, so that every rule of the dialog lives in the core.
struct ExportDialogRequest {
  ExportDialogValues Values;
  // Browse: the save dialog for the current format; a chosen name lands in values.FileName.
  std::function<void(ExportDialogValues&)> Browse;
  // OK: the range choice and the existence question; sets values.RangeNumber on Accept.
  std::function<ExportDialogOutcome(ExportDialogValues&)> Accept;
};

class WorkbenchUi : public km::MessageSink {
 public:
  virtual std::optional<OpenFileChoice> ChooseOpenFile(const OpenFileRequest& request) = 0;
  // Every selected path, in the order the dialog gives them.
  virtual std::optional<std::vector<std::string>> ChooseOpenFiles(const OpenFileRequest& request) = 0;
  // The full path accepted by the save dialog.
  virtual std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) = 0;
  // The wait cursor while lists are built and written; nothing by default.
  virtual void SetWaitCursor(bool /*on*/) {}

  // Export: the export dialog; the values it closed with OK, or nothing. Without a dialog to show,
  // the request's values are taken as they stand.
  virtual std::optional<ExportDialogValues> ChooseExport(const ExportDialogRequest& request) {
    ExportDialogValues values = request.Values;
    if (request.Accept(values) != ExportDialogOutcome::Accept) return std::nullopt;
    return values;
  }
  // Export: the range selection dialog in its export mode ("All Ranges" hidden) for a file of
  // rangeCount ranges; the selected numbers, or nothing for Cancel. None by default.
  virtual std::optional<std::vector<int>> ChooseExportRanges(const std::string& /*documentPath*/, int /*rangeCount*/) {
    return std::nullopt;
  }
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
 public:
  explicit WaitCursor(WorkbenchUi& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
  ~WaitCursor() { ui_.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  WorkbenchUi& ui_;
};

// The windows that show the open file. The plot view reacts to the two notifications; the main frame
// to the display reset and the list change. Every method does nothing by default.
class WorkbenchObserver {
 public:
  virtual ~WorkbenchObserver() = default;
  // Another file was opened or closed (window message 1125): reload both halves of the plot.
  virtual void OnFileChanged() {}
  // The data of the open file changed (window message 1126, UWM_DATA_CHANGED).
  virtual void OnDataChanged() {}
  // The plot view's initial update while a file with data is being loaded.
  virtual void OnInitialUpdate() {}
  // Title and list window follow the open file (list shown while a file is open, destroyed without).
  virtual void OnDisplayReset() {}
  // The list lines were rebuilt.
  virtual void OnListChanged() {}
  // The list window is to be shown (made when absent), as after View, Full File.
  virtual void OnShowListWindow() {}
};

inline constexpr int kUserMessageFileChanged = 1125;
inline constexpr int kUserMessageDataChanged = 1126;

}  // namespace keltor
