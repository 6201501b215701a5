#pragma once
// The workbench's menus, in their order: each item with its text, shortcut, command id and the
// status-bar text whose part after the line break is the tool tip. Commands keep their numeric ids.
#include <array>
#include <span>
#include <string_view>

#include "keltor/core/command_ids.h"

namespace keltor {


struct MenuItem {
  int id;  // 0: a separator; cmd::RecentFileFirst: where the recent files go
  std::string_view text;
  std::string_view shortcut;
  std::string_view statusText;  // "what it does\ntool tip"
};

struct Menu {
  std::string_view title;
  std::span<const MenuItem> items;
};

inline constexpr MenuItem kFileMenu[] = {
    {cmd::FileOpen, "&Open...\tCtrl+O", "Ctrl+O", "Open an existing raw data file\nOpen"},
    {cmd::FileSaveAs, "Save &As...", "", "Save the changed file under a new name\nSave As"},
    {cmd::SaveListFile, "Save &List File", "", "Save the list of the file as text\nSave List File"},
    {cmd::PrintListFile, "&Print List File", "", "Print the list of the file\nPrint List File"},
    {0, "", "", ""},
    {cmd::Export, "&Export", "", "Export data in various formats\nExport"},
    {cmd::Import, "&Import", "", "Import a foreign file\nImport"},
    {cmd::Merge, "&Merge", "", "Merge the ranges of several files into one\nMerge"},
    {0, "", "", ""},
    {cmd::RecentFileFirst, "Recent Files", "", "Open this file\nRecent File"},
    {0, "", "", ""},
    {cmd::AppExit, "E&xit", "", "Quit the workbench\nExit"},
};
inline constexpr MenuItem kViewMenu[] = {
    {cmd::ViewFullFile, "&Full File", "", "View full file or file header only\nView Full File"},
    {cmd::ViewListFile, "&List File", "", "Show or hide the list window\nView List File"},
    {cmd::ViewToolbar, "&Toolbar", "", "Show or hide the toolbar\nToggle ToolBar"},
    {cmd::ViewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle StatusBar"},
};
inline constexpr MenuItem kParametersMenu[] = {
    {cmd::Title, "&Title", "", "Edit the title\nTitle"},
    {cmd::Wavelength, "&Wavelength", "", "Edit the wavelength\nWavelength"},
    {cmd::Generator, "&Generator", "", "Edit the generator settings\nGenerator"},
};
inline constexpr MenuItem kRangesMenu[] = {
    {cmd::TruncateRange, "&Truncate Range", "", "Cut a range to new limits\nTruncate Range"},
    {cmd::AddRanges, "Add &Ranges", "", "Add ranges together\nAdd Ranges"},
    {cmd::CombineRange, "&Combine Range", "", "Combine two ranges into one\nCombine Range"},
    {cmd::DeleteRange, "&Delete Range", "", "Delete a range\nDelete Range"},
    {cmd::ExtractRange, "&Extract Range", "", "Extract a range into a file of its own\nExtract Range"},
    {cmd::NormalizedIntensities, "normalized Intensities", "", "Normalise the intensities\nNormalize"},
    {cmd::AddFile, "&Add File", "", "Add another file's intensities\nAdd File"},
    {cmd::SubtractFile, "&Subtract File", "", "Subtract another file's intensities\nSubtract File"},
    {cmd::DivideFile, "&Divide File", "", "Divide by another file's intensities\nDivide File"},
};
inline constexpr MenuItem kOperationsMenu[] = {
    {cmd::AbsorptionCorrection, "A&bsorption Correction", "", "Correct for absorption\nAbsorption Correction"},
    {cmd::AngleCorrection, "Angle &Correction", "", "Correct the angles\nAngle Correction"},
    {cmd::Alpha2Stripping, "Alpha&2 Stripping", "", "Strip the Alpha2 contribution\nAlpha2 Stripping"},
    {cmd::AddPoints, "&Add Points", "", "Add neighbouring points together\nAdd Points"},
};
inline constexpr MenuItem kHelpMenu[] = {
    {cmd::AppAbout, "&About Keltor...", "", "Display program information and version\nAbout"},
};

inline constexpr std::array<Menu, 6> kMenus = {{
    {"&File", kFileMenu},
    {"&View", kViewMenu},
    {"&Parameters", kParametersMenu},
    {"&Ranges", kRangesMenu},
    {"&Operations", kOperationsMenu},
    {"&Help", kHelpMenu},
}};

// The toolbar's buttons (0: a gap).
inline constexpr int kToolbarCommands[] = {cmd::FileOpen,     cmd::FileSaveAs,   cmd::SaveListFile,
                                           cmd::PrintListFile, 0,               cmd::ViewListFile,
                                           cmd::ViewFullFile, 0,               cmd::AppAbout};

}  // namespace keltor
