#pragma once
// What the workbench's file commands need from a user interface: the messages and questions of
// km::MessageSink, plus one method per dialog returning the dialog's values or nothing for Cancel.
// The desktop program implements it with its dialogs, keltor-cli from its options, tests from a script.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/core/messages.h"
// File arithmetic, normalisation, add points and the parameter dialogs.
#include "keltor/core/operations/file_arithmetic.h"
#include "keltor/core/operations/header_parameters.h"
#include "keltor/core/operations/normalize_intensities.h"
#include "keltor/core/range_list.h"

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
};

// A dialog's check on OK: 0 accepts the values, else the id of the control to put the focus on
// (the message has been shown). Used by the file arithmetic and parameter dialogs.
template <typename Values>
using DialogCheck = std::function<int(const Values&)>;

class WorkbenchUi : public km::MessageSink {
 public:
  virtual std::optional<OpenFileChoice> ChooseOpenFile(const OpenFileRequest& request) = 0;
  // Every selected path, in the order the dialog gives them.
  virtual std::optional<std::vector<std::string>> ChooseOpenFiles(const OpenFileRequest& request) = 0;
  // The full path accepted by the save dialog.
  virtual std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) = 0;
  // The wait cursor while lists are built and written; nothing by default.
  virtual void SetWaitCursor(bool /*on*/) {}

  // File arithmetic, normalisation, add points and the parameter dialogs. Each returns the values
  // the user left the dialog with, or nothing for Cancel (the default). On OK a dialog runs check on
  // its values: 0 accepts them, otherwise the message has been shown and the dialog stays open with
  // the focus on the control whose id check returned.
  // CRangeListDlg: the zero-based index of the chosen line.
  virtual std::optional<int> ChooseFromRangeList(const RangeListRequest&) { return std::nullopt; }
  // CFactorsDlg.
  virtual std::optional<ArithmeticFactors> EditArithmeticFactors(const ArithmeticFactors&,
                                                                 const DialogCheck<ArithmeticFactors>&) {
    return std::nullopt;
  }
  // CNormalizeDlg.
  virtual std::optional<NormalizeChoice> EditNormalizeChoice(const NormalizeChoice&, const DialogCheck<NormalizeChoice>&) {
    return std::nullopt;
  }
  // CAddPointsDlg: the number of points to add.
  virtual std::optional<int> EditAddPointsCount(int, const DialogCheck<int>&) { return std::nullopt; }
  // CTitleDlg.
  virtual std::optional<TitleTexts> EditTitleTexts(const TitleTexts&, const DialogCheck<TitleTexts>&) {
    return std::nullopt;
  }
  // CWavelengthDlg.
  virtual std::optional<WavelengthChoice> EditWavelength(const WavelengthRequest&, const DialogCheck<WavelengthChoice>&) {
    return std::nullopt;
  }
  // CGeneratorDlg.
  virtual std::optional<GeneratorSettings> EditGeneratorSettings(const GeneratorSettings&,
                                                                 const DialogCheck<GeneratorSettings>&) {
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
