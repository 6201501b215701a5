#pragma once
// Printing the picture: one landscape page, the picture scaled to fit the printable area as a whole,
// drawn by the same routine as the window. Print, Print Preview and Print Setup share one printer.
#include <QPrinter>
#include <memory>

#include "common/core/messages.h"
#include "morvane/core/viewer_state.h"
#include "morvane/gui/morvane_view.h"

namespace morvane {

class ViewerPrinting {
 public:
  ViewerPrinting(ViewerState& state, CMorvaneView& view, km::MessageSink& sink)
      : state_(state), view_(view), sink_(sink) {}

  // The printer; the first print or preview asks for the default printer and tells when there is none.
  QPrinter& Printer(bool forPrinting);
  // Draws the page; false when nothing could be drawn (no set, or the device refused).
  bool PrintTo(QPrinter& printer);
  // The scale of the picture on a page: the smaller of the page's and the client's width and height ratios.
  static float PageScale(int pageWidth, int pageHeight, int clientWidth, int clientHeight);

  void Print(QWidget* parent);
  void Preview(QWidget* parent);
  void Setup(QWidget* parent);

 private:
  ViewerState& state_;
  CMorvaneView& view_;
  km::MessageSink& sink_;
  std::unique_ptr<QPrinter> printer_;
  bool defaultChecked_ = false;
};

}  // namespace morvane
