// The image printables: defaults and streaming, AutoSize and opacity, the
// canvas the runner paints barcodes into, the picture on the recorded page
// (its screen size at the page's resolution, centring, stretching,
// clipping, metafiles), the design view, and the data image over a blob
// field, including empty and damaged pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrprintablesreg.h"
#include "image_testdata.h"
#include "shape_pagefixture.h"
#include "tests/support/componenttext.h"

using namespace printables_test;

namespace {

// ---- Defaults, streaming, AutoSize, the runner's canvas ---------------------

TEST(QRImage, StartsAt105PixelsWithoutAutoSizeCentreOrStretch) {
  test_support::Owned<TQRImage> image(new TQRImage(nullptr));
  EXPECT_EQ(image->Width(), 105);
  EXPECT_EQ(image->Height(), 105);
  EXPECT_FALSE(image->AutoSize());
  EXPECT_FALSE(image->Center());
  EXPECT_FALSE(image->Stretch());
  EXPECT_TRUE(image->Visible());
  EXPECT_EQ(image->Picture()->Graphic(), nullptr);
  for (const char* name : {"AutoSize", "Center", "Picture", "Stretch", "Visible"})
    EXPECT_TRUE(IsPublishedProp(image.get(), name)) << name;
  std::string text = test_support::ComponentText(image.get());
  for (const char* name : {"AutoSize", "Center", "Stretch", "Visible"})
    EXPECT_EQ(text.find(std::string(name) + " ="), std::string::npos) << name << " at its default\n" << text;
}

TEST(QRImage, StreamsItsPictureAndSettings) {
  RegisterQRPrintableClasses();
  test_support::Owned<TQRImage> image(new TQRImage(nullptr));
  image->SetName("Logo");
  image->SetCenter(true);
  image->SetStretch(true);
  image->Picture()->SetGraphic(FilledBitmap(7, 5, clBlue).get());
  std::string text = test_support::ComponentText(image.get());
  EXPECT_NE(text.find("Picture.Data"), std::string::npos) << text;

  test_support::Owned<TQRImage> read(new TQRImage(nullptr));
  test_support::ReadComponentText(text, read.get());
  EXPECT_TRUE(read->Center());
  EXPECT_TRUE(read->Stretch());
  EXPECT_FALSE(read->AutoSize());
  auto* bitmap = dynamic_cast<TBitmap*>(read->Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 7);
  EXPECT_EQ(bitmap->Height(), 5);
  EXPECT_EQ(bitmap->Canvas().GetPixel(3, 2), clBlue);
  EXPECT_EQ(read->Width(), 105);
}

TEST(QRImage, AutoSizeTakesThePicturesPixelSizeAtOnceAndOnEveryChange) {
  test_support::Owned<TQRImage> image(new TQRImage(nullptr));
  image->SetBounds(12, 8, 105, 105);
  image->Picture()->SetGraphic(FilledBitmap(40, 30).get());
  EXPECT_EQ(image->Width(), 105) << "without AutoSize the bounds stay";
  image->SetAutoSize(true);
  EXPECT_EQ(image->Width(), 40);
  EXPECT_EQ(image->Height(), 30);
  EXPECT_EQ(image->Left(), 12);
  EXPECT_EQ(image->Top(), 8);
  image->Picture()->SetGraphic(FilledBitmap(50, 20).get());
  EXPECT_EQ(image->Width(), 50);
  EXPECT_EQ(image->Height(), 20);
}

TEST(QRImage, OnlyABitmapCoveringTheControlMakesItOpaque) {
  struct Case {
    const char* what;
    int width, height;
    bool metafile;
    bool opaque;
  };
  for (Case c : {Case{"a covering bitmap", 60, 50, false, true}, Case{"a narrower bitmap", 59, 50, false, false},
                 Case{"a lower bitmap", 60, 49, false, false}, Case{"a covering metafile", 80, 80, true, false}}) {
    SCOPED_TRACE(c.what);
    test_support::Owned<TQRImage> image(new TQRImage(nullptr));
    image->SetBounds(0, 0, 60, 50);
    if (c.metafile)
      image->Picture()->SetGraphic(FilledMetafile(c.width, c.height).get());
    else
      image->Picture()->SetGraphic(FilledBitmap(c.width, c.height).get());
    EXPECT_EQ(image->Transparent(), !c.opaque);
  }
}

TEST(QRImage, TheRunnersCanvasIsABlankBitmapOfTheControlsSizeOrNoneForAMetafile) {
  test_support::Owned<TQRImage> image(new TQRImage(nullptr));
  image->SetBounds(0, 0, 70, 30);
  TCanvas* canvas = image->BitmapCanvas();
  ASSERT_NE(canvas, nullptr);
  auto* bitmap = dynamic_cast<TBitmap*>(image->Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 70);
  EXPECT_EQ(bitmap->Height(), 30);
  EXPECT_EQ(canvas->GetPixel(35, 15), clWhite);
  canvas->Pixels(3, 4) = clBlack;
  EXPECT_EQ(bitmap->Canvas().GetPixel(3, 4), clBlack) << "the canvas draws into the picture";
  EXPECT_EQ(image->BitmapCanvas(), canvas) << "a second call keeps the picture";

  test_support::Owned<TQRImage> withMetafile(new TQRImage(nullptr));
  withMetafile->Picture()->SetGraphic(FilledMetafile(20, 20).get());
  EXPECT_EQ(withMetafile->BitmapCanvas(), nullptr);
  EXPECT_NE(dynamic_cast<TMetafile*>(withMetafile->Picture()->Graphic()), nullptr) << "the metafile stays";
}

TEST(QRImage, ThePaletteIsTheBitmapsOrNone) {
  test_support::Owned<TQRImage> image(new TQRImage(nullptr));
  EXPECT_EQ(image->GetPalette(), nullptr) << "no picture";
  auto bitmap = FilledBitmap(4, 4);
  bitmap->SetPixelFormat(pf8bit);
  image->Picture()->SetGraphic(bitmap.get());
  EXPECT_NE(image->GetPalette(), nullptr) << "an 8-bit bitmap has its palette";
  image->Picture()->SetGraphic(FilledMetafile(4, 4).get());
  EXPECT_EQ(image->GetPalette(), nullptr) << "a metafile";
}

// ---- The picture on the page -----------------------------------------------

struct Area {
  int Left, Top, Right, Bottom;
  RECT Rect() const { return RECT{Left, Top, Right, Bottom}; }
};

// An image at 100, 200 of 300 x 200 (0.1 mm): its area on a 96 ppi page is
// (38, 76, 151, 151), on a 600 ppi page (236, 472, 945, 945).
TEST(QRImagePage, AnUnstretchedBitmapPrintsAtItsScreenSizeClippedToTheArea) {
  struct Case {
    int ScreenPpi, PagePpi;
    Area Area;
    int PrintSize;
  };
  // 96 pixels of a 96 ppi screen are one inch on any page; on a 120 ppi
  // screen they are 0.8 inch: 76.8 pixels of a 96 ppi page, rounded.
  for (Case c : {Case{96, 96, {38, 76, 151, 151}, 96}, Case{96, 600, {236, 472, 945, 945}, 600},
                 Case{120, 96, {38, 76, 151, 151}, 77}}) {
    SCOPED_TRACE(testing::Message() << c.ScreenPpi << " ppi screen, " << c.PagePpi << " ppi page");
    PageFixture fixture(c.ScreenPpi, c.PagePpi);
    auto* image = fixture.Add<TQRImage>(100, 200, 300, 200);
    image->Picture()->SetGraphic(FilledBitmap(96, 96).get());
    auto page = fixture.PrintPage(*image);
    std::vector<EmfRecord> drawn =
        RecordsOfType(RecordsOf(*page), {EMR_SAVEDC, EMR_INTERSECTCLIPRECT, EMR_STRETCHDIBITS, EMR_RESTOREDC});
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].Type, static_cast<DWORD>(EMR_SAVEDC));
    EXPECT_EQ(drawn[1].Type, static_cast<DWORD>(EMR_INTERSECTCLIPRECT));
    EXPECT_TRUE(RectIs(drawn[1].Box, c.Area.Rect()));
    EXPECT_EQ(drawn[2].Type, static_cast<DWORD>(EMR_STRETCHDIBITS));
    EXPECT_TRUE(RectIs(drawn[2].Dest, RECT{c.Area.Left, c.Area.Top, c.Area.Left + c.PrintSize,
                                           c.Area.Top + c.PrintSize}));
    EXPECT_EQ(drawn[3].Type, static_cast<DWORD>(EMR_RESTOREDC));
  }
}

// Area (38, 76, 227, 227) on a 96 ppi page: a 96-pixel bitmap moves by
// (189 - 96) div 2 = 46 and (151 - 96) div 2 = 27; a 300-pixel one by
// (189 - 300) div 2 = -55 and (151 - 300) div 2 = -74, truncated.
TEST(QRImagePage, CentreMovesThePictureByHalfTheDifferenceTruncated) {
  struct Case {
    int Size;
    RECT Dest;
  };
  for (Case c : {Case{96, RECT{84, 103, 180, 199}}, Case{300, RECT{-17, 2, 283, 302}}}) {
    SCOPED_TRACE(c.Size);
    PageFixture fixture;
    auto* image = fixture.Add<TQRImage>(100, 200, 500, 400);
    image->SetCenter(true);
    image->Picture()->SetGraphic(FilledBitmap(c.Size, c.Size).get());
    auto page = fixture.PrintPage(*image);
    std::vector<EmfRecord> drawn = RecordsOfType(RecordsOf(*page), {EMR_INTERSECTCLIPRECT, EMR_STRETCHDIBITS});
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_TRUE(RectIs(drawn[0].Box, RECT{38, 76, 227, 227}));
    EXPECT_TRUE(RectIs(drawn[1].Dest, c.Dest));
  }
}

TEST(QRImagePage, StretchFillsTheAreaWithoutClipping) {
  PageFixture fixture;
  auto* image = fixture.Add<TQRImage>(100, 200, 300, 200);
  image->SetStretch(true);
  image->Picture()->SetGraphic(FilledBitmap(10, 10).get());
  auto page = fixture.PrintPage(*image);
  std::vector<EmfRecord> records = RecordsOf(*page);
  EXPECT_TRUE(RecordsOfType(records, {EMR_INTERSECTCLIPRECT}).empty());
  std::vector<EmfRecord> drawn = RecordsOfType(records, {EMR_STRETCHDIBITS, EMR_STRETCHBLT});
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_TRUE(RectIs(drawn[0].Dest, RECT{38, 76, 151, 151}));
  auto played = PageFixture::Played(*page);
  EXPECT_EQ(PageFixture::CountColor(*played, RECT{38, 76, 151, 151}, clRed), 113 * 75);
}

TEST(QRImagePage, AMetafileLargerThanTheAreaIsClippedToIt) {
  PageFixture fixture;
  auto* image = fixture.Add<TQRImage>(100, 200, 300, 200);
  image->Picture()->SetGraphic(FilledMetafile(200, 200).get());
  auto page = fixture.PrintPage(*image);
  auto played = PageFixture::Played(*page);
  EXPECT_EQ(PageFixture::CountColor(*played, RECT{38, 76, 151, 151}, clRed), 113 * 75);
  EXPECT_EQ(PageFixture::CountColor(*played, RECT{151, 60, 260, 300}, clRed), 0) << "right of the area";
  EXPECT_EQ(PageFixture::CountColor(*played, RECT{20, 151, 151, 300}, clRed), 0) << "below the area";
}

TEST(QRImagePage, AnEmptyImagePrintsOnlyItsFrame) {
  PageFixture fixture;
  auto* image = fixture.Add<TQRImage>(100, 200, 300, 200);
  image->Frame()->SetDrawTop(true);
  image->Frame()->SetColor(clBlue);
  auto page = fixture.PrintPage(*image);
  std::vector<EmfRecord> records = RecordsOf(*page);
  EXPECT_TRUE(RecordsOfType(records, {EMR_STRETCHDIBITS, EMR_STRETCHBLT, EMR_INTERSECTCLIPRECT}).empty());
  auto played = PageFixture::Played(*page);
  EXPECT_EQ(played->Canvas().GetPixel(90, 76), clBlue);
}

// ---- The design view ---------------------------------------------------------

TEST(QRImageDesign, ThePictureSitsAtTheOriginCentredOrStretched) {
  struct Case {
    const char* what;
    bool center, stretch;
    std::vector<POINT> Red;
    std::vector<POINT> NotRed;
  };
  const Case cases[] = {
      {"at the origin", false, false, {{5, 5}, {19, 9}}, {{25, 5}, {5, 15}, {30, 20}}},
      {"centred", true, false, {{21, 16}, {38, 23}}, {{5, 5}, {19, 20}, {41, 20}}},
      {"stretched", false, true, {{5, 5}, {30, 20}, {57, 37}}, {}},
  };
  test_support::FormFixture form;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* image = form.Add<TQRImage>(10, 10, 60, 40);
    image->SetCenter(c.center);
    image->SetStretch(c.stretch);
    image->Picture()->SetGraphic(FilledBitmap(20, 10).get());
    qrreport_test::Picture picture(*image, 60, 40);
    for (POINT p : c.Red)
      EXPECT_EQ(picture.At(p.x, p.y), clRed) << p.x << "," << p.y;
    for (POINT p : c.NotRed)
      EXPECT_NE(picture.At(p.x, p.y), clRed) << p.x << "," << p.y;
    image->Free();
  }
}

TEST(QRImageDesign, ADashedOutlineMarksTheControl) {
  test_support::FormFixture form;
  auto* image = form.Add<TQRImage>(10, 10, 60, 40);
  qrreport_test::Picture picture(*image, 60, 40);
  int dark = picture.DarkIn(Rect(0, 0, 60, 1));
  EXPECT_GT(dark, 10);
  EXPECT_LT(dark, 55) << "dashes leave gaps";
  EXPECT_GT(picture.DarkIn(Rect(0, 0, 1, 40)), 5);
  EXPECT_EQ(picture.DarkIn(Rect(5, 5, 55, 35)), 0) << "no fill";
}

TEST(QRImageDesign, AZoomScalesThePictureFromItsTopLeftCorner) {
  ScreenFactsScope screen(TScreenFacts{96, -1, 32});
  QRUnitFactsScope units(TQRUnitFacts{false, 96});
  test_support::FormFixture form;
  auto* image = form.Add<TQRImage>(10, 10, 60, 40);
  image->Picture()->SetGraphic(FilledBitmap(20, 10).get());
  image->SetZoom(200);
  ASSERT_EQ(image->CurrentZoom(), 200);
  qrreport_test::Picture picture(*image, image->Width(), image->Height());
  EXPECT_EQ(picture.At(35, 15), clRed);
  EXPECT_EQ(picture.At(38, 18), clRed);
  EXPECT_NE(picture.At(45, 5), clRed);
  EXPECT_NE(picture.At(5, 25), clRed);
}

// ---- The data image ----------------------------------------------------------

TEST(QRDBImage, StartsFramedOpaqueCentredAt105Pixels) {
  RegisterQRPrintableClasses();
  test_support::Owned<TQRDBImage> image(new TQRDBImage(nullptr));
  EXPECT_EQ(image->Width(), 105);
  EXPECT_EQ(image->Height(), 105);
  EXPECT_TRUE(image->Center());
  EXPECT_FALSE(image->Stretch());
  EXPECT_TRUE(image->ControlStyle().Contains(csFramed));
  EXPECT_TRUE(image->ControlStyle().Contains(csOpaque));
  EXPECT_EQ(image->DataSet(), nullptr);
  EXPECT_EQ(image->DataField(), "");
  EXPECT_EQ(GetClass("TQRDBImage"), TQRDBImage::StaticClass());
  EXPECT_EQ(GetClass("TQRImage"), TQRImage::StaticClass());
  std::string text = test_support::ComponentText(image.get());
  EXPECT_EQ(text.find("Center"), std::string::npos) << "centred is the default\n" << text;
  image->SetCenter(false);
  image->SetDataField("RESIM");
  text = test_support::ComponentText(image.get());
  EXPECT_NE(text.find("Center = False"), std::string::npos) << text;
  test_support::Owned<TQRDBImage> read(new TQRDBImage(nullptr));
  test_support::ReadComponentText(text, read.get());
  EXPECT_FALSE(read->Center());
  EXPECT_EQ(read->DataField(), "RESIM");
}

TEST(QRDBImage, MeasureHeightGivesThePictureHeightAndZeroForAnEmptyOrDamagedOne) {
  struct Case {
    const char* what;
    const char* field;
    int row;
    int height;
  };
  for (Case c : {Case{"a picture", "RESIM", GoodPicture, 10}, Case{"an empty field", "RESIM", EmptyPicture, 0},
                 Case{"damaged bytes", "RESIM", DamagedPicture, 0}, Case{"a text field", "AD", GoodPicture, 70},
                 Case{"a missing field", "YOK", GoodPicture, 70}}) {
    SCOPED_TRACE(c.what);
    PictureTable data;
    test_support::Owned<TQRDBImage> image(new TQRDBImage(nullptr));
    image->SetBounds(0, 0, 90, 70);
    image->SetDataSet(data.table);
    image->SetDataField(c.field);
    image->Prepare();
    data.table->SetRecNo(c.row);
    int height = -1;
    EXPECT_NO_THROW(image->MeasureHeight(height));
    EXPECT_EQ(height, c.height);
    image->Unprepare();
    EXPECT_EQ(image->BoundField(), nullptr);
  }
}

// The image at 100, 200 of 300 x 200 (0.1 mm): area (38, 76, 151, 151) on a
// 96 ppi page; the centred 20 x 10 picture at (84, 108, 104, 118).
TEST(QRDBImagePage, PrintsTheFieldsPictureTheColourForNoneOrNothing) {
  enum Result { Picture, Colour, Nothing };
  struct Case {
    const char* what;
    const char* field;
    int row;
    bool stretch;
    bool dataSet;
    Result result;
  };
  const Case cases[] = {
      {"a picture", "RESIM", GoodPicture, false, true, Picture},
      {"a stretched picture", "RESIM", GoodPicture, true, true, Picture},
      {"an empty field", "RESIM", EmptyPicture, false, true, Nothing},
      {"an empty field stretched", "RESIM", EmptyPicture, true, true, Colour},
      {"damaged bytes", "RESIM", DamagedPicture, false, true, Nothing},
      {"damaged bytes stretched", "RESIM", DamagedPicture, true, true, Colour},
      {"a text field", "AD", GoodPicture, true, true, Nothing},
      {"a missing field", "YOK", GoodPicture, true, true, Nothing},
      {"no data set", "RESIM", GoodPicture, true, false, Nothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PictureTable data;
    PageFixture fixture;
    auto* image = fixture.Add<TQRDBImage>(100, 200, 300, 200);
    image->SetColor(clLime);
    image->SetStretch(c.stretch);
    image->SetDataSet(c.dataSet ? data.table : nullptr);
    image->SetDataField(c.field);
    data.table->SetRecNo(c.row);
    std::unique_ptr<TMetafile> page;
    EXPECT_NO_THROW(page = fixture.PrintPage(*image));
    ASSERT_NE(page, nullptr);
    auto played = PageFixture::Played(*page);
    const RECT area{38, 76, 151, 151};
    const int areaPixels = 113 * 75;
    int red = PageFixture::CountColor(*played, area, clRed);
    int lime = PageFixture::CountColor(*played, area, clLime);
    switch (c.result) {
      case Picture:
        EXPECT_EQ(red, c.stretch ? areaPixels : 20 * 10);
        if (!c.stretch) {
          EXPECT_EQ(PageFixture::CountColor(*played, RECT{84, 108, 104, 118}, clRed), 200);
        }
        break;
      case Colour:
        EXPECT_EQ(lime, areaPixels);
        break;
      case Nothing:
        EXPECT_EQ(red + lime, 0);
        break;
    }
    EXPECT_EQ(PageFixture::CountColor(*played, RECT{0, 0, 38, 200}, clLime), 0) << "nothing left of the area";
  }
}

TEST(QRDBImage, PrepareBindsTheFieldAndABlobFieldEmptiesTheText) {
  PictureTable data;
  test_support::Owned<TQRDBImage> image(new TQRDBImage(nullptr));
  image->SetText("Resim");
  image->SetDataSet(data.table);
  image->SetDataField("AD");
  image->Prepare();
  EXPECT_EQ(image->BoundField(), data.table->FindField("AD"));
  EXPECT_EQ(image->Text(), "Resim") << "a text field leaves the text";
  image->Unprepare();
  image->SetDataField("RESIM");
  image->Prepare();
  EXPECT_EQ(image->BoundField(), data.table->FindField("RESIM"));
  EXPECT_EQ(image->Text(), "");
  image->Unprepare();
}

TEST(QRDBImage, AFreedDataSetIsLetGo) {
  auto data = std::make_unique<PictureTable>();
  test_support::Owned<TQRDBImage> image(new TQRDBImage(nullptr));
  image->SetDataSet(data->table);
  image->SetDataField("RESIM");
  image->Prepare();
  data.reset();
  EXPECT_EQ(image->DataSet(), nullptr);
  EXPECT_EQ(image->BoundField(), nullptr);
  int height = 0;
  image->MeasureHeight(height);
  EXPECT_EQ(height, 105);
  image->Unprepare();
}

TEST(QRDBImageDesign, ShowsItsNameInBracketsOnItsColour) {
  test_support::FormFixture form;
  auto* image = form.Add<TQRDBImage>(10, 10, 120, 40);
  image->SetName("Resim1");
  image->SetColor(clYellow);
  image->Font()->SetColor(clBlack);
  qrreport_test::Picture picture(*image, 120, 40);
  EXPECT_EQ(picture.At(10, 5), clYellow);
  EXPECT_GT(picture.DarkIn(Rect(20, 12, 100, 28)), 20) << "the text in the middle";
  EXPECT_EQ(picture.DarkIn(Rect(5, 30, 115, 36)), 0) << "nothing below it";
}

}  // namespace
