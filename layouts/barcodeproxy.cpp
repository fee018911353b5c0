#include "layouts/barcodeproxy.h"

#include "classlib/graphics/canvas.h"
#include "layouts/core/bindinghints.h"
#include "reportengine/printables/qrimage.h"
#include "support/barcode/components/stbarcode.h"

TQRImage* CreateBarcodeProxy(TComponent& Owner, TStBarCode& Barcode) {
  auto* proxy = new TQRImage(&Owner);
  proxy->SetParent(Barcode.Parent());
  proxy->SetBounds(Barcode.Left(), Barcode.Top(), Barcode.Width(), Barcode.Height());
  proxy->SetHint(Barcode.Name());
  proxy->SetTag(BarcodeProxyTag);
  return proxy;
}

bool IsBarcodeProxy(const TQRImage& Image) { return Image.Tag() == BarcodeProxyTag; }

void PaintBarcodeIntoProxy(TStBarCode& Barcode, TQRImage& Proxy) {
  TCanvas* canvas = Proxy.BitmapCanvas();
  if (canvas == nullptr)
    return;
  const TRect area = Proxy.ClientRect();
  canvas->Brush().SetColor(clWhite);
  canvas->FillRect(area);
  if (!Barcode.Code().empty())
    Barcode.PaintToCanvas(*canvas, area);
  Proxy.Invalidate();
}
