// The graphic printables and the rotated label in a report's own run: on a
// detail band they print at the band's place on the page; in an export run
// the shape and the pictures go to the filter instead of the page; an image
// placed on the report serves as its background picture.
#include <gtest/gtest.h>

#include "image_testdata.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/printables/vtqrlabel.h"
#include "shape_pagefixture.h"
#include "tests/reportengine/report/quickreptesting.h"

using namespace printables_test;

namespace {

// A report in millimetres with 10 mm margins and one detail band of 30 mm
// that prints once, at (100, 100) in 0.1 mm, on a 96 ppi page.
class ReportRun : public quickrep_test::ReportPage {
protected:
  void SetUp() override {
    ReportPage::SetUp();
    // On a shown form, as in the designer: the run's messages paint it.
    form.Show();
    detail = Band(rbDetail, 30, "D");
    Records(1);
  }

  template <class T>
  T* OnBand(long double Left, long double Top, long double Width, long double Height) {
    auto* printable = new T(form.Host());
    printable->SetParent(detail);
    printable->Size()->SetUnits(Native);
    printable->Size()->SetLeft(Left);
    printable->Size()->SetTop(Top);
    printable->Size()->SetWidth(Width);
    printable->Size()->SetHeight(Height);
    return printable;
  }

  // The shape at (150, 120) 300 x 100, the image at (500, 120) 200 x 100,
  // the rotated label at (800, 120) 100 x 250 (0.1 mm on the page).
  void PlaceAll() {
    shape = OnBand<TQRShape>(50, 20, 300, 100);
    image = OnBand<TQRImage>(400, 20, 200, 100);
    image->Picture()->SetGraphic(FilledBitmap(20, 10).get());
    label = OnBand<TVtQrLabel>(700, 20, 100, 250);
    label->SetAutoSize(false);
    label->SetCaption("Dikey");
    label->SetDirection(fldDownUp);
  }

  ScreenFactsScope screen{TScreenFacts{96, -1, 32}};
  QRUnitFactsScope units{TQRUnitFacts{false, 96}};
  TQRCustomBand* detail = nullptr;
  TQRShape* shape = nullptr;
  TQRImage* image = nullptr;
  TVtQrLabel* label = nullptr;
};

TEST_F(ReportRun, TheGraphicPrintablesPrintAtTheirBandsPlaceOnThePage) {
  PlaceAll();
  report->Prepare();
  ASSERT_NE(report->QRPrinter(), nullptr);
  std::unique_ptr<TMetafile> page = report->QRPrinter()->GetPage(1);
  ASSERT_NE(page, nullptr);
  std::vector<EmfRecord> records = RecordsOf(*page);
  // 150 -> 57, 120 -> 45, 450 -> 170, 220 -> 83; the box recorded inclusive.
  std::vector<EmfRecord> boxes = RecordsOfType(records, {EMR_RECTANGLE});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(RectIs(boxes[0].Box, RECT{57, 45, 169, 82}));
  // 500 -> 189: the 20 x 10 picture from the area's corner.
  std::vector<EmfRecord> pictures = RecordsOfType(records, {EMR_STRETCHDIBITS});
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_TRUE(RectIs(pictures[0].Dest, RECT{189, 45, 209, 55}));
  // 800 -> 302; 370 -> 140: the label's area clips its text.
  std::vector<EmfRecord> texts = RecordsOfType(records, {EMR_EXTTEXTOUTW});
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, L"Dikey");
  EXPECT_TRUE(texts[0].Options & ETO_CLIPPED);
  EXPECT_TRUE(RectIs(texts[0].Box, RECT{302, 45, 340, 140}));
}

TEST_F(ReportRun, AnExportRunHandsTheShapeAndThePicturesToTheFilter) {
  PlaceAll();
  PictureTable data;
  auto* dbImage = OnBand<TQRDBImage>(50, 150, 200, 100);
  dbImage->SetDataSet(data.table);
  dbImage->SetDataField("RESIM");
  data.table->SetRecNo(GoodPicture);
  report->Prepare();
  ASSERT_NE(report->QRPrinter(), nullptr);
  RecordingFilter filter;
  Records(1);
  report->QRPrinter()->ExportHandler(&filter);
  ASSERT_EQ(filter.Graphics.size(), 3u);
  const RecordingFilter::Graphic& shapePicture = filter.Graphics[0];
  EXPECT_EQ(shapePicture.X, 150);
  EXPECT_EQ(shapePicture.Y, 120);
  EXPECT_EQ(shapePicture.ClassName, "TMetafile");
  EXPECT_NEAR(shapePicture.Width, 114, 1) << "the shape's device width and its closing edge";
  const RecordingFilter::Graphic& picture = filter.Graphics[1];
  EXPECT_EQ(picture.X, 500);
  EXPECT_EQ(picture.Y, 120);
  EXPECT_EQ(picture.ClassName, "TBitmap");
  EXPECT_EQ(picture.Width, 20);
  const RecordingFilter::Graphic& fieldPicture = filter.Graphics[2];
  EXPECT_EQ(fieldPicture.X, 150);
  EXPECT_EQ(fieldPicture.Y, 250);
  EXPECT_EQ(fieldPicture.Height, 10);
  EXPECT_FALSE(report->Exporting()) << "the export run is over";
}

TEST_F(ReportRun, AnImageOnTheReportServesAsItsBackgroundPicture) {
  auto* background = new TQRImage(form.Host());
  background->SetParent(report);
  background->SetName("Zemin");
  background->Picture()->SetGraphic(FilledBitmap(8, 8, clYellow).get());
  background->Size()->SetUnits(Native);
  background->Size()->SetLeft(300);
  background->Size()->SetTop(400);
  background->Size()->SetWidth(254);
  background->Size()->SetHeight(254);
  report->SetBackImageControl("Zemin");
  report->Prepare();
  EXPECT_EQ(report->BackImage(), background);
  EXPECT_EQ(background->BackgroundGraphic(), background->Picture()->Graphic());
  std::unique_ptr<TMetafile> page = report->QRPrinter()->GetPage(1);
  ASSERT_NE(page, nullptr);
  auto played = PageFixture::Played(*page);
  // One inch square from (113, 151) on a 96 ppi page.
  EXPECT_EQ(PageFixture::CountColor(*played, RECT{115, 153, 207, 245}, clYellow), 92 * 92);
}

}  // namespace
