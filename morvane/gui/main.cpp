// morvane: the 3D viewer. Started by the suite as "morvane /U<user> [/1|/2] [master file]".
#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "common/core/program_help.h"
#include "common/core/start_command_line.h"
#include "morvane/gui/morvane_help.h"
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

}  // namespace

int main(int argc, char** argv) {
  if (km::AnswerHelpRequest(argc, argv, "morvane", morvane::kHelp)) return 0;
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
