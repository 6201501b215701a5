#pragma once
// The workbench's menu command ids. Commands keep their numeric ids, so a menu item, a toolbar button,
// a test or the command line can name a command by its number.

namespace keltor {

namespace cmd {
inline constexpr int FileOpen = 57601;
inline constexpr int FileSaveAs = 32792;
inline constexpr int SaveListFile = 32794;
inline constexpr int PrintListFile = 32795;
inline constexpr int Export = 32802;
inline constexpr int Import = 32804;
inline constexpr int Merge = 32803;
inline constexpr int RecentFileFirst = 32700;
inline constexpr int RecentFileLast = 32707;
inline constexpr int AppExit = 57665;
inline constexpr int ViewFullFile = 32791;
inline constexpr int ViewListFile = 32779;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int Title = 32774;
inline constexpr int Wavelength = 32775;
inline constexpr int Generator = 32776;
inline constexpr int TruncateRange = 32799;
inline constexpr int AddRanges = 32805;
inline constexpr int CombineRange = 32780;
inline constexpr int DeleteRange = 32783;
inline constexpr int ExtractRange = 32798;
inline constexpr int NormalizedIntensities = 32806;
inline constexpr int AddFile = 32788;
inline constexpr int SubtractFile = 32789;
inline constexpr int DivideFile = 32790;
inline constexpr int AbsorptionCorrection = 32785;
inline constexpr int AngleCorrection = 32787;
inline constexpr int Alpha2Stripping = 32786;
inline constexpr int AddPoints = 32778;
inline constexpr int AppAbout = 57664;
inline constexpr int FilePrintSetup = 57606;
}  // namespace cmd

}  // namespace keltor
