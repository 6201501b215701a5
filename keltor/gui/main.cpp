// keltor: the raw data workbench. Started by the suite as "keltor /U<user> [/1|/2] [file]".
#include <QApplication>

#include "common/core/program_help.h"
#include "common/core/start_command_line.h"
#include "common/qt/quit_on_signals.h"
#include "keltor/gui/keltor_app.h"

namespace {

constexpr const char* kHelp =
    "Usage: keltor [/U<user>] [/1|/2] [FILE]\n"
    "The raw data workbench for X-ray powder diffraction: opens one raw data file, lists and plots its\n"
    "ranges, edits a working copy of it, and exports and imports foreign formats.\n"
    "\n"
    "Options:\n"
    "  /U<user>, /U \"<user>\"   start for the user whose profile is USERS/<user>.USR in the program directory\n"
    "  /1, /2                  start mode of the instrument suite (accepted, without effect)\n"
    "  FILE                    the raw data file to open\n"
    "  -h, --help              print this help and exit\n"
    "  --version               print the version and exit\n"
    "\n"
    "Program directory:\n"
    "  The folder holding PROGRAMS (tables such as CYLABS.DAT) and USERS (the user profiles) is named by\n"
    "  the environment variable KM_PROGRAM_DIRECTORY, else by the settings (Directory= in the group\n"
    "  [%General] of ~/.config/ORVE/keltor.conf). With neither, the program makes\n"
    "  ~/.local/share/keltor-morvane (below $XDG_DATA_HOME when set) on first start, fills it from the\n"
    "  installed data, stores it in the settings and, started without /U, starts for the login user with\n"
    "  a profile of its own there.\n"
    "\n"
    "Environment:\n"
    "  KM_PROGRAM_DIRECTORY    the program directory, before the settings\n"
    "  KM_DATA_DIRECTORY       the installed data (demo files, PROGRAMS) in another place\n";

}  // namespace

int main(int argc, char** argv) {
  if (km::AnswerHelpRequest(argc, argv, keltor::kProgramName, kHelp)) return 0;
  QApplication app(argc, argv);  // takes the toolkit's own options out of argv
  QApplication::setApplicationName(keltor::kProgramName);
  QApplication::setOrganizationName("ORVE");
  km::QuitOnSignals(app);

  keltor::CKeltorApp keltorApp;
  if (!keltorApp.InitInstance(km::JoinArguments(argc, argv))) return 1;
  const int result = QApplication::exec();
  keltorApp.ExitInstance();
  return result;
}
