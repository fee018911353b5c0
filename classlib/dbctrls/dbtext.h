// TDBText: a label that shows the display text of one field of the
// current record.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/dbctrls/dbcontrolsupport.h"

class TDBText : public TCustomLabel {
  DECLARE_CLASS(TDBText, TCustomLabel)

public:
  explicit TDBText(TComponent* AOwner);

  TDataSource* DataSource() const { return FDataLink.DataSource(); }
  void SetDataSource(TDataSource* Value);
  const AnsiString& DataField() const { return FDataLink.FieldName(); }
  void SetDataField(const AnsiString& Value) { FDataLink.SetFieldName(Value); }
  TField* Field() const { return FDataLink.Field(); }

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void DataChange(TObject* Sender);

  TControlFieldLink FDataLink;
};
