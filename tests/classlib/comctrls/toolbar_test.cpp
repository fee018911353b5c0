// The tool bar: buttons as the window holds them (styles, states, texts,
// images), clicks, grouped check buttons, the drop-down menu.
#include <gtest/gtest.h>

#include <string>

#include "classlib/comctrls/toolbar.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/bitmap.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

// A drop-down menu that records where it was asked to pop up instead of
// running a modal menu loop.
class TRecordingPopupMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int X, int Y) override {
    ++shown;
    at = POINT{X, Y};
  }
  int shown = 0;
  POINT at{};
};

TBBUTTON WindowButton(HWND wnd, int index) {
  TBBUTTON button{};
  SendMessageW(wnd, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
  return button;
}

std::string WindowButtonText(HWND wnd, int index) {
  wchar_t text[64] = {};
  SendMessageW(wnd, TB_GETBUTTONTEXTW, index, reinterpret_cast<LPARAM>(text));
  return AnsiOf(text);
}

bool WindowChecked(HWND wnd, int index) { return SendMessageW(wnd, TB_ISBUTTONCHECKED, index, 0) != 0; }

RECT ButtonRect(HWND wnd, int index) {
  RECT r{};
  SendMessageW(wnd, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

class ToolBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    bar = fixture.Add<TToolBar>(0, 0, 400, 40);
    bar->SetShowCaptions(true);
    bar->SetFlat(true);
    menu.reset(new TRecordingPopupMenu(nullptr));
    struct ButtonCase {
      const char* caption;
      TToolButtonStyle style;
      bool grouped;
    };
    for (const ButtonCase& s : {ButtonCase{"Yeni", tbsButton, false}, ButtonCase{"Cetvel", tbsCheck, false},
                          ButtonCase{"", tbsSeparator, false}, ButtonCase{"Sığdır", tbsCheck, true},
                          ButtonCase{"%100", tbsCheck, true}, ButtonCase{"Yazdır", tbsDropDown, false}}) {
      auto* button = new TToolButton(fixture.Host());
      button->SetCaption(s.caption);
      button->SetStyle(s.style);
      button->SetGrouped(s.grouped);
      button->SetParent(bar);
      button->OnClick = [this](TObject* sender) {
        ++clicks;
        clicked = static_cast<TToolButton*>(sender);
      };
    }
    bar->Buttons(5)->SetDropdownMenu(menu.get());
    fixture.Show();
  }

  FormFixture fixture;
  TToolBar* bar = nullptr;
  Owned<TRecordingPopupMenu> menu;
  int clicks = 0;
  TToolButton* clicked = nullptr;
};

TEST_F(ToolBarTest, EachButtonIsInTheWindowWithItsStyleAndCaption) {
  HWND wnd = bar->Handle();
  ASSERT_EQ(SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0), 6);
  struct Expected {
    BYTE style;
    const char* text;
  };
  const Expected expected[] = {{BTNS_BUTTON, "Yeni"},      {BTNS_CHECK, "Cetvel"}, {BTNS_SEP, ""},
                               {BTNS_CHECKGROUP, "Sığdır"}, {BTNS_CHECKGROUP, "%100"}, {BTNS_DROPDOWN, "Yazdır"}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(WindowButton(wnd, i).fsStyle & (BTNS_SEP | BTNS_CHECK | BTNS_GROUP | BTNS_DROPDOWN), expected[i].style);
    if (expected[i].style != BTNS_SEP) {
      EXPECT_EQ(WindowButtonText(wnd, i), expected[i].text);
    }
    EXPECT_EQ(bar->Buttons(i)->Index(), i);
  }
  EXPECT_NE(GetWindowLongPtrW(wnd, GWL_STYLE) & TBSTYLE_FLAT, 0);
  // The button objects sit where the bar shows them.
  RECT r = ButtonRect(wnd, 1);
  EXPECT_EQ(bar->Buttons(1)->Left(), r.left);
  EXPECT_EQ(bar->Buttons(1)->Width(), r.right - r.left);
}

TEST_F(ToolBarTest, DownAndEnabledAreTheWindowsButtonStates) {
  HWND wnd = bar->Handle();
  bar->Buttons(1)->SetDown(true);
  EXPECT_TRUE(WindowChecked(wnd, 1));
  EXPECT_TRUE(bar->Buttons(1)->Down());
  bar->Buttons(0)->SetEnabled(false);
  EXPECT_EQ(SendMessageW(wnd, TB_ISBUTTONENABLED, 0, 0), 0);
  bar->Buttons(0)->SetVisible(false);
  EXPECT_NE(SendMessageW(wnd, TB_ISBUTTONHIDDEN, 0, 0), 0);
  bar->Buttons(3)->SetDown(true);
  bar->Buttons(4)->SetDown(true);
  EXPECT_FALSE(WindowChecked(wnd, 3)) << "one button of a group is down";
  EXPECT_TRUE(WindowChecked(wnd, 4));
  EXPECT_FALSE(bar->Buttons(3)->Down());
}

TEST_F(ToolBarTest, AClickRunsTheButtonsOnClickOnce) {
  RECT r = ButtonRect(bar->Handle(), 0);
  Click(bar->Handle(), CenterX(r), CenterY(r));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(clicked, bar->Buttons(0));
}

TEST_F(ToolBarTest, AClickTogglesACheckButton) {
  RECT r = ButtonRect(bar->Handle(), 1);
  Click(bar->Handle(), CenterX(r), CenterY(r));
  EXPECT_TRUE(bar->Buttons(1)->Down());
  EXPECT_EQ(clicks, 1);
  Click(bar->Handle(), CenterX(r), CenterY(r));
  EXPECT_FALSE(bar->Buttons(1)->Down());
  EXPECT_EQ(clicks, 2);
}

TEST_F(ToolBarTest, AClickOnAGroupedButtonPutsTheOtherUp) {
  bar->Buttons(3)->SetDown(true);
  RECT r = ButtonRect(bar->Handle(), 4);
  Click(bar->Handle(), CenterX(r), CenterY(r));
  EXPECT_TRUE(bar->Buttons(4)->Down());
  EXPECT_FALSE(bar->Buttons(3)->Down());
  EXPECT_EQ(clicked, bar->Buttons(4));
  Click(bar->Handle(), CenterX(r), CenterY(r));
  EXPECT_TRUE(bar->Buttons(4)->Down()) << "a grouped button stays down when clicked again";
}

TEST_F(ToolBarTest, TheDropDownArrowPopsTheMenuUpUnderTheButton) {
  HWND wnd = bar->Handle();
  RECT r = ButtonRect(wnd, 5);
  Click(wnd, r.right - 4, CenterY(r));
  EXPECT_EQ(menu->shown, 1);
  POINT expected{r.left, r.bottom};
  ClientToScreen(wnd, &expected);
  EXPECT_EQ(menu->at.x, expected.x);
  EXPECT_EQ(menu->at.y, expected.y);
  EXPECT_EQ(menu->PopupComponent(), bar->Buttons(5));
  EXPECT_EQ(clicks, 0) << "the arrow does not click the button";
}

TEST_F(ToolBarTest, ImagesAndCaptionsFollowTheBarsSettings) {
  Owned<TImageList> images{new TImageList(nullptr, 16, 16)};
  TBitmap bitmap;
  bitmap.SetSize(16, 16);
  images->Add(&bitmap, nullptr);
  images->Add(&bitmap, nullptr);
  bar->SetImages(images.get());
  bar->Buttons(0)->SetImageIndex(1);
  HWND wnd = bar->Handle();
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(wnd, TB_GETIMAGELIST, 0, 0)), images->Handle());
  EXPECT_EQ(WindowButton(wnd, 0).iBitmap, 1);
  EXPECT_EQ(WindowButton(wnd, 1).iBitmap, I_IMAGENONE);
  bar->SetShowCaptions(false);
  EXPECT_EQ(WindowButtonText(wnd, 0), "");
  images.reset();
  EXPECT_EQ(bar->Images(), nullptr) << "a freed image list is let go";
}

TEST_F(ToolBarTest, AFreedButtonLeavesTheBar) {
  bar->Buttons(1)->Free();
  EXPECT_EQ(bar->ButtonCount(), 5);
  EXPECT_EQ(SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 5);
  EXPECT_EQ(WindowButtonText(bar->Handle(), 1), "");
  EXPECT_EQ(WindowButtonText(bar->Handle(), 2), "Sığdır");
}

}  // namespace
