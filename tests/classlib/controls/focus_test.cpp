// Focus, tab order, keys and the dialog keys of buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls_test_util.h"

using namespace controls_test;

namespace {

class Focus : public ::testing::Test {
protected:
  void SetUp() override {
    edit1 = MakeEdit("Edit1", shown.host, 10);
    button = new TButton(shown.host);
    button->SetName("Button1");
    button->SetParent(shown.host);
    button->SetBounds(10, 40, 75, 25);
    panel = new TPanel(shown.host);
    panel->SetName("Panel1");
    panel->SetParent(shown.host);
    panel->SetBounds(10, 80, 300, 100);
    edit3 = MakeEdit("Edit3", panel, 10);
    edit2 = MakeEdit("Edit2", shown.host, 200);
    disabled = MakeEdit("Edit4", shown.host, 230);
    disabled->SetEnabled(false);
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit1, edit2, edit3, button, panel}) {
      c->OnEnter = [this](TObject* s) { log.push_back(static_cast<TComponent*>(s)->Name() + " enter"); };
      c->OnExit = [this](TObject* s) { log.push_back(static_cast<TComponent*>(s)->Name() + " exit"); };
    }
    shown.Show();
  }

  TEdit* MakeEdit(const char* name, TWinControl* parent, int top) {
    auto* e = new TEdit(shown.host);
    e->SetName(name);
    e->SetParent(parent);
    e->SetBounds(10, top, 120, 21);
    return e;
  }

  // Presses a key as the message loop sees it: posted to the focused window.
  void PostKey(WORD key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    Pump();
  }

  std::string FocusedName() {
    TWinControl* c = FindControl(GetFocus());
    return c != nullptr ? c->Name() : "(none)";
  }

  ShownHost shown;
  TEdit *edit1, *edit2, *edit3, *disabled;
  TButton* button;
  TPanel* panel;
  std::vector<std::string> log;
};

TEST_F(Focus, TabOrderFollowsInsertionAndCanBeChanged) {
  EXPECT_EQ(edit1->TabOrder(), 0);
  EXPECT_EQ(button->TabOrder(), 1);
  EXPECT_EQ(edit2->TabOrder(), 3);
  EXPECT_EQ(edit3->TabOrder(), 0);  // first within the panel
  edit2->SetTabOrder(0);
  EXPECT_EQ(edit2->TabOrder(), 0);
  EXPECT_EQ(edit1->TabOrder(), 1);
  edit2->SetTabOrder(99);  // clamped to the last place
  EXPECT_EQ(edit2->TabOrder(), 4);
}

TEST_F(Focus, AFreedWindowedControlLeavesTheTabOrder) {
  edit1->SetFocus();
  Pump();
  delete edit1;
  edit1 = nullptr;
  EXPECT_EQ(button->TabOrder(), 0);
  std::vector<TWinControl*> order;
  shown.host->GetTabOrderList(order);
  EXPECT_EQ(std::count(order.begin(), order.end(), nullptr), 0);
  EXPECT_EQ(order.front(), button);
  PostKey(VK_TAB);  // must not reach the freed edit
  EXPECT_NE(FocusedName(), "Edit1");
}

TEST_F(Focus, TabMovesThroughTabStopsDepthFirstAndSkipsDisabled) {
  edit1->SetFocus();
  ASSERT_EQ(FocusedName(), "Edit1");
  std::vector<std::string> visited;
  for (int i = 0; i < 5; ++i) {
    PostKey(VK_TAB);
    visited.push_back(FocusedName());
  }
  // The panel has no tab stop, its edit has; Edit4 is disabled.
  EXPECT_EQ(visited, (std::vector<std::string>{"Button1", "Edit3", "Edit2", "Edit1", "Button1"}));
}

TEST_F(Focus, ShiftTabGoesBackwards) {
  edit1->SetFocus();
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE saved = keys[VK_SHIFT];
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  PostKey(VK_TAB);
  std::string first = FocusedName();
  PostKey(VK_TAB);
  std::string second = FocusedName();
  keys[VK_SHIFT] = saved;
  SetKeyboardState(keys);
  EXPECT_EQ(first, "Edit2");
  EXPECT_EQ(second, "Edit3");
}

TEST_F(Focus, EnterAndExitFollowTheContainersLeftAndEntered) {
  edit1->SetFocus();
  log.clear();
  edit3->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"Edit1 exit", "Panel1 enter", "Edit3 enter"}));
  log.clear();
  button->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"Edit3 exit", "Panel1 exit", "Button1 enter"}));
  EXPECT_TRUE(button->Focused());
  EXPECT_EQ(shown.host->FocusedChild(), button);
}

TEST_F(Focus, ExitHandlerThatMovesTheFocusWins) {
  edit1->SetFocus();
  edit1->OnExit = [this](TObject*) {
    log.push_back("Edit1 exit");
    edit2->SetFocus();
  };
  log.clear();
  edit3->SetFocus();
  EXPECT_EQ(FocusedName(), "Edit2");
  EXPECT_EQ(shown.host->FocusedChild(), edit2);
  // The panel was never entered: the move to Edit3 stopped at the exit.
  EXPECT_EQ(std::count(log.begin(), log.end(), "Panel1 enter"), 0);
  EXPECT_EQ(log.back(), "Edit2 enter");
}

TEST_F(Focus, CanFocusNeedsVisibleAndEnabledUpToTheTop) {
  EXPECT_TRUE(edit3->CanFocus());
  panel->SetEnabled(false);
  EXPECT_FALSE(edit3->CanFocus());
  EXPECT_THROW(edit3->SetFocus(), EInvalidOperation);
  panel->SetEnabled(true);
  panel->Hide();
  EXPECT_FALSE(edit3->CanFocus());
  EXPECT_FALSE(edit3->Showing());
  panel->Show();
  EXPECT_TRUE(edit3->Showing());
}

TEST_F(Focus, HidingTheFocusedControlsContainerTakesTheFocusAway) {
  edit3->SetFocus();
  panel->Hide();
  EXPECT_NE(FocusedName(), "Edit3");
  EXPECT_NE(shown.host->FocusedChild(), edit3);
}

TEST_F(Focus, KeyEventsSeeAndChangeTheKeys) {
  std::vector<std::string> keys;
  edit1->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back("down " + std::to_string(key)); };
  edit1->OnKeyPress = [&](TObject*, char& key) {
    keys.push_back(std::string("press ") + key);
    if (key == 'a')
      key = 'b';
    if (key == 'x')
      key = 0;  // eaten
  };
  edit1->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { keys.push_back("up " + std::to_string(key)); };
  edit1->SetFocus();
  edit1->SetText("");
  SendMessageW(edit1->Handle(), WM_KEYDOWN, 'A', 1);
  SendMessageW(edit1->Handle(), WM_CHAR, L'a', 1);
  SendMessageW(edit1->Handle(), WM_CHAR, L'x', 1);
  SendMessageW(edit1->Handle(), WM_CHAR, 0x11F, 1);  // ğ, 0xF0 in code page 1254
  SendMessageW(edit1->Handle(), WM_KEYUP, 'A', 0xC0000001);
  EXPECT_EQ(keys, (std::vector<std::string>{"down 65", "press a", "press x", "press \xF0", "up 65"}));
  EXPECT_EQ(edit1->Text(), "b\xF0");
}

class DialogKeys : public Focus {
protected:
  void SetUp() override {
    Focus::SetUp();
    ok = new TButton(shown.host);
    ok->SetName("OkButton");
    ok->SetParent(panel);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = new TButton(shown.host);
    cancel->SetName("CancelButton");
    cancel->SetParent(panel);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    ok->OnClick = [this](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [this](TObject*) { clicks.push_back("cancel"); };
    button->OnClick = [this](TObject*) { clicks.push_back("button"); };
    savedHook = ParentFormModalResultHook;
    ParentFormModalResultHook = [](TControl*, TModalResult result) { lastModalResult = result; };
    lastModalResult = -1;
  }
  void TearDown() override { ParentFormModalResultHook = savedHook; }

  TButton *ok, *cancel;
  std::vector<std::string> clicks;
  void (*savedHook)(TControl*, TModalResult) = nullptr;
  static inline TModalResult lastModalResult = -1;
};

TEST_F(DialogKeys, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
  edit1->SetFocus();
  PostKey(VK_RETURN);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
  EXPECT_EQ(lastModalResult, mrOk);
  PostKey(VK_ESCAPE);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
  EXPECT_EQ(lastModalResult, mrCancel);
}

TEST_F(DialogKeys, AnotherFocusedButtonTakesTheDefaultRole) {
  button->SetFocus();
  PostKey(VK_RETURN);
  EXPECT_EQ(clicks, (std::vector<std::string>{"button"}));
  edit1->SetFocus();
  PostKey(VK_RETURN);
  EXPECT_EQ(clicks, (std::vector<std::string>{"button", "ok"}));
}

TEST_F(DialogKeys, ArrowsMoveAmongTheSiblingsOfAButton) {
  ok->SetFocus();
  PostKey(VK_RIGHT);
  EXPECT_EQ(FocusedName(), "CancelButton");
  PostKey(VK_LEFT);
  EXPECT_EQ(FocusedName(), "OkButton");
  PostKey(VK_UP);
  EXPECT_EQ(FocusedName(), "Edit3");  // the panel's first child, wrapping round
  PostKey(VK_RIGHT);  // an edit keeps its arrows
  EXPECT_EQ(FocusedName(), "Edit3");
}

TEST_F(DialogKeys, ButtonWithoutModalResultStillReportsIt) {
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, (std::vector<std::string>{"button"}));
  EXPECT_EQ(lastModalResult, mrNone);
}

TEST_F(DialogKeys, AcceleratorOfALabelFocusesItsControl) {
  auto* label = new TLabel(shown.host);
  label->SetParent(shown.host);
  label->SetCaption("&Ad");
  label->SetFocusControl(edit2);
  edit1->SetFocus();
  PostMessageW(GetFocus(), WM_SYSCHAR, 'a', 0x20000001);
  Pump();
  EXPECT_EQ(FocusedName(), "Edit2");
  edit2->Free();
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(Accelerators, IsAccelFindsTheMarkedCharacter) {
  struct Case {
    WORD key;
    const char* text;
    bool expected;
  } cases[] = {
      {'K', "&Kaydet", true}, {'k', "&Kaydet", true}, {'A', "K&aydet", true}, {'K', "Kaydet", false},
      {'D', "A&&D", false},   {'D', "A&&&D", true},   {'X', "", false},       {'X', "&", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsAccel(c.key, c.text), c.expected) << c.text << " " << c.key;
}

}  // namespace
