#include "keltor/core/list_text_scroll.h"

#include <gtest/gtest.h>

namespace keltor {
namespace {

// 10 pixels per line, 8 per character.
ListTextScroll Window(int lines, int visibleLines, int columns = 90) {
  ListTextScroll s;
  s.SetContent(lines, 9, 90);
  s.SetCharacterSize(10, 8.0);
  s.Layout(columns * 8, visibleLines * 10 + 5);
  return s;
}

// Pages of four fifths, the end, the painted lines and bars that go when the text fits are checked
// through the list window; here the ends and a hidden bar.
TEST(ListTextScroll, NoMovePastTheEndsOrWithAHiddenBar) {
  ListTextScroll s = Window(40, 20);
  s.ScrollVertical(ScrollRequest::Bottom);
  EXPECT_FALSE(s.ScrollVertical(ScrollRequest::LineDown));
  s.ScrollVertical(ScrollRequest::PageUp);
  EXPECT_EQ(s.Vertical().position, 4);
  s.ScrollVertical(ScrollRequest::Top);
  EXPECT_FALSE(s.ScrollVertical(ScrollRequest::LineUp));

  s.Layout(90 * 8, 50 * 10);
  EXPECT_FALSE(s.ScrollVertical(ScrollRequest::PageDown));
  s.Layout(40 * 8, 5 * 10);  // narrower: the horizontal bar comes back
  s.ScrollHorizontal(ScrollRequest::Bottom);
  EXPECT_EQ(s.LineX(), -400);  // 50 characters
}

// Short moves shift the painted text: checked through the list window.
TEST(ListTextScroll, AMoveOfAWholeWindowRepaintsAll) {
  ListTextScroll s = Window(100, 20);
  const std::optional<ScrollEffect> e = s.ScrollVertical(ScrollRequest::ThumbPosition, 60);
  ASSERT_TRUE(e);
  EXPECT_FALSE(e->shiftPixels);
}

TEST(ListTextScroll, TheDraggedThumbWidensToThePositionNearestTheCurrent) {
  EXPECT_EQ(WidenThumbPosition(70000, 70010 & 0xFFFF), 70010);
  EXPECT_EQ(WidenThumbPosition(65540, 65530), 65530);  // just below a 65536 boundary
  EXPECT_EQ(WidenThumbPosition(65530, 4), 65540);      // just above it

  ListTextScroll s = Window(200000, 20);
  s.ScrollVertical(ScrollRequest::ThumbPosition, 70000 & 0xFFFF);  // from 0 the low bits alone
  EXPECT_EQ(s.Vertical().position, 70000 - 65536);
  s.ScrollVertical(ScrollRequest::ThumbTrack, 100000);  // the window passes what it has
  s.ScrollVertical(ScrollRequest::ThumbTrack, 130000);
  EXPECT_EQ(s.Vertical().position, 130000 - 65536);
}

TEST(ListTextScroll, NewContentStartsAtTheTopAndNeedsTheFontAgain) {
  ListTextScroll s = Window(100, 20);
  s.ScrollVertical(ScrollRequest::Bottom);
  s.SetContent(50, 9, 300);  // longer lines: a buffer that holds them
  EXPECT_TRUE(s.NeedsFont());
  EXPECT_EQ(s.Vertical().position, 0);
  EXPECT_EQ(s.BufferLength(), 300);
}

}  // namespace
}  // namespace keltor
