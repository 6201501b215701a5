#pragma once
// Printing the list where the suite's text viewer is not installed: the lines in a fixed-pitch font
// on landscape pages, through the platform's print dialog.
#include <QPrinter>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace keltor {

// Prints the lines (Windows-1252) page by page; false when the printer could not be started.
bool PrintLines(QPrinter& printer, const std::vector<std::string>& lines, const QString& title);

// The print dialog, landscape by default; prints on OK. False when cancelled or the printing failed.
bool PrintLinesWithDialog(QWidget* parent, const std::vector<std::string>& lines, const QString& title);

// The lines of a text file written before (CR LF or LF line ends); nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

}  // namespace keltor
