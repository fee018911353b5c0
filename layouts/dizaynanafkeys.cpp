// The designer's keys, wheel and scroll bars.
//
// The form previews keys. Ctrl with N, S, O or P runs the file command of
// that letter; the main menu and the action list catch those shortcuts
// first and eat the key, so a command runs once per key press whichever
// way it comes. While the stage has the focus and something is selected,
// Esc selects the first selected control's parent and the arrows move
// (Ctrl, Ctrl+Shift) or resize (Shift) the selection.
//
// The stage moves inside Panel5 under its two scroll bars; the wheel
// anywhere on the form scrolls it up and down.
#include "layouts/designinspector.h"
#include "layouts/dizaynanaf.h"

namespace {

constexpr int StageScrollLargeChange = 10;
// The maximum of a hidden scroll bar.
constexpr int IdleScrollMax = 100;
constexpr int NudgeCoarse = 5;
constexpr int NudgeFine = 1;

bool IsArrowKey(WORD Key) { return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN; }

// Shows the bar with a range of the overhang, or hides it at position 0.
void FitScrollBar(TScrollBar* Bar, int StageExtent, int PanelExtent) {
  Bar->SetLargeChange(StageScrollLargeChange);
  if (PanelExtent < StageExtent) {
    Bar->SetMax(StageExtent - PanelExtent);
    Bar->SetVisible(true);
  } else {
    Bar->SetParams(0, Bar->Min(), IdleScrollMax);
    Bar->SetVisible(false);
  }
}

}  // namespace

// ---- Keys ----------------------------------------------------------------------------

bool TDizaynAnaF::StageKeepsDialogKey(const TMessage& Message) {
  const WORD key = static_cast<WORD>(Message.WParam);
  return (IsArrowKey(key) || key == VK_ESCAPE) && ActiveControl() == DsnStage1;
}

void TDizaynAnaF::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool shift = Shift.Contains(ssShift);
  if (ctrl && (Key == 'N' || Key == 'S' || Key == 'O' || Key == 'P')) {
    RunFileShortCut(Key);
    Key = 0;
    return;
  }
  if (ActiveControl() != DsnStage1 || DsnStage1->SelectedCount() <= 0)
    return;
  if (Key == VK_ESCAPE) {
    // The stage itself is never selected: a selected stage would go, with
    // the whole layout, on the next Delete.
    TWinControl* parent = DsnStage1->SelectedControl(0)->Parent();
    if (parent != nullptr && parent != DsnStage1)
      DsnSelect1->SelectComponent(parent);
    Key = 0;
    return;
  }
  if (!IsArrowKey(Key) || (!ctrl && !shift))
    return;
  if (ctrl)
    NudgeSelection(Key, false, shift ? NudgeCoarse : NudgeFine);
  else
    NudgeSelection(Key, true, NudgeFine);
  Key = 0;
}

// Pages refuse to be moved by the mouse (the stage's move query); the keys
// leave them in place too.
void TDizaynAnaF::NudgeSelection(WORD Key, bool Resize, int Step) {
  const int dx = Key == VK_LEFT ? -Step : Key == VK_RIGHT ? Step : 0;
  const int dy = Key == VK_UP ? -Step : Key == VK_DOWN ? Step : 0;
  const int count = DsnStage1->SelectedCount();
  for (int i = 0; i < count; ++i) {
    TControl* c = DsnStage1->SelectedControl(i);
    if (c == nullptr)
      continue;
    bool canMove = true;
    if (DsnStage1->OnMoveQuery)
      DsnStage1->OnMoveQuery(DsnStage1, c, canMove);
    if (!canMove)
      continue;
    if (Resize)
      c->SetBounds(c->Left(), c->Top(), c->Width() + dx, c->Height() + dy);
    else
      c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  LayoutModified = true;
  Inspector->SelectRow(Inspector->ActiveRow());
  DsnStage1->UpdateSelection();
}

// Through the menu item or action of the command, so a command that is
// offered disabled stays unavailable from the keyboard too.
void TDizaynAnaF::RunFileShortCut(WORD Key) {
  if (Key == 'P') {
    if (Onizleme1->Enabled())
      Onizleme1->Execute();
    return;
  }
  TMenuItem* item = Key == 'N' ? YeniRapor1 : Key == 'S' ? Kaydet1 : DosyaAc1;
  if (item->Enabled())
    item->Click();
}

// ---- Scrolling -------------------------------------------------------------------------

void TDizaynAnaF::ScrollBarDuzenle() {
  FitScrollBar(ScrollBar1, DsnStage1->Width(), Panel5->Width());
  FitScrollBar(ScrollBar2, DsnStage1->Height(), Panel5->Height());
  DsnStage1->SetBounds(-ScrollBar1->Position(), -ScrollBar2->Position(), DsnStage1->Width(), DsnStage1->Height());
}

void TDizaynAnaF::ScrollBar1Change(TObject*) { DsnStage1->SetLeft(-ScrollBar1->Position()); }

void TDizaynAnaF::ScrollBar2Change(TObject*) { DsnStage1->SetTop(-ScrollBar2->Position()); }

void TDizaynAnaF::Panel5Resize(TObject*) { ScrollBarDuzenle(); }

// A hidden bar has nothing to scroll: the page fits.
void TDizaynAnaF::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint, bool& Handled) {
  if (!ScrollBar2->Visible())
    return;
  ScrollBar2->SetPosition(ScrollBar2->Position() - WheelDelta);
  Handled = true;
}
