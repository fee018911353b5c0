#include "classlib/forms/menus.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/system/win/widestring.h"
#include "forms_test_util.h"

namespace {

using forms_test::Owned;

// One entry of an HMENU as Win32 reports it.
struct Entry {
  AnsiString text;
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU subMenu = nullptr;
};

Entry ReadEntry(HMENU menu, int position) {
  wchar_t buffer[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  info.dwTypeData = buffer;
  info.cch = 255;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  return Entry{WideToAnsi(buffer), info.fType, info.fState, info.wID, info.hSubMenu};
}

class MenuTest : public ::testing::Test {
protected:
  TMenuItem* AddItem(TMenuItem* parent, const AnsiString& caption) {
    auto* item = new TMenuItem(menu.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  Owned<TPopupMenu> menu{new TPopupMenu(nullptr)};
};

TEST_F(MenuTest, ItemsAppearInTheHandleWithCaptionsSeparatorsAndShortcuts) {
  TMenuItem* open = AddItem(menu->Items(), "&Aç");
  open->SetShortCut(scCtrl | 'O');
  AddItem(menu->Items(), "-");
  AddItem(menu->Items(), "Çı&kış");
  HMENU handle = menu->Handle();
  ASSERT_EQ(GetMenuItemCount(handle), 3);
  Entry first = ReadEntry(handle, 0);
  EXPECT_EQ(first.text, "&Aç\tCtrl+O");
  EXPECT_EQ(first.id, static_cast<UINT>(open->Command()));
  EXPECT_TRUE(ReadEntry(handle, 1).type & MFT_SEPARATOR);
  EXPECT_EQ(ReadEntry(handle, 2).text, "Çı&kış");
}

TEST_F(MenuTest, StateChangesReachTheHandle) {
  TMenuItem* item = AddItem(menu->Items(), "Item");
  HMENU handle = menu->Handle();
  item->SetChecked(true);
  EXPECT_TRUE(ReadEntry(handle, 0).state & MFS_CHECKED);
  item->SetEnabled(false);
  EXPECT_TRUE(ReadEntry(handle, 0).state & MFS_GRAYED);
  item->SetDefault(true);
  EXPECT_TRUE(ReadEntry(handle, 0).state & MFS_DEFAULT);
  item->SetCaption("Renamed");
  EXPECT_EQ(ReadEntry(handle, 0).text, "Renamed");
  item->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(handle), 0) << "invisible items have no entry";
  item->SetVisible(true);
  EXPECT_EQ(GetMenuItemCount(handle), 1);
}

TEST_F(MenuTest, InsertDeleteAndSubMenus) {
  TMenuItem* a = AddItem(menu->Items(), "A");
  TMenuItem* c = AddItem(menu->Items(), "C");
  auto* b = new TMenuItem(menu.get());
  b->SetCaption("B");
  menu->Items()->Insert(1, b);
  HMENU handle = menu->Handle();
  ASSERT_EQ(GetMenuItemCount(handle), 3);
  EXPECT_EQ(ReadEntry(handle, 1).text, "B");
  EXPECT_EQ(b->MenuIndex(), 1);

  TMenuItem* child = AddItem(c, "C1");
  Entry withSub = ReadEntry(handle, 2);
  ASSERT_NE(withSub.subMenu, nullptr);
  EXPECT_EQ(withSub.subMenu, c->Handle());
  EXPECT_EQ(ReadEntry(withSub.subMenu, 0).text, "C1");
  EXPECT_EQ(child->Parent(), c);
  EXPECT_EQ(child->GetParentMenu(), menu.get());

  menu->Items()->Delete(0);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(GetMenuItemCount(handle), 2);
  EXPECT_EQ(ReadEntry(handle, 0).text, "B");
  a->Free();

  c->Clear();
  EXPECT_EQ(c->Count(), 0);
  EXPECT_EQ(ReadEntry(handle, 1).subMenu, nullptr);
  EXPECT_THROW(menu->Items()->Items(5), EMenuError);
  EXPECT_THROW(menu->Items()->Insert(0, b), EMenuError) << "an item already in a menu";
}

TEST_F(MenuTest, FreeingAnItemTakesItOutOfItsMenu) {
  TMenuItem* item = AddItem(menu->Items(), "Gone");
  AddItem(menu->Items(), "Stays");
  HMENU handle = menu->Handle();
  item->Free();
  ASSERT_EQ(menu->Items()->Count(), 1);
  ASSERT_EQ(GetMenuItemCount(handle), 1);
  EXPECT_EQ(ReadEntry(handle, 0).text, "Stays");
}

TEST_F(MenuTest, RadioItemsOfAGroupUncheckEachOther) {
  TMenuItem* one = AddItem(menu->Items(), "One");
  TMenuItem* two = AddItem(menu->Items(), "Two");
  for (TMenuItem* i : {one, two}) {
    i->SetRadioItem(true);
    i->SetGroupIndex(3);
  }
  one->SetChecked(true);
  two->SetChecked(true);
  EXPECT_FALSE(one->Checked());
  EXPECT_TRUE(ReadEntry(menu->Handle(), 1).type & MFT_RADIOCHECK);
}

TEST_F(MenuTest, CommandsAndShortcutsClickTheirItem) {
  int clicks = 0;
  TMenuItem* sub = AddItem(menu->Items(), "Sub");
  TMenuItem* item = AddItem(sub, "Run");
  item->SetShortCut(scCtrl | VK_F5);
  item->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, item);
    ++clicks;
  };
  EXPECT_TRUE(menu->DispatchCommand(static_cast<WORD>(item->Command())));
  EXPECT_TRUE(menu->IsShortCut(scCtrl | VK_F5));
  EXPECT_FALSE(menu->IsShortCut(scCtrl | VK_F6));
  EXPECT_EQ(clicks, 2);
  sub->SetEnabled(false);
  EXPECT_FALSE(menu->IsShortCut(scCtrl | VK_F5)) << "a disabled parent hides the shortcut";
  EXPECT_EQ(clicks, 2);
}

TEST_F(MenuTest, CommandNumbersAreUniqueAndReused) {
  auto* a = new TMenuItem(nullptr);
  auto* b = new TMenuItem(nullptr);
  EXPECT_NE(a->Command(), b->Command());
  EXPECT_NE(a->Command(), 0);
  a->Free();
  b->Free();
}

TEST_F(MenuTest, OwnerDrawnEntriesReachTheirEvents) {
  TMenuItem* item = AddItem(menu->Items(), "Drawn");
  int measured = 0, drawn = 0;
  item->OnMeasureItem = [&](TObject*, TCanvas*, int& w, int& h) {
    ++measured;
    w = 77;
    h = 19;
  };
  item->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, const RECT&, TOwnerDrawState state) {
    ++drawn;
    EXPECT_NE(canvas, nullptr);
    EXPECT_TRUE(state.Contains(odSelected));
  };
  HMENU handle = menu->Handle();
  ASSERT_TRUE(ReadEntry(handle, 0).type & MFT_OWNERDRAW);

  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  GetMenuItemInfoW(handle, 0, TRUE, &info);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemData = info.dwItemData;
  EXPECT_TRUE(DispatchMenuOwnerDraw(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_EQ(mis.itemWidth, 77u);
  EXPECT_EQ(mis.itemHeight, 19u);

  HDC dc = CreateCompatibleDC(nullptr);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemData = info.dwItemData;
  dis.hDC = dc;
  dis.itemState = ODS_SELECTED;
  dis.rcItem = RECT{0, 0, 77, 19};
  EXPECT_TRUE(DispatchMenuOwnerDraw(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
  DeleteDC(dc);
  EXPECT_EQ(measured, 1);
  EXPECT_EQ(drawn, 1);

  mis.itemData = 12345;  // not an item of ours
  EXPECT_FALSE(DispatchMenuOwnerDraw(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
}

TEST_F(MenuTest, OwnerDrawReachesEveryLevel) {
  TMenuItem* top = AddItem(menu->Items(), "Top");
  TMenuItem* inner = AddItem(top, "Inner");
  AddItem(inner, "Deep");
  HMENU handle = menu->Handle();
  menu->SetOwnerDraw(true);
  EXPECT_TRUE(ReadEntry(handle, 0).type & MFT_OWNERDRAW);
  EXPECT_TRUE(ReadEntry(top->Handle(), 0).type & MFT_OWNERDRAW);
  EXPECT_TRUE(ReadEntry(inner->Handle(), 0).type & MFT_OWNERDRAW);
  menu->SetOwnerDraw(false);
  EXPECT_FALSE(ReadEntry(inner->Handle(), 0).type & MFT_OWNERDRAW);
}

TEST(OwnerDrawStateTest, BitsFollowThePlatformOrder) {
  EXPECT_EQ(OwnerDrawStateOf(ODS_NOACCEL).Bits(), 0x100u);
  EXPECT_EQ((TOwnerDrawState{odNoAccel, odReserved1}).Bits(), 0x500u);
  EXPECT_EQ(OwnerDrawStateOf(ODS_SELECTED | ODS_FOCUS).Bits(), 0x11u);
  EXPECT_EQ(OwnerDrawStateOf(ODS_COMBOBOXEDIT).Bits(), 0x1000u);
}

TEST_F(MenuTest, PopupRunsOnPopupAndClicksTheChosenItem) {
  int popups = 0, clicks = 0;
  TMenuItem* item = AddItem(menu->Items(), "Choose");
  item->OnClick = [&](TObject*) { ++clicks; };
  menu->OnPopup = [&](TObject*) { ++popups; };
  // The menu loop is modal: a timer picks the first entry and presses Enter.
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup != nullptr) {
      PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      EndMenu();
    }
  });
  // A second timer ends a menu loop the keys did not end.
  SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
  });
  menu->Popup(100, 100);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(menu->PopupPoint().x, 100);
}

}  // namespace
