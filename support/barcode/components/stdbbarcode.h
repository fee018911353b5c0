// TStDbBarCode: a barcode that shows a field of the current record. Its Code
// follows the field's display text whenever the record or the field's value
// changes; while there is no field (no data source, a closed data set, no
// field name) the barcode keeps the code it has.
//
// DataSource is published as a component reference that takes only a
// TDataSource (anything else raises EInvalidCast): the data classes are named
// in the link's own unit only (barcodefieldlink.h).
#pragma once
#include <memory>

#include "support/barcode/components/barcodefieldlink.h"
#include "support/barcode/components/stbarcode.h"

class TStDbBarCode : public TStBarCode {
  DECLARE_CLASS(TStDbBarCode, TStBarCode)

public:
  explicit TStDbBarCode(TComponent* AOwner);
  ~TStDbBarCode() override;

  TComponent* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TComponent* Value);
  const AnsiString& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const AnsiString& Value) { FDataLink->SetFieldName(Value); }
  // The field shown, or nullptr.
  TField* Field() const { return FDataLink->Field(); }

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::unique_ptr<TBarcodeFieldLink> FDataLink;
};
