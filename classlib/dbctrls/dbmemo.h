// TDBMemo: a multi-line edit of one field (usually a memo field) of the
// current record. Typing puts the data set into edit mode; the text
// reaches the field when the data set posts or the memo is left; Esc gives
// the field's value back.
#pragma once
#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/stdctrls/memo.h"

class TDBMemo : public TCustomMemo {
  DECLARE_CLASS(TDBMemo, TCustomMemo)

public:
  explicit TDBMemo(TComponent* AOwner);

  TDataSource* DataSource() const { return FDataLink.DataSource(); }
  void SetDataSource(TDataSource* Value);
  const AnsiString& DataField() const { return FDataLink.FieldName(); }
  void SetDataField(const AnsiString& Value) { FDataLink.SetFieldName(Value); }
  TField* Field() const { return FDataLink.Field(); }
  bool ReadOnly() const { return FDataLink.ReadOnly(); }
  void SetReadOnly(bool Value) { FDataLink.SetReadOnly(Value); }

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Change() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void CMExit(TMessage& Message) override;

private:
  void DataChange();

  TControlFieldLink FDataLink;
};
