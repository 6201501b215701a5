#include "keltor/gui/list_text_wnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <cmath>

#include "common/qt/qt_text.h"

namespace keltor {

CListTextWnd* CListTextWnd::Create(ListTextOwner& owner, QWidget* ownerWindow, const QString& title, int notifyId,
                                   const QIcon& icon, std::optional<QRect> rect) {
  auto* wnd = new CListTextWnd(owner, notifyId);
  wnd->setWindowTitle(title);
  wnd->setWindowIcon(icon);
  if (!rect && ownerWindow) {
    const QRect o = ownerWindow->frameGeometry();
    QRect r(o.left() + o.width() / 6, o.top() + o.height() / 6, o.width(), o.height());
    const QScreen* screen = ownerWindow->screen() ? ownerWindow->screen() : QGuiApplication::primaryScreen();
    if (screen) {
      const QRect area = screen->availableGeometry();
      if (r.right() > area.right()) r.setRight(area.right());
      if (r.bottom() > area.bottom()) r.setBottom(area.bottom());
    }
    rect = r;
  }
  if (rect) wnd->setGeometry(*rect);
  wnd->show();
  return wnd;
}

CListTextWnd::CListTextWnd(ListTextOwner& owner, int notifyId) : QAbstractScrollArea(nullptr), owner_(owner), notifyId_(notifyId) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  lineBuffer_.resize(static_cast<size_t>(scroll_.BufferLength()));

  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { OnScrollAction(true, a); });
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { OnScrollAction(false, a); });
}

void CListTextWnd::SetContent(int lineCount, int pointSize, int maxLineLength) {
  scroll_.SetContent(lineCount, pointSize, maxLineLength);
  lineBuffer_.assign(static_cast<size_t>(scroll_.BufferLength()), '\0');
  font_.reset();
  // Both bars go until the layout finds them needed.
  syncingBars_ = true;
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  syncingBars_ = false;
  UpdateBars();
  viewport()->update();
}

void CListTextWnd::EnsureFont() {
  if (font_) return;
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setWeight(QFont::Normal);
  // Points to pixels with the device's vertical resolution, rounded as a multiply-divide rounds.
  const int dpi = viewport()->logicalDpiY();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(scroll_.PointSize() * dpi / 72.0))));
  font_ = font;
  const QFontMetrics metrics(font, viewport());
  scroll_.SetCharacterSize(metrics.height(), metrics.horizontalAdvance(QString(20, QChar('W'))) * 0.05);
}

void CListTextWnd::UpdateBars() {
  // Showing or hiding a bar resizes the viewport, which lays the bars out again; that nested layout
  // is run after this one instead. Bars are only added as room shrinks, so this settles.
  if (layingOut_) {
    layoutAgain_ = true;
    return;
  }
  layingOut_ = true;
  do {
    layoutAgain_ = false;
    LayoutOnce();
  } while (layoutAgain_);
  layingOut_ = false;
  viewport()->update();
}

void CListTextWnd::LayoutOnce() {
  EnsureFont();
  scroll_.Layout(viewport()->width(), viewport()->height());
  syncingBars_ = true;
  const auto sync = [this](QScrollBar* bar, const ScrollBarState& state, bool vertical) {
    if (vertical)
      setVerticalScrollBarPolicy(state.visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    else
      setHorizontalScrollBarPolicy(state.visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    bar->setRange(state.minimum, state.LastPosition());
    bar->setPageStep(std::max(state.page, 1));
    bar->setValue(state.position);
    bar->setEnabled(state.visible && state.LastPosition() > state.minimum);
  };
  sync(verticalScrollBar(), scroll_.Vertical(), true);
  sync(horizontalScrollBar(), scroll_.Horizontal(), false);
  syncingBars_ = false;
}

void CListTextWnd::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateBars();
}

void CListTextWnd::paintEvent(QPaintEvent* event) {
  if (scroll_.LineCount() == 0 || lineBuffer_.empty()) return;
  EnsureFont();
  QPainter painter(viewport());
  painter.setFont(*font_);
  painter.setPen(palette().color(QPalette::Text));
  const int ascent = QFontMetrics(*font_, viewport()).ascent();
  const int height = scroll_.LineHeight();
  const QRect dirty = event->rect();
  for (int i = scroll_.FirstPaintedLine(); i < scroll_.EndPaintedLine(); ++i) {
    const int y = scroll_.LineY(i);
    if (y + height <= dirty.top() || y > dirty.bottom()) continue;  // uncovered lines only
    lineBuffer_[0] = '\0';
    const int length = owner_.OnListLineRequest(i, lineBuffer_);
    ++linesRequested_;
    const int n = std::clamp(length, 0, static_cast<int>(lineBuffer_.size()) - 1);
    painter.drawText(scroll_.LineX(), y + ascent, km::FromCp1252(std::string_view(lineBuffer_.data(), static_cast<size_t>(n))));
  }
}

namespace {

std::optional<ScrollRequest> RequestFor(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollRequest::LineUp;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollRequest::LineDown;
    case QAbstractSlider::SliderPageStepSub: return ScrollRequest::PageUp;
    case QAbstractSlider::SliderPageStepAdd: return ScrollRequest::PageDown;
    case QAbstractSlider::SliderToMinimum: return ScrollRequest::Top;
    case QAbstractSlider::SliderToMaximum: return ScrollRequest::Bottom;
    case QAbstractSlider::SliderMove: return ScrollRequest::ThumbTrack;
    default: return std::nullopt;
  }
}

}  // namespace

void CListTextWnd::OnScrollAction(bool vertical, int action) {
  QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
  const std::optional<ScrollRequest> request = RequestFor(action);
  if (!request) return;
  const int before = vertical ? scroll_.Vertical().position : scroll_.Horizontal().position;
  pending_ = vertical ? scroll_.ScrollVertical(*request, bar->sliderPosition())
                      : scroll_.ScrollHorizontal(*request, bar->sliderPosition());
  pendingVertical_ = vertical;
  // The bar moves where the window's own arithmetic says, not where the toolkit would put it.
  bar->setSliderPosition(pending_ ? pending_->newPosition : before);
}

void CListTextWnd::Apply(bool vertical, ScrollRequest request, int thumb) {
  pending_ = vertical ? scroll_.ScrollVertical(request, thumb) : scroll_.ScrollHorizontal(request, thumb);
  pendingVertical_ = vertical;
  if (!pending_) return;
  QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
  bar->setValue(pending_->newPosition);  // repaints through scrollContentsBy
}

void CListTextWnd::scrollContentsBy(int, int) {
  if (syncingBars_) return;
  if (pending_ && pendingVertical_ && pending_->shiftPixels)
    viewport()->scroll(0, *pending_->shiftPixels);
  else
    viewport()->update();
  pending_.reset();
}

void CListTextWnd::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp: Apply(true, ScrollRequest::PageUp, 0); break;
    case Qt::Key_PageDown: Apply(true, ScrollRequest::PageDown, 0); break;
    case Qt::Key_Home: Apply(true, ScrollRequest::Top, 0); break;
    case Qt::Key_End: Apply(true, ScrollRequest::Bottom, 0); break;
    case Qt::Key_Up: Apply(true, ScrollRequest::LineUp, 0); break;
    case Qt::Key_Down: Apply(true, ScrollRequest::LineDown, 0); break;
    case Qt::Key_Left: Apply(false, ScrollRequest::LineUp, 0); break;
    case Qt::Key_Right: Apply(false, ScrollRequest::LineDown, 0); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
  }
  event->accept();
}

void CListTextWnd::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  isMinimized_ = isMinimized();
  if (isMinimized_) owner_.OnListWindowNotify(kListWindowMinimized, notifyId_);
}

void CListTextWnd::closeEvent(QCloseEvent* event) {
  if (!closeNotified_) {
    closeNotified_ = true;
    owner_.OnListWindowNotify(kListWindowClosed, notifyId_);
  }
  event->accept();
}

}  // namespace keltor
