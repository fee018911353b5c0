// TDBCheckBox: a check box for one field of the current record. A boolean
// field is checked when true; another field is checked when its text is one
// of ValueChecked ("A;B": any of them, without regard to case), unchecked
// when one of ValueUnchecked, grayed otherwise. A click puts the data set
// into edit mode and the new state reaches the field when it posts (a
// boolean as true/false, another field as the first text of the list).
#pragma once
#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/stdctrls/checkbox.h"

class TDBCheckBox : public TCustomCheckBox {
  DECLARE_CLASS(TDBCheckBox, TCustomCheckBox)

public:
  explicit TDBCheckBox(TComponent* AOwner);

  TDataSource* DataSource() const { return FDataLink.DataSource(); }
  void SetDataSource(TDataSource* Value);
  const AnsiString& DataField() const { return FDataLink.FieldName(); }
  void SetDataField(const AnsiString& Value) { FDataLink.SetFieldName(Value); }
  TField* Field() const { return FDataLink.Field(); }
  bool ReadOnly() const { return FDataLink.ReadOnly(); }
  void SetReadOnly(bool Value) { FDataLink.SetReadOnly(Value); }
  const AnsiString& ValueChecked() const { return FValueChecked; }
  void SetValueChecked(const AnsiString& Value);
  const AnsiString& ValueUnchecked() const { return FValueUnchecked; }
  void SetValueUnchecked(const AnsiString& Value);

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Toggle() override;
  void CMExit(TMessage& Message) override;

private:
  void DataChange();
  void UpdateData();
  TCheckBoxState FieldState() const;
  bool IsValueCheckedStored() { return FValueChecked != "True"; }
  bool IsValueUncheckedStored() { return FValueUnchecked != "False"; }

  TControlFieldLink FDataLink;
  AnsiString FValueChecked = "True";
  AnsiString FValueUnchecked = "False";
};
