#include "morvane/gui/printing.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <algorithm>

#include "common/qt/qpainter_canvas.h"
#include "morvane/core/draw.h"
#include "morvane/core/file_set.h"
#include "morvane/core/ranges.h"

namespace morvane {

float ViewerPrinting::PageScale(int pageWidth, int pageHeight, int clientWidth, int clientHeight) {
  if (clientWidth <= 0 || clientHeight <= 0) return 1.0f;
  return std::min(static_cast<float>(pageWidth) / static_cast<float>(clientWidth),
                  static_cast<float>(pageHeight) / static_cast<float>(clientHeight));
}

QPrinter& ViewerPrinting::Printer(bool forPrinting) {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(QPageLayout::Landscape);
  }
  if (forPrinting && !defaultChecked_) {
    defaultChecked_ = true;
    if (QPrinterInfo::defaultPrinter().isNull()) ShowErrorBox(sink_, "No default printer.");
  }
  return *printer_;
}

bool ViewerPrinting::PrintTo(QPrinter& printer) {
  if (state_.Busy || state_.NumDiagrams == 0) return false;
  const int cw = std::max(view_.width(), 1), ch = std::max(view_.height(), 1);
  ViewState& view = view_.View();
  view.ClientWidth = cw;
  view.ClientHeight = ch;
  if (state_.RangesDirty) ResetRanges(state_, view, {0, 0, cw, ch});
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const float s = PageScale(page.width(), page.height(), cw, ch);
  view.Printing = true;
  {
    km::QPainterCanvas canvas(painter);
    Draw(canvas, state_, view, s);
  }
  view.Printing = false;
  return painter.end();
}

void ViewerPrinting::Print(QWidget* parent) {
  QPrinter& printer = Printer(true);
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName("PrintDialog");
  if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void ViewerPrinting::Preview(QWidget* parent) {
  QPrinter& printer = Printer(true);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setObjectName("PrintPreview");
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [this](QPrinter* p) { PrintTo(*p); });
  dialog.exec();
}

void ViewerPrinting::Setup(QWidget* parent) {
  QPageSetupDialog dialog(&Printer(false), parent);
  dialog.setObjectName("PrintSetup");
  dialog.exec();
}

}  // namespace morvane
