#include "support/barcode/components/barcodefieldlink.h"

#include "classlib/data/datalink.h"
#include "classlib/data/datasource.h"
#include "classlib/data/field.h"

TBarcodeFieldLink::TBarcodeFieldLink(TCodeProc OnCode)
    : FLink(std::make_unique<TFieldDataLink>()), FOnCode(std::move(OnCode)) {
  FLink->OnDataChange = [this](TObject*) { DataChange(); };
}

TBarcodeFieldLink::~TBarcodeFieldLink() {
  FLink->OnDataChange = nullptr;
  FLink->SetDataSource(nullptr);
}

TComponent* TBarcodeFieldLink::DataSource() const { return FLink->DataSource(); }

void TBarcodeFieldLink::SetDataSource(TComponent* Value) {
  auto* source = dynamic_cast<TDataSource*>(Value);
  if (Value != nullptr && source == nullptr) throw EInvalidCast("Invalid class typecast");
  FLink->SetDataSource(source);
}

const AnsiString& TBarcodeFieldLink::FieldName() const { return FLink->FieldName(); }

void TBarcodeFieldLink::SetFieldName(const AnsiString& Value) { FLink->SetFieldName(Value); }

TField* TBarcodeFieldLink::Field() const { return FLink->Field(); }

void TBarcodeFieldLink::DataChange() {
  // Without a field the barcode keeps the code it has.
  if (TField* field = FLink->Field()) FOnCode(field->DisplayText());
}
