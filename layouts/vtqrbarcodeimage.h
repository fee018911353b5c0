// TVtQrBarcodeImage: an image printable bound to a data set and field. It
// draws and prints as a plain image and paints no barcode by itself; the
// class exists so that layouts holding it load. Setting DataField shows the
// field's name as the control's text.
#pragma once
#include "reportengine/printables/qrimage.h"

class TDataSet;

class TVtQrBarcodeImage : public TQRImage {
  DECLARE_CLASS(TVtQrBarcodeImage, TQRImage)

public:
  explicit TVtQrBarcodeImage(TComponent* AOwner) : TQRImage(AOwner) {}

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  const AnsiString& DataField() const { return FDataField; }
  void SetDataField(const AnsiString& Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TDataSet* FDataSet = nullptr;
  AnsiString FDataField;
};
