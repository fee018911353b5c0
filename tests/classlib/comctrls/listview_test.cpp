// The list view: columns, items and sub-items as the window holds them,
// check boxes, selection, OnChanging refusing, caption editing, arrows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/comctrls/listview.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

std::string WindowItemText(HWND wnd, int index, int subItem) {
  wchar_t text[128] = {};
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = text;
  item.cchTextMax = 128;
  SendMessageW(wnd, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
  return AnsiOf(text);
}

std::string WindowColumnText(HWND wnd, int index) {
  wchar_t text[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = 64;
  SendMessageW(wnd, LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
  return AnsiOf(text);
}

bool WindowChecked(HWND wnd, int index) {
  return (SendMessageW(wnd, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

int WindowSelected(HWND wnd) { return static_cast<int>(SendMessageW(wnd, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }

struct ChangeRecord {
  TListItem* item;
  TItemChange change;
  bool operator==(const ChangeRecord&) const = default;
};

class ListViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    view = fixture.Add<TListView>(10, 10, 360, 200);
    view->SetViewStyle(vsReport);
    view->SetCheckboxes(true);
    for (const char* caption : {"Kod", "Ad", "Fiyat"}) {
      TListColumn* column = view->Columns()->Add();
      column->SetCaption(caption);
      column->SetWidth(100);
    }
    struct Row {
      const char* code;
      const char* name;
      const char* price;
    };
    for (const Row& r : {Row{"001", "Çay", "12,50"}, Row{"002", "Şeker", "30,00"}, Row{"003", "Ekmek", "7,25"}}) {
      TListItem* item = view->Items()->Add();
      item->SetCaption(r.code);
      item->SubItems()->Add(r.name);
      item->SubItems()->Add(r.price);
    }
    view->Items()->Item(1)->SetChecked(true);  // before the window: no events yet
    view->OnChanging = [this](TObject*, TListItem* item, TItemChange change, bool& allow) {
      changing.push_back({item, change});
      allow = allowChange;
    };
    view->OnChange = [this](TObject*, TListItem* item, TItemChange change) { changed.push_back({item, change}); };
    fixture.Show();
  }

  TListItem* Item(int i) { return view->Items()->Item(i); }

  FormFixture fixture;
  TListView* view = nullptr;
  std::vector<ChangeRecord> changing, changed;
  bool allowChange = true;
};

TEST_F(ListViewTest, ColumnsItemsAndSubItemsAreInTheWindow) {
  HWND wnd = view->Handle();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(WindowColumnText(wnd, i), (std::vector<std::string>{"Kod", "Ad", "Fiyat"})[i]);
  EXPECT_EQ(SendMessageW(wnd, LVM_GETCOLUMNWIDTH, 1, 0), 100);
  ASSERT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(WindowItemText(wnd, 1, 0), "002");
  EXPECT_EQ(WindowItemText(wnd, 1, 1), "Şeker");
  EXPECT_EQ(WindowItemText(wnd, 2, 2), "7,25");
  EXPECT_TRUE(WindowChecked(wnd, 1)) << "a check made before the window";
  EXPECT_FALSE(WindowChecked(wnd, 0));
  EXPECT_TRUE(changing.empty());
  EXPECT_TRUE(changed.empty()) << "filling the window is not a change";
}

TEST_F(ListViewTest, ItemChangesReachTheWindow) {
  HWND wnd = view->Handle();
  Item(0)->SubItems()->SetStrings(0, "Yeşil çay");
  EXPECT_EQ(WindowItemText(wnd, 0, 1), "Yeşil çay");
  TListItem* first = view->Items()->Insert(0);
  first->SetCaption("000");
  EXPECT_EQ(WindowItemText(wnd, 0, 0), "000");
  EXPECT_EQ(WindowItemText(wnd, 1, 0), "001");
  EXPECT_EQ(Item(2)->Index(), 2);
  EXPECT_TRUE(Item(2)->Checked()) << "the checked item moved down with its box";
  view->Items()->Delete(0);
  EXPECT_EQ(SendMessageW(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(WindowItemText(wnd, 0, 0), "001");
  view->SetViewStyle(vsList);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
}

TEST_F(ListViewTest, CheckingAnItemFiresOneStateChange) {
  Item(0)->SetChecked(true);
  EXPECT_TRUE(WindowChecked(view->Handle(), 0));
  EXPECT_TRUE(Item(0)->Checked());
  EXPECT_EQ(changing, (std::vector<ChangeRecord>{{Item(0), ctState}}));
  EXPECT_EQ(changed, (std::vector<ChangeRecord>{{Item(0), ctState}}));
}

TEST_F(ListViewTest, OnChangingCanRefuseACheck) {
  allowChange = false;
  Item(0)->SetChecked(true);
  Item(1)->SetChecked(false);
  EXPECT_FALSE(Item(0)->Checked());
  EXPECT_TRUE(Item(1)->Checked());
  EXPECT_FALSE(WindowChecked(view->Handle(), 0));
  EXPECT_EQ(changing.size(), 2u);
  EXPECT_TRUE(changed.empty());
}

TEST_F(ListViewTest, ARefusedCaptionChangeKeepsTheCaption) {
  Item(0)->SetCaption("010");
  EXPECT_EQ(changed, (std::vector<ChangeRecord>{{Item(0), ctText}}));
  allowChange = false;
  Item(0)->SetCaption("020");
  EXPECT_EQ(Item(0)->Caption(), "010");
  EXPECT_EQ(WindowItemText(view->Handle(), 0, 0), "010");
  EXPECT_EQ(changing.back(), (ChangeRecord{Item(0), ctText}));
}

TEST_F(ListViewTest, SpaceTogglesTheFocusedItemsBoxUnlessRefused) {
  view->SetSelected(Item(2));
  view->SetFocus();
  Pump();
  changing.clear();
  changed.clear();
  PressKey(VK_SPACE);
  EXPECT_TRUE(Item(2)->Checked());
  ASSERT_FALSE(changed.empty());
  EXPECT_EQ(changed.back(), (ChangeRecord{Item(2), ctState}));
  allowChange = false;
  PressKey(VK_SPACE);
  EXPECT_TRUE(Item(2)->Checked()) << "refused by OnChanging";
}

TEST_F(ListViewTest, SelectedIsTheWindowsSelection) {
  int selects = 0;
  view->OnSelectItem = [&](TObject*, TListItem*, bool selected) { selects += selected ? 1 : 0; };
  view->SetSelected(Item(2));
  EXPECT_EQ(WindowSelected(view->Handle()), 2);
  EXPECT_EQ(view->Selected(), Item(2));
  EXPECT_EQ(selects, 1);
  view->SetSelected(nullptr);
  EXPECT_EQ(WindowSelected(view->Handle()), -1);
  EXPECT_EQ(view->Selected(), nullptr);
}

TEST_F(ListViewTest, ArrowKeysMoveTheSelection) {
  view->SetSelected(Item(0));
  view->SetFocus();
  Pump();
  std::vector<TListItem*> selected;
  view->OnSelectItem = [&](TObject*, TListItem* item, bool on) {
    if (on)
      selected.push_back(item);
  };
  PressKey(VK_DOWN);
  EXPECT_EQ(view->Selected(), Item(1));
  PressKey(VK_DOWN);
  PressKey(VK_UP);
  EXPECT_EQ(view->Selected(), Item(1));
  EXPECT_EQ(selected, (std::vector<TListItem*>{Item(1), Item(2), Item(1)}));
}

TEST_F(ListViewTest, OnEditingCanRefuseCaptionEditing) {
  int asked = 0;
  view->OnEditing = [&](TObject*, TListItem* item, bool& allow) {
    ++asked;
    allow = item != Item(1);
  };
  EXPECT_FALSE(Item(1)->EditCaption());
  EXPECT_FALSE(view->IsEditing());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Item(0)->EditCaption());
  EXPECT_TRUE(view->IsEditing());
  SendMessageW(view->Handle(), LVM_CANCELEDITLABEL, 0, 0);
  Pump();
  EXPECT_EQ(Item(0)->Caption(), "001");
}

TEST_F(ListViewTest, AnEditedCaptionPassesOnEdited) {
  view->OnEdited = [](TObject*, TListItem*, AnsiString& text) { text += "!"; };
  ASSERT_TRUE(Item(0)->EditCaption());
  auto edit = reinterpret_cast<HWND>(SendMessageW(view->Handle(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, L"Yeni");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  EXPECT_FALSE(view->IsEditing());
  EXPECT_EQ(Item(0)->Caption(), "Yeni!");
  EXPECT_EQ(WindowItemText(view->Handle(), 0, 0), "Yeni!");
}

TEST_F(ListViewTest, ReadOnlyRefusesEditingWithoutAsking) {
  int asked = 0;
  view->OnEditing = [&](TObject*, TListItem*, bool&) { ++asked; };
  view->SetReadOnly(true);
  EXPECT_FALSE(Item(0)->EditCaption());
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(WindowChecked(view->Handle(), 1)) << "the new window has the items' states";
  EXPECT_EQ(WindowItemText(view->Handle(), 2, 1), "Ekmek");
}

TEST_F(ListViewTest, ClearEmptiesTheWindowQuietly) {
  view->SetSelected(Item(1));
  changing.clear();
  changed.clear();
  view->Items()->Clear();
  EXPECT_EQ(SendMessageW(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(view->Items()->Count(), 0);
  EXPECT_EQ(view->Selected(), nullptr);
  EXPECT_TRUE(changed.empty());
}

}  // namespace
