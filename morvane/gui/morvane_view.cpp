#include "morvane/gui/morvane_view.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <optional>

#include "common/qt/qpainter_canvas.h"
#include "morvane/core/axes.h"
#include "morvane/core/drag_preview.h"
#include "morvane/core/draw.h"
#include "morvane/gui/menu_commands.h"

namespace morvane {
namespace {

constexpr km::Rgb kEdgePen{200, 200, 255};
constexpr km::Rgb kFacePen{0, 0, 255};
constexpr km::Rgb kHandlePen{255, 0, 255};

}  // namespace

CMorvaneView::CMorvaneView(ViewerState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName("MorvaneView");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(1, 1);
}

void CMorvaneView::OnNewSet() {
  edit_.Zoom = ZoomKind::None;
  edit_.HandleHit = {};
  edit_.ButtonDown = false;
  view_.CubeMode = false;
  edit_.LayoutWidth = edit_.LayoutHeight = 0;
}

void CMorvaneView::OnFacesChanged() {
  edit_.HandlePoints = ComputeHandles(state_.Front, state_.Back);
  edit_.LayoutWidth = width();
  edit_.LayoutHeight = height();
}

void CMorvaneView::Redraw() { repaint(); }

void CMorvaneView::RenderPicture() {
  const int w = width(), h = height();
  const bool resized = picture_.size() != size();
  // While a set is being loaded (an open dialog is up) the last picture stays on the screen.
  if ((state_.Busy || state_.NumDiagrams == 0) && !resized && !picture_.isNull()) return;
  if (resized) picture_ = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  const Rgb back = state_.BackColor;
  picture_.fill(QColor(back.r, back.g, back.b));
  // A window too small to hold a picture shows the background only.
  if (w < kSmallestClient || h < kSmallestClient) return;
  bool drawn = false;
  QElapsedTimer clock;
  clock.start();
  {
    // While a face is dragged a large set is drawn thinned out, so that the picture keeps up with the
    // mouse; letting go of the button draws it whole again.
    const bool dragging = view_.CubeMode && edit_.ButtonDown;
    const int count = static_cast<int>(state_.Diagrams.size());
    std::optional<PreviewScope> preview;
    if (dragging && previewCount_ < count) preview.emplace(state_, previewCount_);
    view_.Draft = dragging;  // curves by their highest point in each pixel column
    QPainter painter(&picture_);
    km::QPainterCanvas canvas(painter);
    drawn = Paint(canvas, state_, view_, w, h);
    const int shown = preview ? preview->Drawn() : count;
    if (drawn) previewCount_ = PreviewDiagramCount(static_cast<double>(clock.nsecsElapsed()) / 1e6, shown,
                                                  kDragFrameBudgetMs, kFewestDragDiagrams, count);
    lastFrameThinned_ = preview.has_value();
    view_.Draft = false;
  }
  if (!drawn) return;
  if (edit_.LayoutWidth <= 0) {
    edit_.LayoutWidth = w;
    edit_.LayoutHeight = h;
  }
  edit_.HandlePoints = ComputeHandles(state_.Front, state_.Back);
  if (view_.CubeMode) DrawCubeOverlay(picture_);
  ++frames_;
}

// The faces, their connecting edges and the grab handles over the picture; a handle within reach of
// the mouse is filled.
void CMorvaneView::DrawCubeOverlay(QImage& image) {
  QPainter painter(&image);
  km::QPainterCanvas dc(painter);
  const Rect& F = state_.Front;
  const Rect& B = state_.Back;
  if (edit_.Zoom != ZoomKind::None) {
    // The cube the zoom started from, for orientation.
    dc.SetPen({kEdgePen, 1, true});
    dc.SetBrush(std::nullopt);
    dc.Rectangle(edit_.ZoomFront);
    dc.Rectangle(edit_.ZoomBack);
  }
  dc.SetPen({kEdgePen, 1, true});
  const std::pair<km::Point, km::Point> edges[] = {{{F.left, F.top}, {B.left, B.top}},
                                                   {{F.right, F.top}, {B.right, B.top}},
                                                   {{F.right, F.bottom}, {B.right, B.bottom}},
                                                   {{F.left, F.bottom}, {B.left, B.bottom}}};
  for (auto [a, b] : edges) {
    dc.MoveTo(a);
    dc.LineTo(b);
  }
  dc.SetBrush(std::nullopt);
  dc.SetPen({kFacePen, 3, true});
  dc.Rectangle(B);
  dc.SetPen({kHandlePen, 3, true});
  dc.Rectangle(F);
  for (int i = 0; i < kHandleCount; ++i) {
    const km::Point p = edit_.HandlePoints[i];
    const Rect r{p.x - 3, p.y - 3, p.x + 4, p.y + 4};
    dc.SetPen({kHandlePen, 1, true});
    if (edit_.HandleHit[i])
      dc.FillRect(r, kHandlePen);
    else
      dc.SetBrush(km::Rgb{255, 255, 255}), dc.Rectangle(r);
  }
}

void CMorvaneView::paintEvent(QPaintEvent*) {
  RenderPicture();
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void CMorvaneView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QWidget* top = window();
  if (view_.Printing || state_.NumDiagrams == 0 || (top && top->isMinimized())) return;
  ResizeCube(state_, edit_, width(), height());
}

void CMorvaneView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) edit_.ButtonDown = true;
  QWidget::mousePressEvent(event);
}

void CMorvaneView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    edit_.ButtonDown = false;
    if (view_.CubeMode) repaint();
  }
  QWidget::mouseReleaseEvent(event);
}

void CMorvaneView::mouseMoveEvent(QMouseEvent* event) {
  if (!view_.CubeMode) return;
  const km::Point mouse{event->position().toPoint().x(), event->position().toPoint().y()};
  const bool left = (event->buttons() & Qt::LeftButton) != 0;
  if (!left) {
    edit_.ButtonDown = false;
    if (UpdateHandleHits(edit_, mouse)) repaint();
    return;
  }
  if (!edit_.ButtonDown) return;
  // Every move redraws the whole picture with the faces where the mouse put them.
  if (DragHandles(state_, edit_, mouse)) repaint();
}

void CMorvaneView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(QStringLiteral("Graphic"), this);
  menu.setObjectName("GraphicMenu");
  QAction* invert = menu.addAction(QStringLiteral("Invert Z"));
  invert->setCheckable(true);
  invert->setChecked(state_.InvertZ);
  if (menu.exec(event->globalPos()) == invert && OnCommand) OnCommand(cmd::InvertZ);
}

}  // namespace morvane
