// TDBEdit: a one-line edit of one field of the current record.
//
// It shows the field's display text, and its edit text while it has the
// focus. Typing puts the data set into edit mode first (a key that cannot
// change the field is dropped); the text typed reaches the field when the
// data set posts (the link's UpdateData) or when the edit is left. Esc
// gives the field's value back.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/dbctrls/dbcontrolsupport.h"

class TDBEdit : public TCustomEdit {
  DECLARE_CLASS(TDBEdit, TCustomEdit)

public:
  explicit TDBEdit(TComponent* AOwner);

  TDataSource* DataSource() const { return FDataLink.DataSource(); }
  void SetDataSource(TDataSource* Value);
  const AnsiString& DataField() const { return FDataLink.FieldName(); }
  void SetDataField(const AnsiString& Value) { FDataLink.SetFieldName(Value); }
  TField* Field() const { return FDataLink.Field(); }
  // Read-only keeps the data set from being put into edit mode through this edit.
  bool ReadOnly() const { return FDataLink.ReadOnly(); }
  void SetReadOnly(bool Value);

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoEnter() override;
  void CMExit(TMessage& Message) override;
  TControlFieldLink& DataLink() { return FDataLink; }

private:
  void DataChange(TObject* Sender);
  void EditingChange(TObject* Sender);
  void UpdateData(TObject* Sender);
  void SetFocused(bool Value);

  TControlFieldLink FDataLink;
  bool FFocused = false;
};
