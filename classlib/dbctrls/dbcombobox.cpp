#include "classlib/dbctrls/dbcombobox.h"

BEGIN_PUBLISHED(TDBComboBox)
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(DropDownCount, DropDownCount, SetDropDownCount).Default(8),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ItemHeight, ItemHeight, SetItemHeight).Default(16),
  PROPERTY(Items, Items, SetItems),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Sorted, Sorted, SetSorted).Default(false),
  PROPERTY(Style, Style, SetStyle).Default(csDropDown),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDropDown, OnDropDown, OnDropDown),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
END_PUBLISHED

TDBComboBox::TDBComboBox(TComponent* AOwner) : TCustomComboBox(AOwner), FDataLink(this) {
  FDataLink.OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink.OnActiveChange = [this](TObject*) { DataChange(); };
  FDataLink.OnUpdateData = [this](TObject*) { FDataLink.Field()->SetText(ComboText()); };
}

void TDBComboBox::SetDataSource(TDataSource* Value) { FDataLink.SetControlDataSource(Value); }

void TDBComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomComboBox::Notification(AComponent, Operation);
  FDataLink.NotifyRemoved(AComponent, Operation);
}

void TDBComboBox::Dispatch(TMessage& Message) {
  if (FDataLink.AnswerQuery(Message))
    return;
  TCustomComboBox::Dispatch(Message);
}

AnsiString TDBComboBox::ComboText() {
  if (Style() == csDropDownList) {
    int index = ItemIndex();
    return index >= 0 ? Items()->Strings(index) : AnsiString();
  }
  return Text();
}

void TDBComboBox::DataChange() {
  TField* field = FDataLink.Field();
  AnsiString text = field != nullptr ? field->Text() : AnsiString();
  if (Style() == csDropDownList)
    SetItemIndex(Items()->IndexOf(text));
  else
    SetText(text);
}

// A change by the user: taken when the data set can be edited, else undone.
// Going into edit mode shows the field's value again, so the choice is
// kept aside meanwhile.
void TDBComboBox::Change() {
  const AnsiString chosen = Text();
  const int index = ItemIndex();
  if (!FDataLink.Edit()) {
    DataChange();
    return;
  }
  if (Style() == csDropDownList)
    SetItemIndex(index);
  else
    SetText(chosen);
  FDataLink.Modified();
  TCustomComboBox::Change();
}

void TDBComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomComboBox::KeyDown(Key, Shift);
  // The arrow keys choose another item: edit mode first, or no choice.
  bool chooses = Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT ||
                 (Style() == csDropDownList && (Key == VK_HOME || Key == VK_END));
  if (chooses && !FDataLink.Edit())
    Key = 0;
  else
    FieldEditKeyDown(FDataLink, Key, Shift);
}

void TDBComboBox::KeyPress(char& Key) {
  TCustomComboBox::KeyPress(Key);
  if (static_cast<unsigned char>(Key) == 27) {
    FDataLink.Reset();
    Key = 0;
    return;
  }
  FieldEditKeyPress(FDataLink, Key);
}

void TDBComboBox::CMExit(TMessage& Message) {
  try {
    FDataLink.UpdateRecord();
  } catch (...) {
    SetFocus();
    throw;
  }
  TCustomComboBox::CMExit(Message);
}
