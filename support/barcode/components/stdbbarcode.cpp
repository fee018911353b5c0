#include "support/barcode/components/stdbbarcode.h"

BEGIN_PUBLISHED(TStDbBarCode)
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(DataField, DataField, SetDataField),
END_PUBLISHED

TStDbBarCode::TStDbBarCode(TComponent* AOwner)
    : TStBarCode(AOwner),
      FDataLink(std::make_unique<TBarcodeFieldLink>([this](const AnsiString& Code) { SetCode(Code); })) {}

TStDbBarCode::~TStDbBarCode() { FDataLink.reset(); }

void TStDbBarCode::SetDataSource(TComponent* Value) {
  TComponent* old = DataSource();
  if (Value == old) return;
  FDataLink->SetDataSource(Value);
  if (old != nullptr) old->RemoveFreeNotification(this);
  if (Value != nullptr) Value->FreeNotification(this);
}

void TStDbBarCode::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink != nullptr && AComponent == DataSource()) SetDataSource(nullptr);
}
