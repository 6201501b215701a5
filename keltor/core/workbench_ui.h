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
// File arithmetic, normalisation, add points and the parameter dialogs.
#include "keltor/core/operations/file_arithmetic.h"
#include "keltor/core/operations/header_parameters.h"
#include "keltor/core/operations/normalize_intensities.h"
#include "keltor/core/operations/range_choice_list.h"

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

// --- Absorption and angle correction (the Operations menu's dialogs) ---

// The absorption dialog (" Absorption Correction"): one value, checked against 0 .. Maximum.
struct AbsorptionRequest {
  int ScanMode = 0;   // the geometry, which the label names
  std::string Label;  // "Transmission factor (I/Io)", "Mu * T" or "Mu * R"
  float Value = 0;    // preset: the header's AbsorptionValue
  float Maximum = 30;
};

// The angle correction dialog (" Angle Correction").
struct AngleCorrectionRequest {
  bool PolynomialFound = false;  // the check box is enabled only then
  std::string OrderText;         // " the stored polynomial is of order %i", or " "
  std::string RangeText;         // " calculated for the 2 theta range: %7.2f - %7.2f ", or the "not found" text
  std::string AxisName;          // "2Theta" or "Omega", for the labels of a and b
  float A = 0, B = 0;            // the line last typed
};

// What the angle correction dialog returns on OK.
struct AngleCorrectionChoice {
  bool UseStoredPolynomial = false;  // else the line a + b * angle/180
  float A = 0, B = 0;
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

// A dialog's check on OK: 0 accepts the values, else the id of the control to put the focus on
// (the message has been shown). Used by the file arithmetic and parameter dialogs.
template <typename Values>
using DialogCheck = std::function<int(const Values&)>;

// --- Range selection and range editing (the Ranges menu's dialogs) ---

// What the range selection dialog is used for; the value is the dialog's mode number.
enum class RangeSelectMode {
  Select = 0,    // general selection
  Combine = 1,   // exactly two ranges
  Delete = 2,    // not every range
  Truncate = 3,  // ranges are truncated inside the dialog, one at a time
  Add = 4,       // with the "Add to Range" target
  Extract = 5,
  Export = 6,    // shown as "Select", "All Ranges" hidden; otherwise as Select
};

// The range selection dialog's arguments. The workbench fills every field; the dialog shows them.
struct RangeSelectRequest {
  RangeSelectMode Mode = RangeSelectMode::Select;
  std::string FilePath;               // shown as "Raw data file: %s"
  std::string AxisName;               // "2Theta" or "Omega", for the column heading
  std::vector<std::string> Lines;     // one per range 1..RangeCount ("%3d    %8.3f %8.3f %8.3f    %5d")
  int RangeCount = 0;                 // the file's MeasuredRangeCount
  int TargetRange = 1;                // Add mode: "Add to Range" preset, limits 1 to RangeCount
  // Truncate mode: the "Truncate" button (or a double click) on range n calls Truncate(n); the
  // workbench runs the angular range dialog, writes the range back at once and returns the list lines
  // as they are now (changed or not). Nothing: the list could not be rebuilt, and the selection dialog
  // ends as cancelled.
  std::function<std::optional<std::vector<std::string>>(int rangeNumber)> Truncate;
};

// What the range selection dialog returns on OK.
struct RangeSelection {
  std::vector<int> Ranges;  // selected range numbers, ascending, at most 8; may be empty
  int TargetRange = 1;      // Add mode: the target in force when the dialog closed
};

// The angular range dialog (" Change Angular Range") for one range header.
struct AngularRangeRequest {
  int RangeNumber = 0;  // shown after the title; 0: the file has one range
  bool OmegaScan = false;  // the scan axis is Omega; the other axis' edits are read-only
  // The six values shown: 2Theta begin, end, step, Omega begin, end, step.
  float TwoThetaBegin = 0, TwoThetaEnd = 0, TwoThetaStep = 0;
  float OmegaBegin = 0, OmegaEnd = 0, OmegaStep = 0;
};

// The new begin and end on the scan axis, as accepted by the dialog (limits checked, begin < end).
struct AngularRange {
  float Begin = 0;
  float End = 0;
};

// The extract file dialog (" Extract Ranges to File"): a name pattern whose last character stands
// for the range digit.
struct ExtractFileRequest {
  std::string ProposedName;      // the document's path up to its last "." followed by "ra#"
  std::string InitialDirectory;  // for "Browse"
};


class WorkbenchUi : public km::MessageSink {
 public:
  // Absorption and angle correction; nothing for Cancel (also where a user interface has no such dialog).
  // The absorption dialog returns the value as entered, inside 0 .. Maximum.
  virtual std::optional<float> ChooseAbsorptionValue(const AbsorptionRequest&) { return std::nullopt; }
  virtual std::optional<AngleCorrectionChoice> ChooseAngleCorrection(const AngleCorrectionRequest&) {
    return std::nullopt;
  }

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
  // Range selection and range editing.
  // The range selection dialog; nothing for Cancel. The dialog itself refuses a selection that
  // RangeSelectionError refuses, and an "Add to Range" outside its limits.
  virtual std::optional<RangeSelection> ChooseRanges(const RangeSelectRequest& request) = 0;
  // The angular range dialog; nothing for Cancel. The dialog itself refuses what AngularRangeError refuses.
  virtual std::optional<AngularRange> ChooseAngularRange(const AngularRangeRequest& request) = 0;
  // The extract file dialog: the name as typed (possibly empty); nothing for Cancel.
  virtual std::optional<std::string> ChooseExtractFile(const ExtractFileRequest& request) = 0;
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
