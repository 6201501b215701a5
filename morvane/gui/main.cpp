// morvane: the 3D viewer. Started by the suite as "morvane /U<user> [/1|/2] [master file]".
#include <QApplication>

#include "common/core/program_help.h"
#include "common/core/start_command_line.h"
#include "common/qt/quit_on_signals.h"
#include "morvane/gui/morvane_help.h"
#include "morvane/gui/morvane_app.h"

int main(int argc, char** argv) {
  if (km::AnswerHelpRequest(argc, argv, morvane::kProgramName, morvane::kHelp)) return 0;
  QApplication app(argc, argv);  // takes the toolkit's own options out of argv
  QApplication::setApplicationName(morvane::kProgramName);
  QApplication::setOrganizationName("ORVE");
  km::QuitOnSignals(app);

  morvane::CMorvaneApp morvaneApp;
  if (!morvaneApp.InitInstance(km::JoinArguments(argc, argv))) return 1;
  const int result = QApplication::exec();
  morvaneApp.ExitInstance();
  return result;
}
