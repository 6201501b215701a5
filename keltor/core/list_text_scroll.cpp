#include "keltor/core/list_text_scroll.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace keltor {

int ScrollBarState::LastPosition() const { return std::max(minimum, maximum - std::max(page, 1) + 1); }

int WidenThumbPosition(int current, int thumb16) {
  const int64_t near = (static_cast<int64_t>(current) - thumb16 + 32767) & ~int64_t{0xFFFF};
  return static_cast<int>(near + thumb16);
}

void ListTextScroll::SetContent(int lineCount, int pointSize, int maxLineLength) {
  lineCount_ = std::max(lineCount, 0);
  pointSize_ = pointSize;
  maxLineLength_ = std::max(maxLineLength, 1);
  vertical_ = {0, std::max(lineCount_ - 1, 0), vertical_.page, 0, false};
  horizontal_ = {0, maxLineLength_ - 1, horizontal_.page, 0, false};
  lineHeight_ = 0;
  charWidth_ = 0;
}

void ListTextScroll::SetCharacterSize(int lineHeight, double charWidth) {
  lineHeight_ = std::max(lineHeight, 1);
  charWidth_ = charWidth > 0 ? charWidth : 1;
}

void ListTextScroll::Layout(int clientWidth, int clientHeight) {
  if (lineHeight_ == 0) return;
  visibleLines_ = std::max(clientHeight, 0) / lineHeight_;
  visibleColumns_ = static_cast<int>(std::trunc(std::max(clientWidth, 0) / charWidth_ + 0.5));

  // A bar that is shown keeps its place even when it cannot scroll: it is disabled, not removed.
  const auto fit = [](ScrollBarState& bar, bool needed, int page) {
    bar.visible = needed;
    if (needed) {
      bar.page = page;
      bar.position = std::clamp(bar.position, bar.minimum, bar.LastPosition());
    } else {
      // Nothing to scroll: the page covers the whole range, so no request can move the text.
      bar.page = std::max(page, bar.maximum - bar.minimum + 1);
      bar.position = 0;
    }
  };
  fit(horizontal_, visibleColumns_ < maxLineLength_, visibleColumns_);
  fit(vertical_, lineCount_ > visibleLines_, visibleLines_);
}

int ListTextScroll::EndPaintedLine() const {
  return std::min(vertical_.position + visibleLines_ + 1, lineCount_);
}

int ListTextScroll::LineX() const { return -static_cast<int>(std::trunc(horizontal_.position * charWidth_ + 0.5)); }

int ListTextScroll::BufferLength() const { return std::max(maxLineLength_, kMinimumBufferLength); }

std::optional<ScrollEffect> ListTextScroll::ScrollVertical(ScrollRequest request, int thumb) {
  return Scroll(vertical_, request, thumb, true);
}

std::optional<ScrollEffect> ListTextScroll::ScrollHorizontal(ScrollRequest request, int thumb) {
  return Scroll(horizontal_, request, thumb, false);
}

std::optional<ScrollEffect> ListTextScroll::Scroll(ScrollBarState& bar, ScrollRequest request, int thumb,
                                                   bool vertical) {
  const int current = bar.position;
  const int fourFifths = (4 * bar.page + 4) / 5;
  int target = current;
  switch (request) {
    case ScrollRequest::LineUp: target = current - 1; break;
    case ScrollRequest::LineDown: target = current + 1; break;
    case ScrollRequest::PageUp: target = current - fourFifths; break;
    case ScrollRequest::PageDown: target = current + fourFifths; break;
    case ScrollRequest::Top: target = bar.minimum; break;
    case ScrollRequest::Bottom: target = bar.maximum; break;
    case ScrollRequest::ThumbTrack:
    case ScrollRequest::ThumbPosition: target = vertical ? WidenThumbPosition(current, thumb & 0xFFFF) : thumb; break;
    case ScrollRequest::EndScroll: return std::nullopt;
  }
  target = std::clamp(target, bar.minimum, bar.LastPosition());
  if (target == current) return std::nullopt;

  bar.position = target;
  ScrollEffect effect{current, target, std::nullopt};
  if (vertical && std::abs(current - target) < visibleLines_) effect.shiftPixels = lineHeight_ * (current - target);
  return effect;
}

}  // namespace keltor
