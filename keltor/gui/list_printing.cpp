#include "keltor/gui/list_printing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>

#include "common/core/file_access.h"
#include "common/qt/qt_text.h"

namespace keltor {

bool PrintLines(QPrinter& printer, const std::vector<std::string>& lines, const QString& title) {
  printer.setDocName(title);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QFont font(QStringLiteral("Courier New"), 9);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  painter.setFont(font);
  const QFontMetrics metrics(font, &printer);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const int lineHeight = std::max(1, metrics.lineSpacing());
  const int perPage = std::max(1, page.height() / lineHeight);
  int row = 0;
  for (const std::string& line : lines) {
    if (row == perPage) {
      if (!printer.newPage()) return false;
      row = 0;
    }
    painter.drawText(0, row * lineHeight + metrics.ascent(), km::FromCp1252(line));
    ++row;
  }
  return painter.end();
}

bool PrintLinesWithDialog(QWidget* parent, const std::vector<std::string>& lines, const QString& title) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName("KmPrintDialog");
  dialog.setWindowTitle(title);
  if (dialog.exec() != QDialog::Accepted) return false;
  return PrintLines(printer, lines, title);
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
  const std::optional<std::string> text = km::ReadWholeFile(path, 64u << 20);
  if (!text) return std::nullopt;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    std::string line = text->substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace keltor
