#include "classlib/stdctrls/listbox.h"

#include <gtest/gtest.h>

#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

AnsiString WindowItem(TListBox* list, int index) {
  wchar_t buffer[256] = {};
  SendMessageW(list->Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
  return AnsiOf(buffer);
}

int WindowCount(TListBox* list) { return static_cast<int>(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0)); }

class ListBoxTest : public FormFixture {
protected:
  ListBoxTest() : list(Make<TListBox>(10, 10, 150, 120)) {}
  TListBox* list;
};

TEST_F(ListBoxTest, ItemsWithObjectsReachTheWindowBeforeAndAfterItIsMade) {
  TObject a, b;
  list->Items()->AddObject("Çizgi", &a);
  ShowForm();
  list->Items()->AddObject("Şerit", &b);
  list->Items()->Insert(0, "İlk");
  ASSERT_EQ(WindowCount(list), 3);
  EXPECT_EQ(WindowItem(list, 0), "İlk");
  EXPECT_EQ(WindowItem(list, 1), "Çizgi");
  EXPECT_EQ(WindowItem(list, 2), "Şerit");
  EXPECT_EQ(list->Items()->Objects(1), &a);
  EXPECT_EQ(list->Items()->Objects(2), &b);
  list->Items()->Delete(0);
  EXPECT_EQ(WindowCount(list), 2);
  EXPECT_EQ(WindowItem(list, 0), "Çizgi");
  list->Items()->SetStrings(1, "Bant");
  EXPECT_EQ(WindowItem(list, 1), "Bant");
  EXPECT_EQ(list->Items()->Objects(1), &b) << "the object stays with its line";
  list->Items()->Clear();
  EXPECT_EQ(WindowCount(list), 0);
}

TEST_F(ListBoxTest, SortedListAndUpdateBlocksKeepTheWindowInStep) {
  list->SetSorted(true);
  ShowForm();
  list->Items()->BeginUpdate();
  for (const char* s : {"kiraz", "elma", "armut"})
    list->Items()->Add(s);
  list->Items()->EndUpdate();
  const char* expected[] = {"armut", "elma", "kiraz"};
  ASSERT_EQ(WindowCount(list), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(WindowItem(list, i), expected[i]);
}

TEST_F(ListBoxTest, ItemIndexSurvivesRecreatingTheWindow) {
  list->Items()->SetText("a\r\nb\r\nc\r\n");
  list->SetItemIndex(1);
  ShowForm();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCURSEL, 0, 0), 1);
  list->SetStyle(lbOwnerDrawFixed);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(WindowCount(list), 3);
  list->SetItemIndex(7);
  EXPECT_EQ(list->ItemIndex(), -1) << "an index past the end selects nothing";
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionAndClickOncePerMove) {
  list->Items()->SetText("a\r\nb\r\nc\r\n");
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  Focus(list);
  list->SetItemIndex(0);
  EXPECT_EQ(clicks, 0) << "a selection made by code is no click";
  struct Case {
    WORD key;
    int index;
    int clicks;
  };
  const Case cases[] = {{VK_DOWN, 1, 1}, {VK_DOWN, 2, 2}, {VK_DOWN, 2, 2}, {VK_UP, 1, 3}, {VK_HOME, 0, 4}};
  for (const Case& c : cases) {
    PressKey(c.key);
    EXPECT_EQ(list->ItemIndex(), c.index) << "key " << c.key;
    EXPECT_EQ(clicks, c.clicks) << "key " << c.key;
  }
}

TEST_F(ListBoxTest, MultiSelectKeepsEverySelectedItem) {
  list->SetMultiSelect(true);
  list->Items()->SetText("a\r\nb\r\nc\r\nd\r\n");
  ShowForm();
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  list->SetSelected(3, true);
  list->SetSelected(3, false);
  EXPECT_EQ(list->SelCount(), 2);
  const bool expected[] = {true, false, true, false};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(list->Selected(i), expected[i]) << "item " << i;
  EXPECT_THROW(list->Selected(4), EListError);
}

TEST_F(ListBoxTest, OwnerDrawnItemsAreDrawnByTheEventWithTheirState) {
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(20);
  list->Items()->SetText("a\r\nb\r\n");
  std::vector<int> drawn;
  bool selectedSeen = false;
  list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
    drawn.push_back(index);
    if (state.Contains(odSelected))
      selectedSeen = index == 1;
    auto* box = static_cast<TListBox*>(control);
    box->Canvas()->FillRect(rect);
    box->Canvas()->TextOut(rect.left, rect.top, box->Items()->Strings(index));
  };
  list->SetItemIndex(1);
  ShowForm();
  UpdateWindow(list->Handle());
  Pump();
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 0), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 1), drawn.end());
  EXPECT_TRUE(selectedSeen);
  TRect r = list->ItemRect(1);
  EXPECT_EQ(r.bottom - r.top, 20);
  EXPECT_EQ(list->ItemAtPos(Point(5, r.top + 2), true), 1);
  EXPECT_EQ(list->ItemAtPos(Point(5, 100), true), -1);
}

}  // namespace
