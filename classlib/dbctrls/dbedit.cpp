#include "classlib/dbctrls/dbedit.h"

BEGIN_PUBLISHED(TDBEdit)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSelect, AutoSelect, SetAutoSelect).Default(true),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(CharCase, CharCase, SetCharCase).Default(ecNormal),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentCtl3D, ParentCtl3D, SetParentCtl3D).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PasswordChar, PasswordChar, SetPasswordChar).Default(0),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TDBEdit::TDBEdit(TComponent* AOwner) : TCustomEdit(AOwner), FDataLink(this) {
  FDataLink.OnDataChange = [this](TObject* s) { DataChange(s); };
  FDataLink.OnEditingChange = [this](TObject* s) { EditingChange(s); };
  FDataLink.OnUpdateData = [this](TObject* s) { UpdateData(s); };
  FDataLink.OnActiveChange = [this](TObject* s) { DataChange(s); };
  FDataLink.OnFocusRequest = [this] {
    if (!CanFocus())
      return false;
    SetFocus();
    return true;
  };
}

void TDBEdit::SetDataSource(TDataSource* Value) { FDataLink.SetControlDataSource(Value); }

void TDBEdit::SetReadOnly(bool Value) { FDataLink.SetReadOnly(Value); }

void TDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomEdit::Notification(AComponent, Operation);
  FDataLink.NotifyRemoved(AComponent, Operation);
}

void TDBEdit::Dispatch(TMessage& Message) {
  if (FDataLink.AnswerQuery(Message))
    return;
  TCustomEdit::Dispatch(Message);
}

void TDBEdit::DataChange(TObject* Sender) {
  TField* field = FDataLink.Field();
  if (field != nullptr && MaxLength() == 0 && field->DataType() == ftString)
    SetMaxLength(field->Size());
  SetText(FieldControlText(field, FFocused && FDataLink.CanModify()));
}

void TDBEdit::EditingChange(TObject* Sender) {
  // The window refuses typing while the field cannot change through this edit.
  TCustomEdit::SetReadOnly(FDataLink.Field() != nullptr && !FDataLink.CanModify());
}

void TDBEdit::UpdateData(TObject* Sender) { FDataLink.Field()->SetText(Text()); }

void TDBEdit::Change() {
  FDataLink.Modified();
  TCustomEdit::Change();
}

void TDBEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  FieldEditKeyDown(FDataLink, Key, Shift);
}

void TDBEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  auto code = static_cast<unsigned char>(Key);
  if (code == 27) {
    FDataLink.Reset();
    SelectAll();
    Key = 0;
    return;
  }
  FieldEditKeyPress(FDataLink, Key);
}

void TDBEdit::SetFocused(bool Value) {
  if (FFocused == Value)
    return;
  FFocused = Value;
  FDataLink.Reset();
}

void TDBEdit::DoEnter() {
  SetFocused(true);
  TCustomEdit::DoEnter();
}

void TDBEdit::CMExit(TMessage& Message) {
  try {
    FDataLink.UpdateRecord();
  } catch (...) {
    SelectAll();
    SetFocus();
    throw;
  }
  SetFocused(false);
  TCustomEdit::CMExit(Message);
}
