// Progress bar, track bar, up-down and hot key: ranges and positions as the
// windows hold them, keyboard changes and their events.
#include <gtest/gtest.h>

#include "classlib/comctrls/hotkey.h"
#include "classlib/comctrls/progressbar.h"
#include "classlib/comctrls/trackbar.h"
#include "classlib/comctrls/updown.h"
#include "classlib/controls/stdctrls.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

TEST(ProgressBarTest, RangePositionAndStepAreTheWindows) {
  FormFixture fixture;
  auto* bar = fixture.Add<TProgressBar>(10, 10, 200, 16);
  bar->SetMax(50);
  bar->SetPosition(20);
  bar->SetStep(15);
  fixture.Show();
  HWND wnd = bar->Handle();
  EXPECT_EQ(SendMessageW(wnd, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageW(wnd, PBM_GETRANGE, FALSE, 0), 50);
  EXPECT_EQ(SendMessageW(wnd, PBM_GETPOS, 0, 0), 20);
  struct Step {
    int expected;
  };
  for (Step s : {Step{35}, Step{50}, Step{15}}) {  // past Max the bar starts again
    bar->StepIt();
    EXPECT_EQ(bar->Position(), s.expected);
  }
  bar->SetPosition(80);
  EXPECT_EQ(bar->Position(), 50) << "kept within the range";
  bar->SetMin(10);
  bar->SetPosition(0);
  EXPECT_EQ(SendMessageW(wnd, PBM_GETPOS, 0, 0), 10);
}

class TrackBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    bar = fixture.Add<TTrackBar>(10, 10, 200, 40);
    bar->SetMin(7);
    bar->SetMax(30);
    bar->SetPosition(10);
    bar->OnChange = [this](TObject*) { ++changes; };
    fixture.Show();
  }
  FormFixture fixture;
  TTrackBar* bar = nullptr;
  int changes = 0;
};

TEST_F(TrackBarTest, RangeAndPositionAreTheWindows) {
  HWND wnd = bar->Handle();
  EXPECT_EQ(SendMessageW(wnd, TBM_GETRANGEMIN, 0, 0), 7);
  EXPECT_EQ(SendMessageW(wnd, TBM_GETRANGEMAX, 0, 0), 30);
  EXPECT_EQ(SendMessageW(wnd, TBM_GETPOS, 0, 0), 10);
  bar->SetPosition(40);
  EXPECT_EQ(bar->Position(), 30);
  EXPECT_EQ(changes, 0) << "positions set by code fire nothing";
}

TEST_F(TrackBarTest, AnArrowKeyMovesOneLineAndFiresOnChangeOnce) {
  bar->SetFocus();
  Pump();
  PressKey(VK_RIGHT);
  EXPECT_EQ(bar->Position(), 11);
  EXPECT_EQ(changes, 1);
  PressKey(VK_LEFT);
  PressKey(VK_LEFT);
  EXPECT_EQ(bar->Position(), 9);
  EXPECT_EQ(changes, 3);
  PressKey(VK_HOME);
  EXPECT_EQ(bar->Position(), 7);
  EXPECT_EQ(changes, 4);
}

class UpDownTest : public ::testing::Test {
protected:
  void SetUp() override {
    edit = fixture.Add<TEdit>(10, 10, 80, 21);
    updown = fixture.Add<TUpDown>(0, 0, 17, 21);
    updown->SetMin(0);
    updown->SetMax(10);
    updown->SetPosition(5);
    updown->SetAssociate(edit);
    updown->OnChanging = [this](TObject*, bool& allow) {
      ++changing;
      allow = allowChange;
    };
    updown->OnClick = [this](TObject*, TUDBtnType button) { buttons.push_back(button); };
    fixture.Show();
  }
  FormFixture fixture;
  TEdit* edit = nullptr;
  TUpDown* updown = nullptr;
  int changing = 0;
  bool allowChange = true;
  std::vector<TUDBtnType> buttons;
};

TEST_F(UpDownTest, TheAssociateShowsThePositionAndHasTheArrowsAtItsRight) {
  EXPECT_EQ(edit->Text(), "5");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(updown->Handle(), UDM_GETBUDDY, 0, 0)), edit->Handle());
  EXPECT_EQ(updown->Left(), edit->Left() + edit->Width()) << "the edit makes room for the arrows";
  EXPECT_EQ(updown->Top(), edit->Top());
  updown->SetPosition(8);
  EXPECT_EQ(edit->Text(), "8");
  EXPECT_EQ(SendMessageW(updown->Handle(), UDM_GETPOS32, 0, 0), 8);
  updown->SetPosition(12);
  EXPECT_EQ(updown->Position(), 10);
}

TEST_F(UpDownTest, ArrowKeysInTheAssociateStepThePosition) {
  edit->SetFocus();
  Pump();
  PressKey(VK_UP);
  EXPECT_EQ(updown->Position(), 6);
  EXPECT_EQ(edit->Text(), "6");
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  EXPECT_EQ(updown->Position(), 4);
  EXPECT_EQ(changing, 3);
  EXPECT_EQ(buttons, (std::vector<TUDBtnType>{btNext, btPrev, btPrev}));
}

TEST_F(UpDownTest, OnChangingCanRefuseAStep) {
  allowChange = false;
  edit->SetFocus();
  Pump();
  PressKey(VK_UP);
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(updown->Position(), 5);
  EXPECT_EQ(edit->Text(), "5");
}

TEST_F(UpDownTest, ANewWindowDoesNotNarrowTheAssociateAgain) {
  const int narrowed = edit->Width();
  EXPECT_EQ(narrowed, 80 - updown->Width());
  updown->SetWrap(true);  // makes the window again
  EXPECT_EQ(edit->Width(), narrowed);
  EXPECT_EQ(updown->Left(), edit->Left() + edit->Width());
  auto* other = fixture.Add<TEdit>(10, 60, 80, 21);
  updown->SetAssociate(other);
  EXPECT_EQ(edit->Width(), 80) << "the old associate gets its room back";
  EXPECT_EQ(other->Width(), narrowed);
}

TEST_F(UpDownTest, WrappingRoundStillReportsTheArrow) {
  updown->SetWrap(true);
  updown->SetPosition(10);
  edit->SetFocus();
  Pump();
  PressKey(VK_UP);
  EXPECT_EQ(updown->Position(), 0);
  EXPECT_EQ(buttons, (std::vector<TUDBtnType>{btNext}));
}

TEST(HotKeyTest, TheShortCutIsTheWindowsHotKey) {
  FormFixture fixture;
  auto* hotkey = fixture.Add<THotKey>(10, 10, 120, 21);
  hotkey->SetHotKey(scCtrl | 'K');
  fixture.Show();
  HWND wnd = hotkey->Handle();
  EXPECT_EQ(SendMessageW(wnd, HKM_GETHOTKEY, 0, 0), MAKEWORD('K', HOTKEYF_CONTROL));
  struct Case {
    TShortCut shortcut;
    WORD window;
  };
  for (Case c : {Case{scShift | scAlt | VK_F5, MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_ALT)},
                 Case{scCtrl | scShift | 'P', MAKEWORD('P', HOTKEYF_CONTROL | HOTKEYF_SHIFT)}, Case{0, 0}}) {
    hotkey->SetHotKey(c.shortcut);
    EXPECT_EQ(SendMessageW(wnd, HKM_GETHOTKEY, 0, 0), c.window);
    EXPECT_EQ(hotkey->HotKey(), c.shortcut);
  }
  SendMessageW(wnd, HKM_SETHOTKEY, MAKEWORD('Z', HOTKEYF_ALT | HOTKEYF_CONTROL), 0);
  EXPECT_EQ(hotkey->HotKey(), scAlt | scCtrl | 'Z') << "a key the user typed";
}

TEST(HotKeyTest, AKeyTypedAloneGetsTheModifiers) {
  FormFixture fixture;
  auto* hotkey = fixture.Add<THotKey>(10, 10, 120, 21);
  hotkey->SetModifiers(THKModifiers{hkCtrl});
  fixture.Show();
  hotkey->SetFocus();
  Pump();
  PressKey('M');
  EXPECT_EQ(hotkey->HotKey(), scCtrl | 'M');
}

}  // namespace
