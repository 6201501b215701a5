#pragma once
// The viewer's menu and toolbar commands by their numeric ids. A QAction carries its id, so tests
// can run a command as the menu would.
namespace morvane::cmd {

// The framework's standard commands.
inline constexpr int FileOpen = 57601;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int HelpTopics = 57667;
inline constexpr int ViewToolBar = 59392;
inline constexpr int ViewStatusBar = 59393;

// The recent master files of the File menu ("Open this file").
inline constexpr int RecentFirst = 32700;
inline constexpr int RecentLast = 32707;

// The viewer's own.
inline constexpr int LoadGraphic = 32771;
inline constexpr int SaveGraphic = 32772;
inline constexpr int SaveMetafile = 32773;
inline constexpr int CubeMode = 32774;
inline constexpr int ZoomX = 32775;
inline constexpr int ZoomY = 32776;
inline constexpr int ZoomZ = 32777;
inline constexpr int ViewWhole = 32778;
inline constexpr int Centre = 32779;
inline constexpr int DefaultCube = 32780;
inline constexpr int TopView = 32781;
inline constexpr int Recolour = 32782;
inline constexpr int InvertZ = 32783;
inline constexpr int Linear = 32784;
inline constexpr int Sqrt = 32785;
inline constexpr int Log = 32786;
inline constexpr int OptionsColour = 32787;
inline constexpr int OptionsFont = 32788;
inline constexpr int OptionsLabels = 32789;
inline constexpr int OptionsScaling = 32790;
inline constexpr int OptionsTitle = 32791;
inline constexpr int ViewDiagrams = 32792;

}  // namespace morvane::cmd
