// The report page at design time: bands stacked on the page with their
// outline and their kind's name in the bottom left corner, a disabled band
// in silver, at zoom 100 and 200. DOZURI_QUICKREP_SNAPSHOT names a bitmap
// file to keep the zoom 100 picture in, for a look.
#include <gtest/gtest.h>

#include "classlib/graphics/screenfacts.h"
#include "qrreporttesting.h"
#include "quickreptesting.h"
#include "reportengine/printer/qrunitfacts.h"
#include "reportengine/report/qrdesigncolors.h"

using namespace quickrep_test;

namespace {

class DesignView : public ReportPage {
protected:
  DesignView() : screen(TScreenFacts{96, -1, 32}), units(TQRUnitFacts{false, 96}) {}

  void SetUp() override {
    ReportPage::SetUp();
    form.Show();
    report->Page()->SetRuler(false);
    Band(rbTitle, 20, "T");
    Band(rbPageHeader, 15, "PH");
    Band(rbColumnHeader, 10, "CH");
    detail = Band(rbDetail, 12, "D");
    footer = Band(rbPageFooter, 15, "PF");
    footer->SetEnabled(false);
  }

  // The height of "W" in the caption font.
  static int CaptionHeight() {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas().Font().SetName(QRDesignColors().RulerFontName);
    bitmap.Canvas().Font().SetSize(QRDesignColors().RulerFontSize);
    return bitmap.Canvas().TextHeight("W");
  }

  // Where a band's caption is drawn, in the report's picture.
  static TRect CaptionArea(TQRCustomBand* band) {
    int bottom = band->Top() + band->Height() - 4;
    return Rect(band->Left() + 2, bottom - CaptionHeight(), band->Left() + 60, bottom);
  }

  ScreenFactsScope screen;
  QRUnitFactsScope units;
  TQRCustomBand* detail = nullptr;
  TQRCustomBand* footer = nullptr;
};

TEST_F(DesignView, BandsShowTheirNameInTheBottomLeftCornerAtZoom100And200) {
  for (int zoom : {100, 200}) {
    SCOPED_TRACE(zoom);
    report->SetZoom(zoom);
    ASSERT_EQ(report->Zoom(), zoom);
    qrreport_test::Picture picture(*report, report->Width(), report->Height());
    if (zoom == 100)
      picture.Save("DOZURI_QUICKREP_SNAPSHOT");
    TRect caption = CaptionArea(detail);
    EXPECT_GT(picture.DarkIn(caption), 10) << "the caption is drawn";
    // Half the band up, in the middle, nothing is drawn.
    int middle = detail->Top() + detail->Height() / 2 - CaptionHeight();
    EXPECT_EQ(picture.DarkIn(Rect(detail->Left() + 80, middle, detail->Left() + 200, middle + 4)), 0);
    // The band below the caption's baseline is empty down to its outline.
    TRect below = Rect(caption.left, caption.bottom + 1, caption.right, detail->Top() + detail->Height() - 1);
    EXPECT_EQ(picture.DarkIn(below), 0);
    // The disabled footer is silver away from its outline and caption.
    EXPECT_EQ(picture.At(footer->Left() + footer->Width() - 40, footer->Top() + footer->Height() / 2), 0xC0C0C0);
    EXPECT_EQ(picture.At(detail->Left() + detail->Width() - 40, detail->Top() + detail->Height() / 2), clWhite);
  }
}

TEST_F(DesignView, TheZoomDoublesTheBandsAndIgnoresValuesOutOfRange) {
  int height = detail->Height();
  report->SetZoom(200);
  EXPECT_NEAR(detail->Height(), 2 * height, 1);
  report->SetZoom(0);
  report->SetZoom(301);
  EXPECT_EQ(report->Zoom(), 200);
  report->SetZoom(100);
  EXPECT_EQ(detail->Height(), height);
}

}  // namespace
