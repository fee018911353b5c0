#include "classlib/dbctrls/dbcheckbox.h"

#include "classlib/system/strutils.h"

namespace {

// Whether Text is one of the ";"-separated values, without regard to case.
bool IsOneOf(const AnsiString& Text, const AnsiString& Values) {
  std::size_t start = 0;
  while (start <= Values.size()) {
    std::size_t end = Values.find(';', start);
    if (end == AnsiString::npos)
      end = Values.size();
    if (AnsiCompareText(Values.substr(start, end - start), Text) == 0)
      return true;
    start = end + 1;
  }
  return false;
}

AnsiString FirstOf(const AnsiString& Values) { return Values.substr(0, Values.find(';')); }

}  // namespace

BEGIN_PUBLISHED(TDBCheckBox)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taRightJustify),
  PROPERTY(AllowGrayed, AllowGrayed, SetAllowGrayed).Default(false),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(ValueChecked, ValueChecked, SetValueChecked).Stored<&Self::IsValueCheckedStored>(),
  PROPERTY(ValueUnchecked, ValueUnchecked, SetValueUnchecked).Stored<&Self::IsValueUncheckedStored>(),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
END_PUBLISHED

TDBCheckBox::TDBCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner), FDataLink(this) {
  SetState(cbUnchecked);
  FDataLink.OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink.OnActiveChange = [this](TObject*) { DataChange(); };
  FDataLink.OnUpdateData = [this](TObject*) { UpdateData(); };
}

void TDBCheckBox::SetDataSource(TDataSource* Value) { FDataLink.SetControlDataSource(Value); }

void TDBCheckBox::SetValueChecked(const AnsiString& Value) {
  FValueChecked = Value;
  DataChange();
}

void TDBCheckBox::SetValueUnchecked(const AnsiString& Value) {
  FValueUnchecked = Value;
  DataChange();
}

void TDBCheckBox::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomCheckBox::Notification(AComponent, Operation);
  FDataLink.NotifyRemoved(AComponent, Operation);
}

void TDBCheckBox::Dispatch(TMessage& Message) {
  if (FDataLink.AnswerQuery(Message))
    return;
  TCustomCheckBox::Dispatch(Message);
}

TCheckBoxState TDBCheckBox::FieldState() const {
  TField* field = FDataLink.Field();
  if (field == nullptr)
    return cbUnchecked;
  if (field->IsNull())
    return cbGrayed;
  if (field->DataType() == ftBoolean)
    return field->AsBoolean() ? cbChecked : cbUnchecked;
  AnsiString text = field->Text();
  if (IsOneOf(text, FValueChecked))
    return cbChecked;
  if (IsOneOf(text, FValueUnchecked))
    return cbUnchecked;
  return cbGrayed;
}

void TDBCheckBox::DataChange() { SetState(FieldState()); }

void TDBCheckBox::Toggle() {
  if (!FDataLink.Edit())
    return;
  TCustomCheckBox::Toggle();
  FDataLink.Modified();
}

void TDBCheckBox::UpdateData() {
  TField* field = FDataLink.Field();
  if (State() == cbGrayed)
    field->Clear();
  else if (field->DataType() == ftBoolean)
    field->SetAsBoolean(Checked());
  else
    field->SetText(FirstOf(Checked() ? FValueChecked : FValueUnchecked));
}

void TDBCheckBox::CMExit(TMessage& Message) {
  try {
    FDataLink.UpdateRecord();
  } catch (...) {
    SetFocus();
    throw;
  }
  TCustomCheckBox::CMExit(Message);
}
