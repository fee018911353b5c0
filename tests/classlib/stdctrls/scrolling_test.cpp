// Scroll bars, scroll boxes and splitters.
#include <gtest/gtest.h>

#include "classlib/controls/extctrls.h"
#include "classlib/stdctrls/scrollbar.h"
#include "classlib/stdctrls/scrollbox.h"
#include "classlib/stdctrls/splitter.h"
#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

class ScrollBarTest : public FormFixture {
protected:
  ScrollBarTest() : bar(Make<TScrollBar>(10, 10, 200, 17)) {
    bar->OnChange = [this](TObject*) { ++changes; };
  }
  TScrollBar* bar;
  int changes = 0;
};

TEST_F(ScrollBarTest, ParamsReachTheWindowAndThePositionStaysInRange) {
  struct Case {
    int position, min, max;
    int expected;
    int changes;
  };
  const Case cases[] = {{50, 0, 100, 50, 1}, {50, 0, 100, 50, 1}, {150, 0, 100, 100, 2}, {5, 10, 20, 10, 3}};
  ShowForm();
  for (const Case& c : cases) {
    bar->SetParams(c.position, c.min, c.max);
    EXPECT_EQ(bar->Position(), c.expected);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), c.expected);
    int min = 0, max = 0;
    GetScrollRange(bar->Handle(), SB_CTL, &min, &max);
    EXPECT_EQ(min, c.min);
    EXPECT_EQ(max, c.max);
    EXPECT_EQ(changes, c.changes);
  }
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
}

TEST_F(ScrollBarTest, ArrowKeysAndPagesMoveByTheirChange) {
  bar->SetSmallChange(2);
  bar->SetLargeChange(10);
  int scrolls = 0;
  bar->OnScroll = [&](TObject*, TScrollCode, int&) { ++scrolls; };
  ShowForm();
  Focus(bar);
  struct Case {
    WORD key;
    int position;
  };
  const Case cases[] = {{VK_RIGHT, 2}, {VK_RIGHT, 4}, {VK_NEXT, 14}, {VK_LEFT, 12}, {VK_HOME, 0}, {VK_END, 100}};
  int expectedChanges = 0;
  int last = 0;
  for (const Case& c : cases) {
    PressKey(c.key);
    EXPECT_EQ(bar->Position(), c.position) << "key " << c.key;
    expectedChanges += c.position != last ? 1 : 0;
    last = c.position;
  }
  EXPECT_EQ(changes, expectedChanges);
  EXPECT_GE(scrolls, 6);
}

TEST_F(ScrollBarTest, OnScrollCanChangeWhereTheBarGoes) {
  bar->OnScroll = [](TObject*, TScrollCode code, int& pos) {
    if (code == scLineDown)
      pos = 40;
  };
  ShowForm();
  SendMessageW(form->Handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(bar->Position(), 40);
}

class ScrollBoxTest : public FormFixture {
protected:
  ScrollBoxTest() : box(Make<TScrollBox>(10, 10, 200, 150)) {
    child = new TPanel(form);
    child->SetParent(box);
    child->SetBounds(20, 300, 50, 50);
  }
  TScrollBox* box;
  TPanel* child;
};

TEST_F(ScrollBoxTest, ChildrenBeyondTheClientAreaShowABar) {
  ShowForm();
  EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->VertScrollBar()->Range(), 350);
  child->SetTop(10);
  box->Realign();
  EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible()) << "nothing left to scroll to";
}

TEST_F(ScrollBoxTest, PositionMovesTheChildrenAndStaysInRange) {
  box->SetAutoScroll(false);
  box->VertScrollBar()->SetRange(500);
  ShowForm();
  const int client = box->ClientHeight();
  struct Case {
    int set;
    int position;
  };
  const Case cases[] = {{100, 100}, {0, 0}, {-5, 0}, {1000, 500 - client}};
  for (const Case& c : cases) {
    box->VertScrollBar()->SetPosition(c.set);
    EXPECT_EQ(box->VertScrollBar()->Position(), c.position) << c.set;
    EXPECT_EQ(child->Top(), 300 - c.position) << c.set;
    EXPECT_EQ(GetScrollPos(box->Handle(), SB_VERT), c.position) << c.set;
  }
}

TEST_F(ScrollBoxTest, TheBarsArrowsScrollByIncrementAndTrackingDecidesAboutTheThumb) {
  box->VertScrollBar()->SetIncrement(12);
  ShowForm();
  SendMessageW(box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 12);
  SendMessageW(box->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 0);
  // Without Tracking a dragged thumb moves nothing until it is let go.
  SendMessageW(box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 0);
}

TEST_F(ScrollBoxTest, ScrollInViewBringsAChildIntoSight) {
  ShowForm();
  box->ScrollInView(child);
  EXPECT_GE(child->Top(), 0);
  EXPECT_LE(child->Top() + child->Height(), box->ClientHeight());
}

class SplitterTest : public FormFixture {};

// Drags the splitter by dx with the mouse (through the form's window).
void Drag(TForm* form, TSplitter* splitter, int dx, int dy) {
  int x = splitter->Left() + 1, y = splitter->Top() + 10;
  PostMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Pump();
  PostMessageW(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx / 2, y + dy / 2));
  Pump();
  PostMessageW(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y + dy));
  Pump();
  PostMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y + dy));
  Pump();
}

TEST_F(SplitterTest, DraggingResizesTheControlBesideItWithinLimits) {
  auto* left = Make<TPanel>(0, 0, 100, 100);
  left->SetAlign(alLeft);
  auto* splitter = Make<TSplitter>(100, 0, 3, 100);
  splitter->SetAlign(alLeft);
  auto* rest = Make<TPanel>(200, 0, 100, 100);
  rest->SetAlign(alClient);
  int moved = 0;
  splitter->OnMoved = [&](TObject*) { ++moved; };
  ShowForm();
  ASSERT_EQ(splitter->FindControl(), left);
  struct Case {
    int dx;
    int width;
  };
  const int most = form->ClientWidth() - splitter->Width() - splitter->MinSize();
  const Case cases[] = {{40, 140}, {-60, 80}, {-500, 30}, {5000, most}};
  for (const Case& c : cases) {
    Drag(form, splitter, c.dx, 0);
    EXPECT_EQ(left->Width(), c.width) << c.dx;
    EXPECT_EQ(splitter->Left(), left->Width()) << "the splitter follows";
  }
  EXPECT_EQ(moved, 4);
}

}  // namespace
