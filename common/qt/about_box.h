#pragma once
// The About box both programs show: the program's icon, its name and its version line, and OK.
class QDialog;
class QString;

namespace km {

void LayOutAboutBox(QDialog* dialog, const QString& title, const QString& programLine, const QString& versionLine);

}  // namespace km
