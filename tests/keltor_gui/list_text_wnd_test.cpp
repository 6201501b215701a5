// The list text window asks its owner for exactly the lines it shows and scrolls as the suite's
// windows scroll.
#include "keltor/gui/list_text_wnd.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <cstring>

namespace keltor {
namespace {

struct FakeOwner : ListTextOwner {
  std::vector<std::string> lines;
  std::vector<int> requested;
  std::vector<int> notifications;
  int OnListLineRequest(int index, std::span<char> buffer) override {
    requested.push_back(index);
    const std::string line = lines.at(static_cast<size_t>(index)).substr(0, buffer.size() - 1);
    std::memcpy(buffer.data(), line.c_str(), line.size() + 1);
    return static_cast<int>(line.size());
  }
  void OnListWindowNotify(int command, int notifyId) override {
    EXPECT_EQ(notifyId, 101);
    notifications.push_back(command);
  }
};

class ListWindowTest : public ::testing::Test {
 protected:
  void Open(int lineCount) {
    for (int i = 0; i < lineCount; ++i) owner.lines.push_back(" line " + std::to_string(i));
    wnd = CListTextWnd::Create(owner, nullptr, "demo.raw", 101, QIcon(), QRect(50, 50, 400, 300));
    wnd->SetContent(lineCount, 9, 90);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wnd));
  }
  // Makes the client exactly n lines high.
  void FitLines(int n) {
    const int extra = wnd->height() - wnd->viewport()->height();
    wnd->resize(wnd->width(), n * wnd->Scroll().LineHeight() + extra + 2);
    QApplication::processEvents();
    ASSERT_EQ(wnd->Scroll().VisibleLines(), n);
  }
  void Paint() {
    owner.requested.clear();
    wnd->viewport()->repaint();
  }
  void TearDown() override { delete wnd.data(); }
  FakeOwner owner;
  QPointer<CListTextWnd> wnd;
};

TEST_F(ListWindowTest, KeysScrollByFourFifthsOfAPageAndStopAtTheEnd) {
  Open(40);
  FitLines(20);
  EXPECT_EQ(wnd->verticalScrollBar()->pageStep(), 20);
  Paint();
  EXPECT_EQ(owner.requested.front(), 0);
  EXPECT_EQ(owner.requested.size(), 21u);  // twenty whole lines and the partly visible one below

  QTest::keyClick(wnd, Qt::Key_PageDown);
  EXPECT_EQ(wnd->verticalScrollBar()->value(), 16);
  wnd->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);  // the bar's own page
  EXPECT_EQ(wnd->Scroll().Vertical().position, 20);

  wnd->resize(900, 900);  // the bars go once everything fits
  QApplication::processEvents();
  EXPECT_FALSE(wnd->verticalScrollBar()->isVisible() || wnd->horizontalScrollBar()->isVisible());
}

TEST_F(ListWindowTest, AnEmptyListPaintsNothingAndTellsItsOwnerWhenMinimisedAndClosed) {
  Open(0);
  Paint();
  EXPECT_TRUE(owner.requested.empty());
  wnd->showMinimized();
  QApplication::processEvents();
  wnd->close();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(wnd.isNull());  // it deleted itself
  ASSERT_FALSE(owner.notifications.empty());
  EXPECT_EQ(owner.notifications.back(), kListWindowClosed);
  EXPECT_TRUE(std::ranges::count(owner.notifications, kListWindowMinimized));
}

}  // namespace
}  // namespace keltor
