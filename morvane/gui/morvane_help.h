#pragma once
// What "morvane --help" prints (answered before the toolkit looks for a display; the manual page is
// made from it): main() starts with
//   if (km::AnswerHelpRequest(argc, argv, "morvane", morvane::kHelp)) return 0;
namespace morvane {

inline constexpr const char* kHelp =
    "Usage: morvane [/U<user>] [/1|/2] [FILE]\n"
    "The 3D viewer for X-ray powder diffraction: draws a series of scans (the files a master raw data file\n"
    "names, or a selection) as a waterfall or a top-view colour map, and saves the picture's state in a\n"
    "status file (.kzs).\n"
    "\n"
    "Options:\n"
    "  /U<user>, /U \"<user>\"   start for the user whose profile is USERS/<user>.USR in the program directory\n"
    "  /1, /2                  start mode of the instrument suite (accepted, without effect)\n"
    "  FILE                    a file to open\n"
    "  -h, --help              print this help and exit\n"
    "  --version               print the version and exit\n"
    "\n"
    "Program directory:\n"
    "  The folder holding USERS (the user profiles) and PROGRAMS is named by the environment variable\n"
    "  KM_PROGRAM_DIRECTORY, else by the settings (Directory= in the group [%General] of\n"
    "  ~/.config/ORVE/morvane.conf). With neither, the program makes ~/.local/share/keltor-morvane\n"
    "  (below $XDG_DATA_HOME when set) on first start, fills it from the installed data, stores it in the\n"
    "  settings and, started without /U, starts for the login user with a profile of its own there.\n"
    "\n"
    "Environment:\n"
    "  KM_PROGRAM_DIRECTORY    the program directory, before the settings\n"
    "  KM_DATA_DIRECTORY       the installed data (demo files, PROGRAMS) in another place\n";

}  // namespace morvane
