#pragma once
// The list text window's arithmetic, apart from any window: which lines fit, when the scroll bars
// show, where a scroll request lands and how much of the window must be painted again. The window
// keeps no text; it asks its owner for each line it paints.
#include <optional>

namespace keltor {

// A scroll bar in the classic model: positions minimum..maximum - page + 1.
struct ScrollBarState {
  int minimum = 0, maximum = 0, page = 0, position = 0;
  bool visible = false;
  int LastPosition() const;  // the largest position the page still fits
};

enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, ThumbTrack, ThumbPosition, EndScroll };

// A thumb position arrives in 16 bits; the vertical bar widens it to the full position nearest the
// current one, so that lists of more than 65536 lines can still be dragged through.
int WidenThumbPosition(int current, int thumb16);

// What a scroll did to the window.
struct ScrollEffect {
  int oldPosition = 0, newPosition = 0;
  // Vertical moves shorter than a window: shift the painted text by this many pixels (positive moves
  // it down) and paint only the uncovered lines. Otherwise the whole window is painted again.
  std::optional<int> shiftPixels;
};

class ListTextScroll {
 public:
  static constexpr int kDefaultMaxLineLength = 128;
  static constexpr int kDefaultPointSize = 8;
  static constexpr int kMinimumBufferLength = 256;

  // New content: both ranges set, both positions 0, the font to be measured again.
  void SetContent(int lineCount, int pointSize, int maxLineLength);
  // The measured font: pixels per line and the average character width.
  void SetCharacterSize(int lineHeight, double charWidth);
  // Fits the bars to a client area of the given size; call before painting.
  void Layout(int clientWidth, int clientHeight);

  std::optional<ScrollEffect> ScrollVertical(ScrollRequest request, int thumb = 0);
  std::optional<ScrollEffect> ScrollHorizontal(ScrollRequest request, int thumb = 0);

  // The lines to paint: from the vertical position up to one partly visible line below the window.
  int FirstPaintedLine() const { return vertical_.position; }
  int EndPaintedLine() const;  // one past the last
  // Where line index is written, relative to the client's top left corner.
  int LineX() const;
  int LineY(int index) const { return (index - vertical_.position) * lineHeight_; }

  bool NeedsFont() const { return lineHeight_ == 0; }
  int LineCount() const { return lineCount_; }
  int MaxLineLength() const { return maxLineLength_; }
  int PointSize() const { return pointSize_; }
  int BufferLength() const;
  int LineHeight() const { return lineHeight_; }
  double CharWidth() const { return charWidth_; }
  int VisibleLines() const { return visibleLines_; }
  int VisibleColumns() const { return visibleColumns_; }
  const ScrollBarState& Vertical() const { return vertical_; }
  const ScrollBarState& Horizontal() const { return horizontal_; }

 private:
  std::optional<ScrollEffect> Scroll(ScrollBarState& bar, ScrollRequest request, int thumb, bool vertical);

  int lineCount_ = 0;
  int maxLineLength_ = kDefaultMaxLineLength;
  int pointSize_ = kDefaultPointSize;
  double charWidth_ = 0;
  int lineHeight_ = 0;
  int visibleLines_ = 0;
  int visibleColumns_ = 0;
  ScrollBarState vertical_, horizontal_;
};

}  // namespace keltor
