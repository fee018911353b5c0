// TStBarCode as a component: its published properties, their streaming, and
// its painting onto a canvas and as a control.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "support/barcode/barcodeencoder.h"
#include "support/barcode/components/stbarcode.h"
#include "tests/support/barcode_components/componenttesting.h"
#include "tests/support/barcode_components/rendertesting.h"

namespace {

TEST(StBarCodeComponent, PublishesTheBarcodeProperties) {
  ExpectBarcodeProperties(TStBarCode::StaticClass());
  EXPECT_FALSE(IsPublishedProp(TStBarCode::StaticClass(), "DataSource"));
  EXPECT_FALSE(IsPublishedProp(TStBarCode::StaticClass(), "DataField"));
}

TEST(StBarCodeComponent, SymbologyOrdinalsFollowTheDesignersList) {
  PPropInfo info = GetPropInfo(TStBarCode::StaticClass(), "BarCodeType");
  ASSERT_NE(info, nullptr);
  const char* designerNames[] = {"UPC_A", "UPC_E",  "EAN_8",  "EAN_13", "Interleaved2of5",
                                 "Codabar", "Code11", "Code39", "Code93", "Code128"};
  for (int ordinal = 0; ordinal < 10; ++ordinal) {
    SCOPED_TRACE(designerNames[ordinal]);
    EXPECT_EQ(BarcodeTypeName(static_cast<TBarcodeType>(ordinal)), std::string(designerNames[ordinal]));
    EXPECT_EQ(GetEnumName(info->PropType, ordinal), std::string("bc") + designerNames[ordinal]);
  }
  TStBarCode barcode(nullptr);
  SetOrdProp(&barcode, "BarCodeType", 3);
  EXPECT_EQ(barcode.BarCodeType(), bcEAN_13);
  SetEnumProp(&barcode, "BarCodeType", "bcCode128");
  EXPECT_EQ(GetOrdProp(&barcode, "BarCodeType"), 9);
}

// The designer's barcode prototype: EAN-13, 12 mils, ratio 1, check
// character added, code shown, tall guard bars, white.
void MakePrototype(TStBarCode& barcode) {
  barcode.SetBarCodeType(bcEAN_13);
  barcode.SetBarWidth(12);
  barcode.SetBarToSpaceRatio(1);
  barcode.SetAddCheckChar(true);
  barcode.SetShowCode(true);
  barcode.SetTallGuardBars(true);
  barcode.SetColor(clWhite);
  barcode.SetCode("123456789012");
}

TEST(StBarCodeComponent, PropertiesStreamAndComeBack) {
  RegisterBarcodeTestClasses();
  TBarcodeTestRoot original(nullptr);
  original.SetName("Layout");
  auto* barcode = new TStBarCode(&original);
  barcode->SetName("Barkod1");
  MakePrototype(*barcode);
  barcode->SetBarCodeType(bcCode39);
  barcode->SetBarWidth(15.5);
  barcode->SetBarToSpaceRatio(2.5);
  barcode->SetShowCode(false);
  barcode->SetGuardHeight(9);
  barcode->SetColor(clYellow);
  barcode->SetHint("DATASET=ETIKET\r\nDATAFIELD=METIN1");
  barcode->SetBounds(10, 20, 200, 70);

  std::unique_ptr<TMemoryStream> stream = WriteRoot(&original);
  TBarcodeTestRoot copy(nullptr);
  {
    TReader reader(*stream);
    reader.ReadRootComponent(&copy);
  }
  auto* read = dynamic_cast<TStBarCode*>(copy.FindComponent("Barkod1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->BarCodeType(), bcCode39);
  EXPECT_EQ(read->Code(), "123456789012");
  EXPECT_EQ(read->BarWidth(), 15.5L);
  EXPECT_EQ(read->BarToSpaceRatio(), 2.5L);
  EXPECT_TRUE(read->AddCheckChar());
  EXPECT_FALSE(read->ShowCode());
  EXPECT_TRUE(read->TallGuardBars());
  EXPECT_EQ(read->GuardHeight(), 9);
  EXPECT_EQ(read->Color(), clYellow);
  EXPECT_EQ(read->Hint(), "DATASET=ETIKET\r\nDATAFIELD=METIN1");
  EXPECT_EQ(read->Width(), 200);
  EXPECT_EQ(read->Height(), 70);
}

TEST(StBarCodeComponent, SymbologyIsStreamedByName) {
  RegisterBarcodeTestClasses();
  TBarcodeTestRoot root(nullptr);
  root.SetName("Layout");
  auto* barcode = new TStBarCode(&root);
  barcode->SetName("Barkod1");
  MakePrototype(*barcode);
  std::string text = AsObjectText(&root);
  EXPECT_NE(text.find("BarCodeType = bcEAN_13"), std::string::npos) << text;
  EXPECT_NE(text.find("AddCheckChar = True"), std::string::npos) << text;
  EXPECT_NE(text.find("TallGuardBars = True"), std::string::npos) << text;
  EXPECT_NE(text.find("Code = '123456789012'"), std::string::npos) << text;
}

TEST(StBarCodeComponent, FontStreamsWhenNotTheParents) {
  if (GetPropList(TFont::StaticClass()).empty()) GTEST_SKIP() << "TFont publishes no properties yet";
  RegisterBarcodeTestClasses();
  TBarcodeTestRoot original(nullptr);
  original.SetName("Layout");
  auto* barcode = new TStBarCode(&original);
  barcode->SetName("Barkod1");
  barcode->Font()->SetName("Tahoma");
  barcode->Font()->SetSize(10);
  EXPECT_FALSE(barcode->ParentFont());
  std::unique_ptr<TMemoryStream> stream = WriteRoot(&original);
  TBarcodeTestRoot copy(nullptr);
  TReader reader(*stream);
  reader.ReadRootComponent(&copy);
  auto* read = dynamic_cast<TStBarCode*>(copy.FindComponent("Barkod1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Font()->Name(), "Tahoma");
  EXPECT_EQ(read->Font()->Size(), 10);
  EXPECT_FALSE(read->ParentFont());
}

class PaintFixture : public testing::Test {
protected:
  void SetUp() override {
    MakePrototype(barcode);
    barcode.SetBounds(0, 0, 180, 70);
  }
  // What PaintBarcode itself leaves for the barcode's look.
  TInkMask Reference(const RECT& rect, int dpi, int width, int height) {
    TBarcodeLook look;
    look.BarCodeType = barcode.BarCodeType();
    look.Code = barcode.Code();
    look.BarWidth = static_cast<double>(barcode.BarWidth());
    look.BarToSpaceRatio = static_cast<double>(barcode.BarToSpaceRatio());
    look.AddCheckChar = barcode.AddCheckChar();
    look.ShowCode = barcode.ShowCode();
    look.TallGuardBars = barcode.TallGuardBars();
    look.GuardHeight = barcode.GuardHeight();
    look.Color = barcode.Color();
    TBitmap bitmap;
    MakeWhiteBitmap(bitmap, width, height, kGround);
    PaintBarcode(bitmap.Canvas(), rect, dpi, look, *barcode.Font());
    return ReadInk(bitmap);
  }

  TStBarCode barcode{nullptr};
};

TEST_F(PaintFixture, PaintToCanvasPaintsTheSymbolAtTheGivenResolution) {
  struct Case {
    int Dpi;
    RECT Rect;
  };
  const Case cases[] = {{96, {0, 0, 180, 70}}, {600, {10, 10, 1010, 410}}, {96, {5, 3, 120, 40}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Dpi) + " dpi");
    int width = c.Rect.right + 4, height = c.Rect.bottom + 4;
    TBitmap bitmap;
    MakeWhiteBitmap(bitmap, width, height, kGround);
    barcode.PaintToCanvas(bitmap.Canvas(), c.Rect, c.Dpi);
    EXPECT_EQ(FirstDifference(ReadInk(bitmap), Reference(c.Rect, c.Dpi, width, height)), "");
  }
}

TEST_F(PaintFixture, WithoutAResolutionTheCanvassDeviceGivesIt) {
  TBitmap given, own;
  MakeWhiteBitmap(given, 180, 70);
  MakeWhiteBitmap(own, 180, 70);
  int deviceDpi = GetDeviceCaps(own.Canvas().Handle(), LOGPIXELSX);
  barcode.PaintToCanvas(own.Canvas(), RECT{0, 0, 180, 70});
  barcode.PaintToCanvas(given.Canvas(), RECT{0, 0, 180, 70}, deviceDpi);
  EXPECT_EQ(FirstDifference(ReadInk(own), ReadInk(given)), "");
}

TEST_F(PaintFixture, PaintToCanvasRaisesForARejectedCodeAndPaintsNothing) {
  barcode.SetCode("12345678901X");
  TBitmap bitmap;
  MakeWhiteBitmap(bitmap, 180, 70, kGround);
  EXPECT_THROW(barcode.PaintToCanvas(bitmap.Canvas(), RECT{0, 0, 180, 70}, 96), EStBarCodeError);
  EXPECT_TRUE(AllPixelsAre(bitmap, kGround));
}

TEST_F(PaintFixture, PaintMessagePaintsTheControlsClientArea) {
  TBitmap bitmap;
  MakeWhiteBitmap(bitmap, 180, 70, kGround);
  barcode.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  EXPECT_EQ(FirstDifference(ReadInk(bitmap), Reference(RECT{0, 0, 180, 70}, 96, 180, 70)), "");
}

TEST_F(PaintFixture, RejectedCodeOnScreenShowsTheBackgroundOnly) {
  barcode.SetCode("not digits");
  barcode.SetColor(clYellow);
  TBitmap bitmap;
  MakeWhiteBitmap(bitmap, 180, 70, kGround);
  EXPECT_NO_THROW(barcode.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0));
  EXPECT_TRUE(AllPixelsAre(bitmap, clYellow));
}

}  // namespace
