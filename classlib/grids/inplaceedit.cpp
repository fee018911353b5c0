#include "classlib/grids/inplaceedit.h"

#include "classlib/grids/grids.h"

IMPLEMENT_CLASS(TInplaceEdit)

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetVisible(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= WS_CLIPSIBLINGS;
  Params.Style &= ~WS_TABSTOP;  // reached through the grid, never by Tab
}

void TInplaceEdit::Move(const TRect& Loc) {
  SetBounds(Loc.left, Loc.top, Loc.right - Loc.left, Loc.bottom - Loc.top);
  if (!Visible())
    SetVisible(true);
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TInplaceEdit::Hide() {
  if (Visible())
    SetVisible(false);
}

void TInplaceEdit::UpdateContents() {
  if (FGrid == nullptr)
    return;
  SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
  SetModified(false);
  SelectAll();
}

void TInplaceEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    // Enter ends the edit and Esc cancels it here rather than in the dialog.
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    if (FGrid != nullptr && FGrid->Options().Contains(goTabs))
      Message.Result |= DLGC_WANTTAB;
    return;
  }
  TCustomEdit::Dispatch(Message);
  // Whatever takes the focus (an OK button, another field) finds the
  // typed text in the cell already.
  if (Message.Msg == WM_KILLFOCUS && FGrid != nullptr)
    FGrid->UpdateText();
}

bool TInplaceEdit::ForGrid(WORD Key, TShiftState Shift) {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: return true;
    case VK_TAB: return FGrid->Options().Contains(goTabs) && !Shift.Contains(ssAlt);
    case VK_HOME:
    case VK_END: return Shift.Contains(ssCtrl);
    case VK_LEFT: return SelLength() == 0 && SelStart() == 0;
    case VK_RIGHT: return SelLength() == 0 && SelStart() >= GetTextLen();
    default: return false;
  }
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == 0 || FGrid == nullptr)
    return;
  if (Key == VK_ESCAPE) {
    FGrid->CancelEdit();
    Key = 0;
    return;
  }
  // Ctrl+Delete is the grid's command (a data grid deletes the record),
  // never a word deleted in the cell.
  if (Key == VK_DELETE && Shift.Contains(ssCtrl)) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  if (Key == VK_DELETE && !FGrid->CanEditModify()) {
    Key = 0;
    return;
  }
  if (ForGrid(Key, Shift)) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  }
}

void TInplaceEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == 0 || FGrid == nullptr)
    return;
  FGrid->KeyPress(Key);  // Enter ends the edit there
  if (Key == '\r' || Key == '\t' || Key == 27) {
    Key = 0;
    return;
  }
  bool printable = static_cast<unsigned char>(Key) >= 32;
  if ((printable && !FGrid->CanEditAcceptKey(Key)) || !FGrid->CanEditModify())
    Key = 0;
}
