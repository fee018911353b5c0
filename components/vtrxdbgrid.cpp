#include "components/vtrxdbgrid.h"

#include "classlib/graphics/wintext.h"
#include "classlib/data/fields.h"

namespace {

// What both overlays do with Tab, Up and Down (the check box also keeps the
// arrow keys from the form). Tab comes back as an Enter to the overlay
// itself, which returns the focus to the grid; Up and Down go to the grid
// at once, so that it moves to the next record. True when Key was used up.
bool OverlayNavigationKey(TWinControl* Overlay, TVTRXDBGrid* Grid, WORD& Key) {
  if (Key == VK_TAB) {
    PostMessageW(Overlay->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Key = 0;
    return true;
  }
  if ((Key == VK_UP || Key == VK_DOWN) && Grid != nullptr && Grid->CanFocus()) {
    Grid->SetFocus();
    SendMessageW(Grid->Handle(), WM_KEYDOWN, Key, 0);
  }
  return false;
}

// Enter on an overlay: back to the grid, which moves on to the next column.
void ReturnToGrid(TVTRXDBGrid* Grid) {
  if (Grid == nullptr || !Grid->CanFocus())
    return;
  Grid->SetFocus();
  SendMessageW(Grid->Handle(), WM_KEYDOWN, VK_TAB, 0);
}

// The dialog codes of an overlay: Tab (and for the check box the arrows)
// stay with it instead of moving the focus on the form.
bool AnswerOverlayDlgCode(TMessage& Message, TWinControl* Overlay, LRESULT Wanted) {
  if (Message.Msg != WM_GETDLGCODE)
    return false;
  Overlay->DefaultHandler(Message);
  Message.Result |= Wanted;
  return true;
}

// Enter on an overlay is its own key, not the form's default button.
bool AnswerOverlayWantsEnter(TMessage& Message) {
  if (Message.Msg != CM_WANTSPECIALKEY || Message.WParam != VK_RETURN)
    return false;
  Message.Result = 1;
  return true;
}

}  // namespace

// ---- The grid -----------------------------------------------------------------------------------
BEGIN_PUBLISHED(TVTRXDBGrid)
  PROPERTY(About, About, SetAbout).Stored(false),
  PROPERTY(Azerice, Azerice, SetAzerice).Default(false),
  PROPERTY(Cont_CheckBox, Cont_CheckBox, SetCont_CheckBox),
  PROPERTY(Cont_DateEdit, Cont_DateEdit, SetCont_DateEdit),
  PROPERTY(KeyVK_END, KeyVK_END, SetKeyVK_END).Default(true),
  PROPERTY(StatusBar, StatusBar, SetStatusBar),
  PROPERTY(OnCustomize, OnCustomize, OnCustomize),
END_PUBLISHED

TVTRXDBGrid::TVTRXDBGrid(TComponent* AOwner) : TRxDBGrid(AOwner) {}

void TVTRXDBGrid::SetStatusBar(TStatusBar* Value) { ReplaceComponentReference(this, FStatusBar, Value); }

void TVTRXDBGrid::SetCont_DateEdit(TVtDGDateEdit* Value) { ReplaceComponentReference(this, FDateEdit, Value); }

void TVTRXDBGrid::SetCont_CheckBox(TVtDGCheckBox* Value) { ReplaceComponentReference(this, FCheckBox, Value); }

void TVTRXDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TRxDBGrid::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FStatusBar)
    FStatusBar = nullptr;
  if (AComponent == FDateEdit)
    FDateEdit = nullptr;
  if (AComponent == FCheckBox)
    FCheckBox = nullptr;
}

bool TVTRXDBGrid::OverlayServesSelectedField(TWinControl* Overlay, const AnsiString& DataField) const {
  TField* field = SelectedField();
  return Overlay != nullptr && field != nullptr && SameFieldName(DataField, field->FieldName()) &&
         Overlay->CanFocus();
}

bool TVTRXDBGrid::DateEditServes() const {
  return FDateEdit != nullptr && OverlayServesSelectedField(FDateEdit, FDateEdit->DataField());
}

bool TVTRXDBGrid::CheckBoxServes() const {
  return FCheckBox != nullptr && OverlayServesSelectedField(FCheckBox, FCheckBox->DataField());
}

void TVTRXDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
  if (!FKeyVK_END && Key == VK_END && Shift.Contains(ssCtrl)) {
    Key = 0;
    return;
  }
  if (Key == VK_F2) {
    if (DateEditServes()) {
      Key = 0;
      FDateEdit->SetFocus();
      return;
    }
    if (CheckBoxServes()) {
      Key = 0;
      FCheckBox->SetFocus();
      return;
    }
  }
  TRxDBGrid::KeyDown(Key, Shift);
}

// A character typed on a cell with an overlay goes to the overlay, which
// takes the focus; the grid does not open its own editor for it as well.
void TVTRXDBGrid::KeyPress(char& Key) {
  if (Key != '\r' && DateEditServes()) {
    FDateEdit->SetFocus();
    std::wstring wide = WideOf(AnsiString(1, Key));
    if (!wide.empty() && FDateEdit->Focused())
      SendMessageW(FDateEdit->Handle(), WM_CHAR, wide[0], 1);
    Key = 0;
    return;
  }
  if (Key != '\r' && CheckBoxServes()) {
    FCheckBox->SetFocus();
    if (Key == ' ' && FCheckBox->Focused())
      FCheckBox->Toggle();
    Key = 0;
    return;
  }
  TRxDBGrid::KeyPress(Key);
}

void TVTRXDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TRxDBGrid::DrawCell(ACol, ARow, ARect, AState);
  if (ACol != Col() || ARow != Row() || ARow < FixedRows() || !DataLink().Active())
    return;
  TField* field = SelectedField();
  if (field == nullptr)
    return;
  if (FDateEdit != nullptr && field->DataType() == ftDate) {
    FDateEdit->SetDataSource(DataSource());
    FDateEdit->SetDataField(field->FieldName());
    PlaceOverlay(FDateEdit, ARect);
  } else if (FCheckBox != nullptr && field->Tag() == CheckBoxFieldTag) {
    FCheckBox->SetDataSource(DataSource());
    FCheckBox->SetDataField(field->FieldName());
    PlaceOverlay(FCheckBox, ARect);
  }
}

// The overlay stands on the grid's parent, 2 pixels in from the cell's
// corner in the grid's window (past the grid's border).
void TVTRXDBGrid::PlaceOverlay(TWinControl* Overlay, const TRect& Cell) {
  Overlay->SetColor(Color());
  Overlay->Font()->SetColor(Font()->Color());
  Overlay->SetBounds(Cell.left + Left() + 2, Cell.top + Top() + 2, Cell.right - Cell.left, Cell.bottom - Cell.top);
  Overlay->Show();
  Overlay->BringToFront();
}

void TVTRXDBGrid::ColExit() {
  TField* field = SelectedField();
  if (field != nullptr) {
    if (FDateEdit != nullptr && SameFieldName(FDateEdit->DataField(), field->FieldName()))
      FDateEdit->Hide();
    else if (FCheckBox != nullptr && SameFieldName(FCheckBox->DataField(), field->FieldName()))
      FCheckBox->Hide();
  }
  TRxDBGrid::ColExit();
}

// ---- The date overlay ---------------------------------------------------------------------------
BEGIN_PUBLISHED(TVtDGDateEdit)
  PROPERTY(DBGrid, DBGrid, SetDBGrid),
END_PUBLISHED

void TVtDGDateEdit::SetDBGrid(TVTRXDBGrid* Value) { ReplaceComponentReference(this, FDBGrid, Value); }

void TVtDGDateEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TDBDateEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDBGrid)
    FDBGrid = nullptr;
}

void TVtDGDateEdit::Dispatch(TMessage& Message) {
  if (AnswerOverlayDlgCode(Message, this, DLGC_WANTTAB) || AnswerOverlayWantsEnter(Message))
    return;
  TDBDateEdit::Dispatch(Message);
}

void TVtDGDateEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (OverlayNavigationKey(this, FDBGrid, Key))
    return;
  if (Key == VK_RETURN && !PopupVisible()) {
    ReturnToGrid(FDBGrid);
    Key = 0;
    return;
  }
  TDBDateEdit::KeyDown(Key, Shift);
}

// ---- The check-box overlay ----------------------------------------------------------------------
BEGIN_PUBLISHED(TVtDGCheckBox)
  PROPERTY(Caption2, Caption2, SetCaption2),
  PROPERTY(DBGrid, DBGrid, SetDBGrid),
  PROPERTY(ValueChecked, ValueChecked, SetValueChecked).Stored<&Self::IsCheckedValueStored>(),
  PROPERTY(ValueUnchecked, ValueUnchecked, SetValueUnchecked).Stored<&Self::IsUncheckedValueStored>(),
END_PUBLISHED

TVtDGCheckBox::TVtDGCheckBox(TComponent* AOwner) : TDBCheckBox(AOwner) {
  SetValueChecked("1");
  SetValueUnchecked("0");
}

void TVtDGCheckBox::SetDBGrid(TVTRXDBGrid* Value) { ReplaceComponentReference(this, FDBGrid, Value); }

// The caption follows at once, not only at the next change of state.
void TVtDGCheckBox::SetCaption2(const AnsiString& Value) {
  FCaption2 = Value;
  if (FCaption2.find(';') != AnsiString::npos)
    SetCaption(Checked() ? FCaption2.substr(0, FCaption2.find(';')) : FCaption2.substr(FCaption2.find(';') + 1));
}

void TVtDGCheckBox::Notification(TComponent* AComponent, TOperation Operation) {
  TDBCheckBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDBGrid)
    FDBGrid = nullptr;
}

void TVtDGCheckBox::Dispatch(TMessage& Message) {
  if (AnswerOverlayDlgCode(Message, this, DLGC_WANTTAB | DLGC_WANTARROWS) || AnswerOverlayWantsEnter(Message))
    return;
  TDBCheckBox::Dispatch(Message);
}

void TVtDGCheckBox::Click() {
  SetCaption2(FCaption2);
  TDBCheckBox::Click();
}

void TVtDGCheckBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (OverlayNavigationKey(this, FDBGrid, Key))
    return;
  if (Key == VK_RETURN) {
    ReturnToGrid(FDBGrid);
    Key = 0;
    return;
  }
  TDBCheckBox::KeyDown(Key, Shift);
}
