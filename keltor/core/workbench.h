#pragma once
// The workbench's application state and its file commands, usable without a window: the desktop
// program's main frame calls these, keltor-cli calls them from its options, tests from a script.
#include <optional>
#include <string>
#include <vector>

#include "common/core/workbench_settings.h"
#include "keltor/core/command_ids.h"
#include "keltor/core/operations/radiation_table.h"  // file arithmetic and parameter commands
#include "keltor/core/workbench_file.h"
#include "keltor/core/workbench_ui.h"

namespace keltor {

inline constexpr size_t kMaxRecentFiles = 8;

// What the application keeps beside the open file while it runs.
struct WorkbenchState {
  std::string WorkDirectory;              // from the user profile, then the directory of each file opened or saved
  std::vector<std::string> RecentFiles;   // at most 8, newest first
  km::WorkbenchSettings Settings = km::DefaultWorkbenchSettings();  // FullFile decides whether the list shows the data points
  std::vector<std::string> ListLines;     // the list text, no line ends inside
  std::string ListFilePath;               // the list file written last
  std::string ProgramDirectory;           // the suite's directory (PROGRAMS and USERS below it)
  int OpenFilterIndex = 1;                // filter last chosen in the open dialog
  ExportSettings Export;                  // File > Export: the last choices
  // File arithmetic and parameter commands.
  int AddPointsCount = 2;                 // the last number of points added together
  RadiationTable Radiations;              // its user-defined wavelength is kept for the run
};

class Workbench {
 public:
  Workbench(WorkbenchUi& ui, WorkbenchObserver& observer) : ui_(ui), observer_(observer) {}

  WorkbenchFile File;
  WorkbenchState State;

  WorkbenchUi& Ui() { return ui_; }
  WorkbenchObserver& Observer() { return observer_; }

  // Opens path as the workbench's file; the caller makes it DocumentPath on success. Refuses a file
  // that is being measured; accepts a file without data (its ranges count 0). On failure DocumentPath
  // is empty and the messages have been shown.
  bool LoadWorkbenchFile(const std::string& path);

  // The main frame follows the open file: list rebuilt (or emptied with no file), ListFilePath
  // forgotten, title and list window reset.
  void ResetFrameForFile();

  // Removes every entry equal to path (letter case aside); unless removeOnly, puts path in front.
  void AddRecentFile(const std::string& path, bool removeOnly);

  // The save dialog for a raw data file; OK sets SaveAsPath and WorkDirectory.
  bool ChooseSavePath();

  // Commands.
  void OnFileOpen();
  void OnOpenRecentFile(int commandId);
  void OnFileSaveAs();
  void OnFileMerge();
  // The main window is about to close: the save question first. The window closes whatever the answer.
  void OnCloseMainWindow();
  // Program exit: the recent file list has been stored by now; it is cleared and the working copy deleted.
  void OnExit();

  // Absorption and angle correction (Operations menu): true when the working file changed. The angle
  // correction reads the stored calibration polynomial from the profile at userProfilePath (empty: none).
  bool OnOperationsAbsorption();
  bool OnOperationsAngleCorrection(const std::string& userProfilePath);

  // List file.
  bool BuildListFile();
  bool WriteListFile(const std::string& path);
  void OnViewFullFile();
  void OnSaveListFile();
  bool OnPrintListFile();

  // Export (File > Export): the dialog, then the range written in the chosen format. True when the
  // file was written.
  bool OnExport();
  // The export run after the dialog: range values.RangeNumber read, prepared and written to
  // values.FileName. False after a message.
  bool RunExport(const ExportDialogValues& values);
  // File arithmetic, normalisation, Alpha2 stripping, add points and the parameter dialogs. Each
  // returns false when cancelled, refused or failed (message shown); IsModified tells whether the
  // working file changed.
  bool OnRangesFileArithmetic(FileOperation operation);  // Add, Subtract and Divide File
  bool OnRangesNormalize();
  bool OnOperationsAlpha2Stripping();
  bool OnOperationsAddPoints();
  bool OnParametersTitle();
  bool OnParametersWavelength();
  bool OnParametersGenerator();
  // Whether the Alpha2 Stripping menu item is enabled.
  bool CanStripAlpha2() const;
  // Range selection and range editing (Ranges menu). Each command returns true when it changed the
  // working file; false when it was cancelled, refused (after its message) or failed.
  bool OnRangesTruncate();
  bool OnRangesDelete();
  bool OnRangesExtract();  // writes new files; the working file is not changed
  bool OnRangesCombine();
  bool OnRangesAdd();
  // The range selection dialog over the open file in mode; nothing for Cancel or when the list could
  // not be read. Other commands (export) use it too.
  std::optional<RangeSelection> SelectRanges(RangeSelectMode mode, int targetRange = 1);
  // After a change of the working file: IsModified set, the plot told (UWM_DATA_CHANGED), the list
  // rebuilt. The caller sets the RangeModified marks of the ranges it rewrote.
  void NotifyDataChanged();
  int LastAddTarget = 1;  // the target range Add Ranges used last

 private:
  // The save question of Open, recent file and close: Yes runs the save dialog and saves.
  void SavePendingChanges();
  bool MergeIntoWorkingFile(const std::string& path, int& rangeCount, int& pieces);
  bool TakeFirstMergeFile(const std::string& path, int& rangeCount, int& pieces);
  void FinishNewMergedFile(int pieces, int rangeCount);
  // File arithmetic and parameter commands.
  std::optional<int> ChooseRange(int count, const std::string& path, const km::RawFileHeader& header,
                                 const char* prompt, RangeListPurpose purpose);
  bool FinishRangeChange(int rangeNumber);
  bool FinishHeaderChange();

  WorkbenchUi& ui_;
  WorkbenchObserver& observer_;
};

}  // namespace keltor
