#pragma once
// The list text window: a top-level window with a fixed-pitch font and both scroll bars that keeps no
// text. It knows only how many lines there are and how long the longest may be, and asks its owner
// for each line it paints.
#include <QAbstractScrollArea>
#include <QFont>
#include <QIcon>
#include <optional>
#include <span>
#include <vector>

#include "keltor/core/list_text_scroll.h"

namespace keltor {

// The requests and notifications the window sends its owner, numbered as the suite's windows number them.
inline constexpr int kListLineRequest = 1025;
inline constexpr int kListWindowClosed = 32020;
inline constexpr int kListWindowMinimized = 32021;

class ListTextOwner {
 public:
  virtual ~ListTextOwner() = default;
  // Line request: copies line index (from 0) into buffer with a terminating zero, cut to what the
  // buffer holds, and returns its length in characters.
  virtual int OnListLineRequest(int index, std::span<char> buffer) = 0;
  // kListWindowClosed or kListWindowMinimized, with the window's notify id.
  virtual void OnListWindowNotify(int command, int notifyId) = 0;
};

class CListTextWnd : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // Without a rectangle the window takes the owner window's size, moved right and down by a sixth of
  // it, and kept on the screen. The window deletes itself when closed.
  static CListTextWnd* Create(ListTextOwner& owner, QWidget* ownerWindow, const QString& title, int notifyId,
                              const QIcon& icon, std::optional<QRect> rect = std::nullopt);

  void SetContent(int lineCount, int pointSize, int maxLineLength);

  bool IsMinimized() const { return isMinimized_; }
  const ListTextScroll& Scroll() const { return scroll_; }
  // Lines requested from the owner since the counter was last reset (tests look at what is painted).
  int LinesRequested() const { return linesRequested_; }
  void ResetLinesRequested() { linesRequested_ = 0; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  CListTextWnd(ListTextOwner& owner, int notifyId);
  void EnsureFont();
  void UpdateBars();
  void LayoutOnce();
  void OnScrollAction(bool vertical, int action);
  void Apply(bool vertical, ScrollRequest request, int thumb);

  ListTextOwner& owner_;
  int notifyId_;
  bool isMinimized_ = false;
  bool closeNotified_ = false;
  ListTextScroll scroll_;
  std::optional<QFont> font_;
  std::vector<char> lineBuffer_;
  std::optional<ScrollEffect> pending_;
  bool pendingVertical_ = false;
  bool syncingBars_ = false;
  bool layingOut_ = false, layoutAgain_ = false;
  int linesRequested_ = 0;
};

}  // namespace keltor
