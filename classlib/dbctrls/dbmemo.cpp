#include "classlib/dbctrls/dbmemo.h"

BEGIN_PUBLISHED(TDBMemo)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentCtl3D, ParentCtl3D, SetParentCtl3D).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ScrollBars, ScrollBars, SetScrollBars).Default(ssNone),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(WantReturns, WantReturns, SetWantReturns).Default(true),
  PROPERTY(WantTabs, WantTabs, SetWantTabs).Default(false),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
END_PUBLISHED

TDBMemo::TDBMemo(TComponent* AOwner) : TCustomMemo(AOwner), FDataLink(this) {
  FDataLink.OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink.OnActiveChange = [this](TObject*) { DataChange(); };
  FDataLink.OnUpdateData = [this](TObject*) { FDataLink.Field()->SetAsString(Text()); };
}

void TDBMemo::SetDataSource(TDataSource* Value) { FDataLink.SetControlDataSource(Value); }

void TDBMemo::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMemo::Notification(AComponent, Operation);
  FDataLink.NotifyRemoved(AComponent, Operation);
}

void TDBMemo::Dispatch(TMessage& Message) {
  if (FDataLink.AnswerQuery(Message))
    return;
  TCustomMemo::Dispatch(Message);
}

// A memo shows the whole value, not a field's one-line display text.
void TDBMemo::DataChange() {
  TField* field = FDataLink.Field();
  SetText(field != nullptr ? field->AsString() : AnsiString());
}

void TDBMemo::Change() {
  FDataLink.Modified();
  TCustomMemo::Change();
}

void TDBMemo::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomMemo::KeyDown(Key, Shift);
  FieldEditKeyDown(FDataLink, Key, Shift);
}

void TDBMemo::KeyPress(char& Key) {
  TCustomMemo::KeyPress(Key);
  if (static_cast<unsigned char>(Key) == 27) {
    FDataLink.Reset();
    Key = 0;
    return;
  }
  if (Key == '\r' && !WantReturns())
    return;
  FieldEditKeyPress(FDataLink, Key);
}

void TDBMemo::CMExit(TMessage& Message) {
  try {
    FDataLink.UpdateRecord();
  } catch (...) {
    SetFocus();
    throw;
  }
  TCustomMemo::CMExit(Message);
}
