// The designer's arrangement commands, grid and ruler buttons, numbering,
// keys, wheel and scroll bars, on labels of its own default page. Keys are
// posted to the focused window and go through the message loop as typed
// ones do; modifiers are set in the thread's keyboard state.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "layouts/dizaynanaf.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "tests/support/formfixture.h"
#include "tests/support/screenshot.h"

namespace {

using test_support::Pump;

struct ArrangeBox {
  int Left, Top, Width, Height;
};

class ArrangeTest : public testing::Test {
protected:
  ArrangeTest() : scope(dialogs) {
    RegisterRunnerClasses();
    designer = NewForm<TDizaynAnaF>(Application);
    designer->FormShow(nullptr);
    Pump();
    LayoutModified = false;
  }
  ~ArrangeTest() override {
    SetModifiers(false, false);
    designer->Free();
  }

  // Labels on the detail band at the boxes, covered by design mode and
  // selected in the given order.
  std::vector<TQRLabel*> Place(const std::vector<ArrangeBox>& Boxes) {
    std::vector<TQRLabel*> labels;
    for (const ArrangeBox& box : Boxes) {
      auto* label = new TQRLabel(designer);
      label->SetName("Dizilen" + std::to_string(labels.size() + 1));
      label->SetParent(designer->DetailBand1);
      label->SetAutoSize(false);
      label->SetBounds(box.Left, box.Top, box.Width, box.Height);
      labels.push_back(label);
    }
    designer->DsnDpRegister1->SetActive(false);
    designer->DsnDpRegister1->SetActive(true);
    designer->DsnSelect1->SelectComponents(std::vector<TComponent*>(labels.begin(), labels.end()));
    LayoutModified = false;
    return labels;
  }

  // Unselected first: the controller lets go of them before they go.
  void Drop(const std::vector<TQRLabel*>& Labels) {
    designer->DsnDpRegister1->UnselectAll();
    for (TQRLabel* label : Labels)
      label->Free();
    Pump();
  }

  static std::vector<int> Lefts(const std::vector<TQRLabel*>& Labels) {
    std::vector<int> v;
    for (const TQRLabel* l : Labels)
      v.push_back(l->Left());
    return v;
  }
  static std::vector<int> Tops(const std::vector<TQRLabel*>& Labels) {
    std::vector<int> v;
    for (const TQRLabel* l : Labels)
      v.push_back(l->Top());
    return v;
  }

  // The designer on screen with the stage focused.
  void ShowFocused() {
    designer->Show();
    Pump();
    designer->DsnStage1->SetFocus();
    Pump();
    ASSERT_EQ(designer->ActiveControl(), designer->DsnStage1);
  }

  static void SetModifiers(bool Ctrl, bool Shift) {
    BYTE keyboard[256];
    GetKeyboardState(keyboard);
    keyboard[VK_CONTROL] = Ctrl ? 0x80 : 0;
    keyboard[VK_SHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(keyboard);
  }

  static void Press(WORD Key, bool Ctrl = false, bool Shift = false) {
    SetModifiers(Ctrl, Shift);
    const LPARAM data = 1 | (static_cast<LPARAM>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC)) << 16);
    HWND target = GetFocus();
    PostMessageW(target, WM_KEYDOWN, Key, data);
    PostMessageW(target, WM_KEYUP, Key, data | (LPARAM{3} << 30));
    Pump();
    SetModifiers(false, false);
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope scope;
  TDizaynAnaF* designer = nullptr;
};

// ---- Alignment bar -----------------------------------------------------------------------

TEST_F(ArrangeTest, TheBarHoldsTenButtonsWithTheirHintsInOrder) {
  const char* hints[] = {"Sol tarafa hizala", "Yatay olarak hizala", "Yatay olarak ortala",
                         "Yatay olarak esit aralik ver", "Sag tarafa hizala", "Ust tarafa hizala",
                         "Dikey olarak hizala", "Dikey olarak ortala", "Dikey olarak esit bosluk ver",
                         "Alt tarafa hizala"};
  TToolButton* buttons[] = {designer->ToolButton8,  designer->ToolButton9,  designer->ToolButton10,
                            designer->ToolButton11, designer->ToolButton12, designer->ToolButton13,
                            designer->ToolButton14, designer->ToolButton15, designer->ToolButton16,
                            designer->ToolButton17};
  for (int i = 0; i < 10; ++i) {
    ASSERT_NE(buttons[i], nullptr) << i;
    EXPECT_EQ(buttons[i]->Hint(), hints[i]);
    EXPECT_EQ(buttons[i]->Parent(), designer->ToolBarAlignment) << hints[i];
    EXPECT_TRUE(static_cast<bool>(buttons[i]->OnClick)) << hints[i];
  }
}

struct SpacingRow {
  std::vector<int> Before;
  std::vector<int> After;
};

TEST_F(ArrangeTest, EqualSpacingMovesTheMiddleOnesByPositionAsNumbers) {
  const SpacingRow rows[] = {
      {{20, 50, 110}, {20, 65, 110}},
      {{0, 12, 20, 31}, {0, 10, 20, 31}},
      {{-100, -50, 60}, {-100, -20, 60}},
      {{9000, 9990, 12000}, {9000, 10500, 12000}},
      {{20, 50}, {20, 50}},
  };
  for (const bool horizontal : {true, false}) {
    for (const SpacingRow& row : rows) {
      std::vector<ArrangeBox> boxes;
      for (const int p : row.Before)
        boxes.push_back(horizontal ? ArrangeBox{p, 3, 10, 10} : ArrangeBox{3, p, 10, 10});
      const std::vector<TQRLabel*> labels = Place(boxes);
      if (horizontal)
        designer->ToolButton11Click(nullptr);
      else
        designer->ToolButton16Click(nullptr);
      EXPECT_EQ(horizontal ? Lefts(labels) : Tops(labels), row.After)
          << (horizontal ? "Left " : "Top ") << testing::PrintToString(row.Before);
      EXPECT_EQ(LayoutModified, row.Before.size() >= 3) << testing::PrintToString(row.Before);
      Drop(labels);
    }
  }
}

TEST_F(ArrangeTest, EdgesAndCentreLinesFollowTheFirstSelected) {
  // S0 is the first selected: 40..140 across, 30..70 down.
  struct Row {
    void (TDizaynAnaF::*Command)(TObject*);
    const char* What;
    std::vector<int> Lefts, Tops;
  };
  const Row rows[] = {
      {&TDizaynAnaF::ToolButton8Click, "left", {40, 40, 40}, {30, 5, 90}},
      {&TDizaynAnaF::ToolButton12Click, "right", {40, 110, 121}, {30, 5, 90}},
      {&TDizaynAnaF::ToolButton9Click, "centre across", {40, 75, 81}, {30, 5, 90}},
      {&TDizaynAnaF::ToolButton13Click, "top", {40, 10, 200}, {30, 30, 30}},
      {&TDizaynAnaF::ToolButton17Click, "bottom", {40, 10, 200}, {30, 50, 55}},
      {&TDizaynAnaF::ToolButton14Click, "centre down", {40, 10, 200}, {30, 40, 43}},
  };
  for (const Row& row : rows) {
    const std::vector<TQRLabel*> labels = Place({{40, 30, 100, 40}, {10, 5, 30, 20}, {200, 90, 19, 15}});
    (designer->*row.Command)(nullptr);
    EXPECT_EQ(Lefts(labels), row.Lefts) << row.What;
    EXPECT_EQ(Tops(labels), row.Tops) << row.What;
    EXPECT_TRUE(LayoutModified) << row.What;
    Drop(labels);
  }
  // One selected control: the edge commands need two.
  const std::vector<TQRLabel*> alone = Place({{70, 8, 20, 10}});
  designer->ToolButton12Click(nullptr);
  designer->ToolButton17Click(nullptr);
  EXPECT_EQ(alone[0]->Left(), 70);
  EXPECT_EQ(alone[0]->Top(), 8);
  EXPECT_FALSE(LayoutModified);
}

TEST_F(ArrangeTest, ExtremeSearchesPreferTheLastSelectedWhenItTies) {
  // Two share the smallest Left; the last (third) is one of them.
  std::vector<TQRLabel*> labels = Place({{30, 40, 20, 10}, {10, 5, 50, 10}, {10, 40, 50, 25}});
  EXPECT_EQ(designer->TopSelected(), 2);
  EXPECT_EQ(designer->GetLeftObject(), labels[2]);
  EXPECT_EQ(designer->GetRightObject(), labels[2]);   // 60 ties with the second
  EXPECT_EQ(designer->GetTopObject(), labels[1]);
  EXPECT_EQ(designer->GetBottomObject(), labels[2]);  // 65
  Drop(labels);
  // The last is not outermost: the earliest of the equal ones wins.
  labels = Place({{50, 7, 10, 10}, {10, 7, 10, 10}, {10, 9, 10, 10}, {30, 9, 10, 10}});
  EXPECT_EQ(designer->TopSelected(), 3);
  EXPECT_EQ(designer->GetLeftObject(), labels[1]);
  EXPECT_EQ(designer->GetTopObject(), labels[0]);
  EXPECT_EQ(designer->GetBottomObject(), labels[3]);
  Drop(labels);
  designer->DsnDpRegister1->UnselectAll();
  EXPECT_EQ(designer->TopSelected(), 0);
  EXPECT_EQ(designer->GetLeftObject(), nullptr);
}

TEST_F(ArrangeTest, CentringPutsTheGroupInTheMiddleOfItsParent) {
  for (const bool horizontal : {true, false}) {
    const std::vector<TQRLabel*> labels = Place({{15, 4, 40, 12}, {70, 20, 33, 9}, {30, 11, 21, 17}});
    const int before = labels[1]->Left() - labels[0]->Left();
    if (horizontal)
      designer->ToolButton10Click(nullptr);
    else
      designer->ToolButton15Click(nullptr);
    const TWinControl* band = designer->DetailBand1;
    if (horizontal) {
      const int low = labels[0]->Left(), high = labels[1]->Left() + labels[1]->Width();
      EXPECT_LE(std::abs(low - (band->Width() - (high - low)) / 2), 1) << low << " " << band->Width();
      EXPECT_EQ(labels[1]->Left() - labels[0]->Left(), before) << "the group keeps its shape";
    } else {
      const int low = labels[0]->Top(), high = labels[2]->Top() + labels[2]->Height();
      EXPECT_LE(std::abs(low - (band->Height() - (high - low)) / 2), 1) << low << " " << band->Height();
    }
    EXPECT_TRUE(LayoutModified);
    Drop(labels);
  }
}

TEST_F(ArrangeTest, AutomaticCharacterNumbersFollowTheSelectionOrder) {
  std::vector<TQRLabel*> labels = Place({{50, 5, 10, 10}, {10, 5, 10, 10}, {30, 5, 10, 10}});
  designer->DsnSelect1->SelectComponents({labels[2], labels[0], labels[1]});
  LayoutModified = false;
  designer->OtomatikKarakterNo1Click(nullptr);
  EXPECT_EQ(labels[2]->Tag(), 1);
  EXPECT_EQ(labels[0]->Tag(), 2);
  EXPECT_EQ(labels[1]->Tag(), 3);
  EXPECT_TRUE(LayoutModified);
  EXPECT_TRUE(designer->OtomatikKarakterNo1->Enabled());
  // One selected: nothing is numbered.
  designer->DsnSelect1->SelectComponent(labels[1]);
  labels[1]->SetTag(0);
  designer->OtomatikKarakterNo1Click(nullptr);
  EXPECT_EQ(labels[1]->Tag(), 0);
}

// ---- Grid and ruler ----------------------------------------------------------------------

TEST_F(ArrangeTest, TheGridButtonSwitchesTheSnapBetweenEightAndOnePixel) {
  struct Row {
    bool Down;
    int Grid, SnappedX, SnappedY;
  };
  for (const Row row : {Row{false, 1, 13, 27}, Row{true, 8, 8, 24}, Row{false, 1, 13, 27}}) {
    designer->ToolButton19->SetDown(row.Down);
    designer->ToolButton19Click(nullptr);
    EXPECT_EQ(designer->DsnStage1->Rubberband()->MoveWidth(), row.Grid);
    EXPECT_EQ(designer->DsnDpRegister1->GridWidth(), row.Grid);
    EXPECT_EQ(designer->DsnDpRegister1->GridHeight(), row.Grid);
    int x = 13, y = 27;
    designer->DsnDpRegister1->SnapToGrid(x, y);
    EXPECT_EQ(x, row.SnappedX) << row.Down;
    EXPECT_EQ(y, row.SnappedY) << row.Down;
  }
  EXPECT_EQ(designer->DsnStage1->Controller(), designer->DsnDpRegister1);
}

TEST_F(ArrangeTest, TheRulerButtonShowsOrHidesTheCurrentPagesRuler) {
  for (const bool down : {false, true}) {
    designer->ToolButton18->SetDown(down);
    designer->ToolButton18Click(nullptr);
    EXPECT_EQ(designer->CurrentQuickRep->Page()->Ruler(), down);
  }
  // The state reaches the page that becomes current.
  designer->ToolButton18->SetDown(false);
  designer->TabControl1Change(nullptr);
  EXPECT_FALSE(designer->CurrentQuickRep->Page()->Ruler());
}

// ---- Keys --------------------------------------------------------------------------------

TEST_F(ArrangeTest, ArrowKeysMoveAndResizeTheSelection) {
  const std::vector<TQRLabel*> labels = Place({{40, 30, 50, 20}, {100, 10, 30, 15}});
  ShowFocused();
  Press(VK_RIGHT, true, true);
  EXPECT_EQ(Lefts(labels), (std::vector<int>{45, 105}));
  Press(VK_LEFT, true);
  EXPECT_EQ(Lefts(labels), (std::vector<int>{44, 104}));
  Press(VK_UP, true, true);
  EXPECT_EQ(Tops(labels), (std::vector<int>{25, 5}));
  const int heights[] = {labels[0]->Height(), labels[1]->Height()};
  const int width = labels[0]->Width();
  Press(VK_DOWN, false, true);
  EXPECT_EQ(labels[0]->Height(), heights[0] + 1);
  EXPECT_EQ(labels[1]->Height(), heights[1] + 1);
  Press(VK_LEFT, false, true);
  EXPECT_EQ(labels[0]->Width(), width - 1);
  EXPECT_EQ(Tops(labels), (std::vector<int>{25, 5})) << "a resize leaves the places";
  // Without a modifier the arrows move nothing and the stage keeps the focus.
  Press(VK_RIGHT);
  EXPECT_EQ(Lefts(labels), (std::vector<int>{44, 104}));
  EXPECT_EQ(designer->ActiveControl(), designer->DsnStage1);
  EXPECT_EQ(designer->DsnStage1->SelectedCount(), 2);
  test_support::KeepScreenshot(*designer, "dizaynanaf_arrange");

  // The moves are changes: closing asks to save them.
  ASSERT_TRUE(LayoutModified);
  dialogs.AnswerButton(IDCANCEL);
  TCloseAction action = caHide;
  designer->FormClose(nullptr, action);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Degisiklikler kaydedilsin mi?");
  designer->Hide();
}

TEST_F(ArrangeTest, EscSelectsTheParentButNeverTheStage) {
  const std::vector<TQRLabel*> labels = Place({{40, 30, 50, 20}});
  ShowFocused();
  Press(VK_ESCAPE);
  ASSERT_EQ(designer->DsnStage1->SelectedCount(), 1);
  EXPECT_EQ(designer->DsnStage1->SelectedControl(0), designer->DetailBand1);
  Press(VK_ESCAPE);
  EXPECT_EQ(designer->DsnStage1->SelectedControl(0), designer->CurrentQuickRep);
  Press(VK_ESCAPE);
  ASSERT_EQ(designer->DsnStage1->SelectedCount(), 1);
  EXPECT_EQ(designer->DsnStage1->SelectedControl(0), designer->CurrentQuickRep) << "the page stays selected";
  EXPECT_FALSE(LayoutModified);
  designer->Hide();
}

TEST_F(ArrangeTest, FileShortcutsRunTheirCommandOncePerPress) {
  ShowFocused();
  // Ctrl+S on a layout without a name asks for one, once.
  dialogs.AnswerCancel();
  Press('S', true);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::SaveFile);
  // Ctrl+O on an unchanged layout shows the open dialog, once.
  dialogs.Clear();
  dialogs.AnswerCancel();
  Press('O', true);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::OpenFile);
  // Ctrl+N on a changed layout asks the save question once, then starts a
  // new graphic layout of one page.
  dialogs.Clear();
  LayoutModified = true;
  dialogs.AnswerButton(IDNO);
  Press('N', true);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Degisiklikler kaydedilsin mi?");
  EXPECT_EQ(dialogs.Pending(), 0);
  ASSERT_NE(designer->CurrentQuickRep, nullptr);
  EXPECT_EQ(designer->CurrentQuickRep->Name(), "Report1");
  EXPECT_EQ(designer->TabControl1->Tabs()->Count(), 1);
  // The handler on its own runs them too, for keys the menu does not catch.
  dialogs.Clear();
  LayoutModified = false;
  dialogs.AnswerCancel();
  WORD key = 'O';
  designer->FormKeyDown(nullptr, key, TShiftState{ssCtrl, ssShift});
  EXPECT_EQ(key, 0);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::OpenFile);
  designer->Hide();
}

// ---- Scrolling ---------------------------------------------------------------------------

TEST_F(ArrangeTest, ScrollBarsFollowTheStageAndTheWheelMovesTheVerticalOne) {
  designer->Show();
  Pump();
  designer->DsnStage1->SetBounds(0, 0, designer->Panel5->Width() / 2, designer->Panel5->Height() + 500);
  Pump();
  TScrollBar* vertical = designer->ScrollBar2;
  TScrollBar* horizontal = designer->ScrollBar1;
  EXPECT_TRUE(vertical->Visible());
  EXPECT_EQ(vertical->Max(), designer->DsnStage1->Height() - designer->Panel5->Height());
  EXPECT_EQ(vertical->LargeChange(), 10);
  EXPECT_FALSE(horizontal->Visible());
  EXPECT_EQ(horizontal->Max(), 100);
  EXPECT_EQ(designer->DsnStage1->Left(), 0);

  // One notch down moves the bar 120 and the stage up with it.
  SendMessageW(designer->DsnStage1->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               MAKELPARAM(200, 200));
  EXPECT_EQ(vertical->Position(), 120);
  EXPECT_EQ(designer->DsnStage1->Top(), -120);
  for (int i = 0; i < 8; ++i)
    SendMessageW(designer->DsnStage1->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(200, 200));
  EXPECT_EQ(vertical->Position(), vertical->Max()) << "kept in range";
  EXPECT_EQ(designer->DsnStage1->Top(), -vertical->Max());
  SendMessageW(designer->DsnStage1->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(200, 200));
  EXPECT_EQ(vertical->Position(), vertical->Max() - 120);

  // Wider than the panel: the horizontal bar appears; the bar moves the stage.
  designer->DsnStage1->SetWidth(designer->Panel5->Width() + 300);
  EXPECT_TRUE(horizontal->Visible());
  EXPECT_EQ(horizontal->Max(), 300);
  horizontal->SetPosition(50);
  EXPECT_EQ(designer->DsnStage1->Left(), -50);

  // Small again: both bars go, the stage returns to the corner and the wheel
  // has nothing to scroll.
  designer->DsnStage1->SetBounds(designer->DsnStage1->Left(), designer->DsnStage1->Top(), 100, 100);
  EXPECT_FALSE(vertical->Visible());
  EXPECT_FALSE(horizontal->Visible());
  EXPECT_EQ(designer->DsnStage1->Left(), 0);
  EXPECT_EQ(designer->DsnStage1->Top(), 0);
  SendMessageW(designer->DsnStage1->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               MAKELPARAM(200, 200));
  EXPECT_EQ(designer->DsnStage1->Top(), 0);
  designer->Hide();
}

}  // namespace
