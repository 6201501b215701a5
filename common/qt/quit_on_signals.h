#pragma once
// A request to end (SIGTERM, SIGINT, SIGHUP) closes the desktop programs the ordinary way, so that the
// profile section is stored and no working copy stays behind.
class QApplication;

namespace km {

// Call once, after the application object exists.
void QuitOnSignals(QApplication& app);

}  // namespace km
