// TStBarCode: a barcode as a visual control. It paints itself on its parent
// and paints onto any canvas within a rectangle (PaintToCanvas), which the
// report runner uses to print barcodes through images.
//
// BarWidth is the narrow module width in mils (thousandths of an inch), so a
// symbol keeps its physical size on every device: on a device of D dots per
// inch a module is max(1, round(BarWidth x D / 1000)) whole pixels,
// narrower only where the rectangle is too small for the symbol (see
// barcodepainter.h for the whole geometry). BarToSpaceRatio is the width of
// a wide element in modules for the two-width symbologies (Interleaved 2 of
// 5, Codabar, Code 11, Code 39), taken into 2..3. GuardHeight (pixels at the
// screen's resolution) is how much further down the EAN/UPC guard bars reach
// when TallGuardBars is on. AddCheckChar adds the optional check characters
// of Code 39, Code 11 and Interleaved 2 of 5; the other symbologies always
// carry theirs (Codabar has none).
//
// A code the symbology rejects raises EStBarCodeError from PaintToCanvas
// before anything is painted. On screen such a code shows the background
// only: an exception from a paint message would come back with every repaint.
#pragma once
#include "classlib/controls/graphiccontrol.h"
#include "support/barcode/barcodepattern.h"
#include "support/barcode/components/barcodepainter.h"

DOZURI_ENUM(TBarcodeType, "bcUPC_A", "bcUPC_E", "bcEAN_8", "bcEAN_13", "bcInterleaved2of5", "bcCodabar", "bcCode11",
            "bcCode39", "bcCode93", "bcCode128");

class TStBarCode : public TGraphicControl {
  DECLARE_CLASS(TStBarCode, TGraphicControl)

public:
  explicit TStBarCode(TComponent* AOwner);

  TBarcodeType BarCodeType() const { return FLook.BarCodeType; }
  void SetBarCodeType(TBarcodeType Value);
  const AnsiString& Code() const { return FLook.Code; }
  void SetCode(const AnsiString& Value);
  long double BarWidth() const { return FLook.BarWidth; }
  void SetBarWidth(long double Value);
  long double BarToSpaceRatio() const { return FLook.BarToSpaceRatio; }
  void SetBarToSpaceRatio(long double Value);
  bool AddCheckChar() const { return FLook.AddCheckChar; }
  void SetAddCheckChar(bool Value);
  bool ShowCode() const { return FLook.ShowCode; }
  void SetShowCode(bool Value);
  bool TallGuardBars() const { return FLook.TallGuardBars; }
  void SetTallGuardBars(bool Value);
  int GuardHeight() const { return FLook.GuardHeight; }
  void SetGuardHeight(int Value);

  // Paints the symbol into ARect of Canvas for a device of Dpi dots per inch;
  // Dpi 0 takes the resolution of the canvas's own device. Raises
  // EStBarCodeError, painting nothing, for a code the symbology rejects.
  void PaintToCanvas(TCanvas& Canvas, const TRect& ARect, int Dpi = 0);

protected:
  void Paint() override;

private:
  TBarcodeLook Look() const;
  void Changed();
  bool IsColorStored() { return !ParentColor(); }
  bool IsFontStored() { return !ParentFont(); }

  TBarcodeLook FLook;
};
