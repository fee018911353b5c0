#include "layouts/vtqrbarcodeimage.h"

#include "classlib/classes/typinfo.h"
#include "classlib/data/dataset.h"

BEGIN_PUBLISHED(TVtQrBarcodeImage)
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(DataField, DataField, SetDataField),
END_PUBLISHED

void TVtQrBarcodeImage::SetDataSet(TDataSet* Value) {
  ReplaceComponentReference(this, FDataSet, Value);
}

void TVtQrBarcodeImage::SetDataField(const AnsiString& Value) {
  if (Value == FDataField)
    return;
  FDataField = Value;
  SetText(Value);
  Invalidate();
}

void TVtQrBarcodeImage::Notification(TComponent* AComponent, TOperation Operation) {
  TQRImage::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet)
    FDataSet = nullptr;
}
