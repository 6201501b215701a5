// morvane-cli: the 3D viewer's pictures and status files from a shell. Usage errors exit 2, refusals
// and failures exit 1 after their message on standard error, success exits 0. Input files are never
// changed.
#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <cstdio>

#include "common/core/messages.h"
#include "morvane/cli/commands.h"

namespace morvane::cli {

void CliMessageSink::ShowCaptioned(std::string_view, std::string_view text) {
  ++boxes_;
  std::fprintf(stderr, "error: %s\n", km::MessageAsOneLine(text).c_str());
}

}  // namespace morvane::cli

// Standard error carries the tool's own messages; Qt's notes about the headless session (no runtime
// directory and the like) are dropped, its critical errors kept.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "error: %s\n", text.toLocal8Bit().constData());
}

int main(int argc, char** argv) {
  // Drawing needs fonts and a paint engine, not a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtMessages);
  QGuiApplication qt(argc, argv);

  CLI::App app{"morvane-cli: the 3D viewer from a shell"};
  app.require_subcommand(1);
  int exitCode = 0;
  morvane::cli::AddRenderCommand(app, exitCode);
  morvane::cli::AddStatusCommand(app, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  return exitCode;
}
