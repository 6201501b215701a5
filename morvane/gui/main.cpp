// morvane: the 3D viewer. Started by the suite as "morvane /U<user> [/1|/2] [master file]".
#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

#include "common/core/start_command_line.h"
#include "morvane/gui/morvane_app.h"

namespace {

// A request to end (SIGTERM, SIGINT, SIGHUP) closes the program the ordinary way, so that the
// profile section is stored.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void QuitOnSignals(QApplication& app) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
    notifier->setEnabled(false);
    char byte;
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
    QApplication::closeAllWindows();
    QApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
}

constexpr const char* kUsage =
    "Usage: morvane [/U<user>] [/1|/2] [MASTER.raw]\n"
    "The 3D viewer: a series of raw data files drawn as one waterfall or top-view colour map.\n"
    "\n"
    "  /U<user>     start for the user whose profile is USERS/<user>.USR in the program directory;\n"
    "               its viewer section keeps colours, cube, font and recent master files\n"
    "  /1, /2       start mode (accepted, not used)\n"
    "  MASTER.raw   a master file whose related files (MASTER.001, ...) are opened at start\n"
    "\n"
    "The program directory comes from the settings (organisation ORVE, General/Directory);\n"
    "the environment variable KM_PROGRAM_DIRECTORY overrides it.\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  QApplication app(argc, argv);  // takes the toolkit's own options out of argv
  QApplication::setApplicationName(morvane::kProgramName);
  QApplication::setOrganizationName("ORVE");
  QuitOnSignals(app);

  morvane::CMorvaneApp morvaneApp;
  if (!morvaneApp.InitInstance(km::JoinArguments(argc, argv))) return 1;
  const int result = QApplication::exec();
  morvaneApp.ExitInstance();
  return result;
}
