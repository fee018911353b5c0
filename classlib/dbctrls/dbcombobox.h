// TDBComboBox: a combo box for one field of the current record. It shows
// the field's text (a drop-down list selects the item of that text); a
// choice or typing puts the data set into edit mode, and the text reaches
// the field when the data set posts or the box is left.
#pragma once
#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/stdctrls/combobox.h"

class TDBComboBox : public TCustomComboBox {
  DECLARE_CLASS(TDBComboBox, TCustomComboBox)

public:
  explicit TDBComboBox(TComponent* AOwner);

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
  // The text chosen or typed.
  AnsiString ComboText();

  TControlFieldLink FDataLink;
};
