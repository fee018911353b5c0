#include "support/barcode/components/stbarcode.h"

#include <cmath>

#include "classlib/graphics/screenfacts.h"

BEGIN_PUBLISHED(TStBarCode)
  PROPERTY(BarCodeType, BarCodeType, SetBarCodeType).Default(bcUPC_A),
  PROPERTY(Code, Code, SetCode),
  PROPERTY(BarWidth, BarWidth, SetBarWidth),
  PROPERTY(BarToSpaceRatio, BarToSpaceRatio, SetBarToSpaceRatio),
  PROPERTY(AddCheckChar, AddCheckChar, SetAddCheckChar).Default(false),
  PROPERTY(ShowCode, ShowCode, SetShowCode).Default(true),
  PROPERTY(TallGuardBars, TallGuardBars, SetTallGuardBars).Default(false),
  PROPERTY(GuardHeight, GuardHeight, SetGuardHeight),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&TStBarCode::IsColorStored>(),
  PROPERTY(Font, Font, SetFont).Stored<&TStBarCode::IsFontStored>(),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
END_PUBLISHED

namespace {
// Half a screen inch by a sixth: room for an EAN-13 at 12 mils with its text.
constexpr int kDefaultWidth = 150;
constexpr int kDefaultHeight = 60;
constexpr int kDefaultGuardHeight = 6;
}  // namespace

TStBarCode::TStBarCode(TComponent* AOwner) : TGraphicControl(AOwner) {
  FLook.BarCodeType = bcUPC_A;
  FLook.BarWidth = 12;
  FLook.BarToSpaceRatio = 2;
  FLook.ShowCode = true;
  FLook.GuardHeight = kDefaultGuardHeight;
  // The symbol's background covers the whole control.
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  SetColor(clWhite);
  SetBounds(Left(), Top(), kDefaultWidth, kDefaultHeight);
}

void TStBarCode::SetBarCodeType(TBarcodeType Value) {
  if (Value == FLook.BarCodeType) return;
  FLook.BarCodeType = Value;
  Changed();
}

void TStBarCode::SetCode(const AnsiString& Value) {
  if (Value == FLook.Code) return;
  FLook.Code = Value;
  Changed();
}

void TStBarCode::SetBarWidth(long double Value) {
  double value = static_cast<double>(Value);
  if (value == FLook.BarWidth) return;
  FLook.BarWidth = value;
  Changed();
}

void TStBarCode::SetBarToSpaceRatio(long double Value) {
  double value = static_cast<double>(Value);
  if (value == FLook.BarToSpaceRatio) return;
  FLook.BarToSpaceRatio = value;
  Changed();
}

void TStBarCode::SetAddCheckChar(bool Value) {
  if (Value == FLook.AddCheckChar) return;
  FLook.AddCheckChar = Value;
  Changed();
}

void TStBarCode::SetShowCode(bool Value) {
  if (Value == FLook.ShowCode) return;
  FLook.ShowCode = Value;
  Changed();
}

void TStBarCode::SetTallGuardBars(bool Value) {
  if (Value == FLook.TallGuardBars) return;
  FLook.TallGuardBars = Value;
  Changed();
}

void TStBarCode::SetGuardHeight(int Value) {
  if (Value == FLook.GuardHeight) return;
  FLook.GuardHeight = Value;
  Changed();
}

TBarcodeLook TStBarCode::Look() const {
  TBarcodeLook look = FLook;
  look.Color = Color();
  return look;
}

void TStBarCode::Changed() { Invalidate(); }

void TStBarCode::PaintToCanvas(TCanvas& Canvas, const TRect& ARect, int Dpi) {
  if (Dpi <= 0) Dpi = GetDeviceCaps(Canvas.Handle(), LOGPIXELSX);
  if (Dpi <= 0) Dpi = ScreenFacts().PixelsPerInch;
  PaintBarcode(Canvas, ARect, Dpi, Look(), *Font());
}

void TStBarCode::Paint() {
  TCanvas& canvas = *Canvas();
  TRect client = ClientRect();
  try {
    PaintToCanvas(canvas, client, ScreenFacts().PixelsPerInch);
  } catch (const EStBarCodeError&) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
}
