// Tab and page controls: tabs as the window holds them, the sheet shown,
// hidden tabs, OnChanging/OnChange from clicks and Ctrl+Tab.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/comctrls/pagecontrol.h"
#include "classlib/comctrls/tabcontrol.h"
#include "classlib/controls/stdctrls.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

std::vector<std::string> WindowTabs(HWND wnd) {
  std::vector<std::string> tabs;
  const int count = static_cast<int>(SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(wnd, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    tabs.push_back(AnsiOf(text));
  }
  return tabs;
}

int WindowSelection(HWND wnd) { return static_cast<int>(SendMessageW(wnd, TCM_GETCURSEL, 0, 0)); }

void ClickTab(HWND wnd, int index) {
  RECT r{};
  SendMessageW(wnd, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  Click(wnd, CenterX(r), CenterY(r));
}

class PageControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    pages = fixture.Add<TPageControl>(10, 10, 300, 200);
    for (const char* caption : {"Genel", "Yazıcı", "Hatalar"}) {
      auto* sheet = new TTabSheet(fixture.Host());
      sheet->SetPageControl(pages);
      sheet->SetCaption(caption);
      sheets.push_back(sheet);
    }
    pages->SetActivePage(sheets[0]);
    pages->OnChanging = [this](TObject*, bool& allow) {
      ++changing;
      allow = allowChange;
    };
    pages->OnChange = [this](TObject*) { ++changed; };
    fixture.Show();
  }

  FormFixture fixture;
  TPageControl* pages = nullptr;
  std::vector<TTabSheet*> sheets;
  int changing = 0;
  int changed = 0;
  bool allowChange = true;
};

TEST_F(PageControlTest, TheWindowHasATabPerSheetAndShowsTheActiveSheetOnly) {
  EXPECT_EQ(WindowTabs(pages->Handle()), (std::vector<std::string>{"Genel", "Yazıcı", "Hatalar"}));
  EXPECT_EQ(pages->PageCount(), 3);
  pages->SetActivePageIndex(2);
  EXPECT_EQ(WindowSelection(pages->Handle()), 2);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
  EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
  EXPECT_EQ(changing + changed, 0) << "a page set by code fires no events";
  // The sheet fills the display area inside the tabs.
  TRect display = pages->DisplayRect();
  EXPECT_EQ(sheets[2]->BoundsRect().top, display.top);
  EXPECT_EQ(sheets[2]->BoundsRect().right, display.right);
}

TEST_F(PageControlTest, AHiddenTabLeavesItsSheetInPlace) {
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(WindowTabs(pages->Handle()), (std::vector<std::string>{"Genel", "Hatalar"}));
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(sheets[1]->TabIndex(), -1);
  EXPECT_EQ(sheets[2]->TabIndex(), 1);
  pages->SetActivePage(sheets[2]);
  EXPECT_EQ(WindowSelection(pages->Handle()), 1);
  sheets[1]->SetTabVisible(true);
  EXPECT_EQ(WindowTabs(pages->Handle()).size(), 3u);
  EXPECT_EQ(WindowSelection(pages->Handle()), 2) << "the active sheet keeps its tab selected";
}

TEST_F(PageControlTest, ACaptionChangeRenamesItsTab) {
  sheets[0]->SetCaption("Ayarlar");
  EXPECT_EQ(WindowTabs(pages->Handle())[0], "Ayarlar");
}

TEST_F(PageControlTest, AClickedTabAsksOnceAndShowsItsSheet) {
  ClickTab(pages->Handle(), 1);
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_TRUE(IsWindowVisible(sheets[1]->Handle()));
  EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
}

TEST_F(PageControlTest, OnChangingCanRefuseAClickedTab) {
  allowChange = false;
  ClickTab(pages->Handle(), 2);
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(WindowSelection(pages->Handle()), 0);
}

TEST_F(PageControlTest, CtrlTabTurnsThePagesSkippingHiddenTabs) {
  sheets[1]->SetTabVisible(false);
  pages->SetFocus();
  Pump();
  PressKey(VK_TAB, true);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(changed, 1);
  PressKey(VK_TAB, true, true);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(WindowSelection(pages->Handle()), 0);
}

TEST_F(PageControlTest, CtrlTabWorksFromAControlOnTheSheet) {
  auto* edit = new TEdit(fixture.Host());
  edit->SetParent(sheets[0]);
  edit->SetBounds(10, 10, 100, 21);
  Pump();
  edit->SetFocus();
  Pump();
  PressKey(VK_TAB, true);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(changed, 1);
}

TEST_F(PageControlTest, ARefusedCtrlTabStaysOnThePage) {
  allowChange = false;
  pages->SetFocus();
  Pump();
  PressKey(VK_TAB, true);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 0);
}

TEST_F(PageControlTest, SheetsHearWhenTheyAreShownAndHidden) {
  std::vector<std::string> events;
  for (TTabSheet* sheet : sheets) {
    sheet->OnShow = [&events, sheet](TObject*) { events.push_back("show " + sheet->Caption()); };
    sheet->OnHide = [&events, sheet](TObject*) { events.push_back("hide " + sheet->Caption()); };
  }
  pages->SetActivePage(sheets[2]);
  EXPECT_EQ(events, (std::vector<std::string>{"show Hatalar", "hide Genel"}));
}

TEST_F(PageControlTest, AFreedSheetLeavesThePageControl) {
  pages->SetActivePage(sheets[1]);
  sheets[1]->Free();
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(WindowTabs(pages->Handle()), (std::vector<std::string>{"Genel", "Hatalar"}));
  EXPECT_EQ(pages->ActivePage(), sheets[2]) << "the next sheet comes up";
}

TEST(TabControlTest, TabsAndTabIndexGoThroughTheWindow) {
  FormFixture fixture;
  auto* tabs = fixture.Add<TTabControl>(10, 10, 300, 100);
  tabs->Tabs()->Add("Bir");
  tabs->Tabs()->Add("İki");
  tabs->SetTabIndex(1);
  int changed = 0;
  tabs->OnChange = [&](TObject*) { ++changed; };
  fixture.Show();
  EXPECT_EQ(WindowTabs(tabs->Handle()), (std::vector<std::string>{"Bir", "İki"}));
  EXPECT_EQ(WindowSelection(tabs->Handle()), 1) << "the index set before the window was made";
  tabs->Tabs()->Add("Üç");
  EXPECT_EQ(WindowTabs(tabs->Handle()).size(), 3u);
  EXPECT_EQ(tabs->TabIndex(), 1);
  ClickTab(tabs->Handle(), 2);
  EXPECT_EQ(tabs->TabIndex(), 2);
  EXPECT_EQ(changed, 1);
  tabs->SetTabIndex(0);
  EXPECT_EQ(WindowSelection(tabs->Handle()), 0);
  EXPECT_EQ(changed, 1) << "an index set by code fires nothing";
  tabs->Tabs()->Clear();
  EXPECT_EQ(tabs->TabIndex(), -1);
}

}  // namespace
