// The barcode proxy's picture: a black-and-white barcode is kept in a
// one-bit bitmap (every label copies it into its page and to the printer),
// with the very pixels a full-colour bitmap gets; a barcode in other colours
// keeps them.
#include "layouts/barcodeproxy.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/classes/component.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/picture.h"
#include "reportengine/printables/qrimage.h"
#include "support/barcode/components/stbarcode.h"

namespace {

struct ProxyCase {
  const char* Name;
  TColor Background;
  TColor Digits;
  bool OneBit;
};

// The barcode as a bitmap of the screen's format would hold it.
std::unique_ptr<TBitmap> FullColourPaint(TStBarCode& Barcode, int Width, int Height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(Width, Height);
  TCanvas& canvas = bitmap->Canvas();
  const RECT area{0, 0, Width, Height};
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(area);
  Barcode.PaintToCanvas(canvas, area);
  return bitmap;
}

// The first pixel where the two differ, or "" when none does.
std::string FirstDifference(TCanvas& Got, TCanvas& Want, int Width, int Height) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (ColorToRGB(Got.GetPixel(x, y)) != ColorToRGB(Want.GetPixel(x, y)))
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return "";
}

TEST(BarcodeProxyPicture, HoldsTheBarcodesPixelsInOneBitOnlyWhenItIsBlackAndWhite) {
  const ProxyCase cases[] = {
      {"black on white", clWhite, clBlack, true},
      {"yellow ground", clYellow, clBlack, false},
      {"red digits", clWhite, clRed, false},
  };
  for (const ProxyCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TComponent owner(nullptr);
    auto* barcode = new TStBarCode(&owner);
    barcode->SetBounds(0, 0, 210, 79);
    barcode->SetBarCodeType(bcEAN_13);
    barcode->SetAddCheckChar(true);
    barcode->SetShowCode(true);
    barcode->SetTallGuardBars(true);
    barcode->SetCode("869123400001");
    barcode->SetColor(c.Background);
    barcode->Font()->SetColor(c.Digits);
    TQRImage* proxy = CreateBarcodeProxy(owner, *barcode);
    PaintBarcodeIntoProxy(*barcode, *proxy);
    auto* picture = dynamic_cast<TBitmap*>(proxy->Picture()->Graphic());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Monochrome(), c.OneBit);
    ASSERT_EQ(picture->Width(), 210);
    ASSERT_EQ(picture->Height(), 79);
    std::unique_ptr<TBitmap> reference = FullColourPaint(*barcode, 210, 79);
    EXPECT_EQ(FirstDifference(picture->Canvas(), reference->Canvas(), 210, 79), "");
    // The next record repaints the same picture.
    barcode->SetCode("869123400002");
    PaintBarcodeIntoProxy(*barcode, *proxy);
    EXPECT_EQ(proxy->Picture()->Graphic(), picture);
    reference = FullColourPaint(*barcode, 210, 79);
    EXPECT_EQ(FirstDifference(picture->Canvas(), reference->Canvas(), 210, 79), "");
  }
}

}  // namespace
