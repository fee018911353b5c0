#include "layouts/barcodeproxy.h"

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/picture.h"
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

namespace {

// Black bars on white with black digits need no more than one bit a pixel.
bool PaintsInBlackAndWhite(TStBarCode& Barcode) {
  return ColorToRGB(Barcode.Color()) == ColorToRGB(clWhite) && ColorToRGB(Barcode.Font()->Color()) == ColorToRGB(clBlack);
}

// The proxy's picture, a bitmap of the proxy's size. A black-and-white
// barcode gets a one-bit bitmap: the same pixels in a thirty-second of the
// bytes of a screen bitmap, and every label copies them into its page and
// sends them to the printer.
void PrepareProxyBitmap(TStBarCode& Barcode, TQRImage& Proxy) {
  TGraphic* graphic = Proxy.Picture()->Graphic();
  if (graphic != nullptr && dynamic_cast<TBitmap*>(graphic) == nullptr)
    return;
  TBitmap& bitmap = Proxy.Picture()->Bitmap();
  bitmap.SetMonochrome(PaintsInBlackAndWhite(Barcode));
  if (bitmap.Width() != Proxy.Width() || bitmap.Height() != Proxy.Height())
    bitmap.SetSize(Proxy.Width(), Proxy.Height());
}

}  // namespace

void PaintBarcodeIntoProxy(TStBarCode& Barcode, TQRImage& Proxy) {
  PrepareProxyBitmap(Barcode, Proxy);
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
