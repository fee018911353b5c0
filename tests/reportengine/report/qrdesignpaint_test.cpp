// Design-time painting of a report page and its bands on the test desktop:
// rulers in inches, millimetres and characters at several zooms, margins,
// page frame, column marks, band outlines and names, a disabled band, and
// the two sets of design colours.
//
// Look at a painted page: DOZURI_QRDESIGN_SNAPSHOT=Z:\tmp\qrdesign.bmp
#include <gtest/gtest.h>

#include <string>

#include "classlib/graphics/screenfacts.h"
#include "qrreporttesting.h"
#include "reportengine/printer/qrunitfacts.h"
#include "reportengine/report/qrdesigncolors.h"

using namespace qrreport_test;

namespace {

constexpr TColor kWhite = 0xFFFFFF;

class DesignPaint : public ::testing::Test {
protected:
  DesignPaint() : screen(TScreenFacts{96, -1, 32}), units(TQRUnitFacts{false, 96}) {}

  void SetUp() override {
    form.Show();
    report = new TestReport(form.Host());
    report->SetParent(form.Host());
    // An 80 x 60 mm page with 10 mm margins: 302 x 227 pixels.
    report->page.SetUnits(MM);
    report->page.SetPaperSize(TQRPaperSize::Custom);
    report->page.SetWidth(80);
    report->page.SetLength(60);
    report->page.ResizeParent();
  }

  // A band of the report, 300 x 60 pixels, below the top margin.
  TestBand* AddBand(const AnsiString& name) {
    auto* band = new TestBand(form.Host());
    band->SetParent(report);
    band->SetBounds(0, 40, 300, 60);
    band->name = name;
    return band;
  }

  // The height of "W" in the ruler font.
  static int RulerTextHeight() {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas().Font().SetName(QRDesignColors().RulerFontName);
    bitmap.Canvas().Font().SetSize(QRDesignColors().RulerFontSize);
    return bitmap.Canvas().TextHeight("W");
  }

  // Whether some pixel of column x between y0 and y1 has the colour.
  static bool ColumnHas(Picture& picture, int x, int y0, int y1, TColor color) {
    for (int y = y0; y < y1; ++y)
      if (picture.At(x, y) == color)
        return true;
    return false;
  }

  ScreenFactsScope screen;
  QRUnitFactsScope units;
  test_support::FormFixture form;
  TestReport* report = nullptr;
};

TEST_F(DesignPaint, ReportSizeFollowsThePage) {
  EXPECT_EQ(report->Width(), 302);
  EXPECT_EQ(report->Height(), 227);
}

struct InchCase {
  int zoom;
  int minor;    // x of the first quarter-inch line
  int major;    // x of the first whole-inch line
  int between;  // x with no line
};

TEST_F(DesignPaint, InchRulerLinesAndNumbersFollowTheZoom) {
  report->page.SetUnits(Inches);
  const TQRDesignColors& colors = QRDesignColors();
  for (InchCase c : {InchCase{100, 24, 96, 60}, InchCase{200, 48, 192, 24}}) {
    SCOPED_TRACE(c.zoom);
    report->ApplyZoom(c.zoom);
    Picture picture(*report, report->Width(), report->Height());
    // Row 50 is below the top margin line (38) and on no ruler line.
    EXPECT_EQ(picture.At(c.minor, 50), colors.RulerMinorColor);
    EXPECT_EQ(picture.At(c.major, 50), colors.RulerMajorColor);
    EXPECT_EQ(picture.At(c.between, 50), kWhite);
    EXPECT_EQ(picture.At(c.major - 1, 50), kWhite);
    // Across: the same lines down the page.
    EXPECT_EQ(picture.At(150, c.minor), colors.RulerMinorColor);
    // "1" right of the first inch line, nothing left of it.
    EXPECT_GT(picture.DarkIn(Rect(c.major + 2, 2, c.major + 14, 14)), 0);
    EXPECT_EQ(picture.DarkIn(Rect(c.major - 20, 2, c.major, 14)), 0);
  }
}

TEST_F(DesignPaint, InchRulerBelowZoom50ShowsOnlyWholeInches) {
  report->page.SetUnits(Inches);
  report->ApplyZoom(40);
  Picture picture(*report, report->Width(), report->Height());
  // Step 9.6 pixels: the quarter lines at 10 and 19 are left out, the inch
  // at 38 falls on the margin, the second inch at 77 shows.
  EXPECT_EQ(picture.At(10, 50), kWhite);
  EXPECT_EQ(picture.At(19, 50), kWhite);
  EXPECT_EQ(picture.At(77, 50), QRDesignColors().RulerMajorColor);
}

struct MillimetreCase {
  int zoom;
  int halfCentimetre;  // x of the first half-centimetre line, -1: not drawn
  int centimetre;      // x of the second centimetre line (the first may lie on the margin)
  bool numbers;
};

TEST_F(DesignPaint, MillimetreRulerDropsHalfCentimetresAndNumbersBelowZoom60) {
  report->page.SetUnits(MM);
  const TQRDesignColors& colors = QRDesignColors();
  // 96 dpi: a centimetre is 37.8 pixels at zoom 100.
  for (MillimetreCase c : {MillimetreCase{100, 19, 76, true}, MillimetreCase{60, 11, 45, true},
                           MillimetreCase{40, -1, 30, false}}) {
    SCOPED_TRACE(c.zoom);
    report->ApplyZoom(c.zoom);
    Picture picture(*report, report->Width(), report->Height());
    if (c.halfCentimetre >= 0)
      EXPECT_EQ(picture.At(c.halfCentimetre, 50), colors.RulerMinorColor);
    else
      EXPECT_EQ(picture.At(8, 50), kWhite) << "half centimetre at 7.6";
    EXPECT_EQ(picture.At(c.centimetre, 50), colors.RulerMajorColor);
    int numbers = picture.DarkIn(Rect(0, 2, report->Width(), 14));
    if (c.numbers)
      EXPECT_GT(numbers, 0);
    else
      EXPECT_EQ(numbers, 0);
  }
}

TEST_F(DesignPaint, CharacterRulerDrawsDottedLinesEveryTenCharactersUnzoomed) {
  report->page.SetUnits(Characters);
  report->SetFontSize(12);
  for (int zoom : {100, 200}) {
    SCOPED_TRACE(zoom);
    report->ApplyZoom(zoom);
    Picture picture(*report, report->Width(), report->Height());
    // Ten characters of 12 points: 26.25 mm, 99 pixels; a line of 12
    // points: 4.77 mm, 18 pixels. Rows 55 to 71 lie between two lines.
    EXPECT_TRUE(ColumnHas(picture, 99, 55, 72, 0xC0C0C0));
    EXPECT_FALSE(ColumnHas(picture, 98, 55, 72, 0xC0C0C0));
    EXPECT_FALSE(ColumnHas(picture, 100, 55, 72, 0xC0C0C0));
    bool row = false;
    for (int x = 60; x < 200; ++x)
      row = row || picture.At(x, 18) == 0xC0C0C0;
    EXPECT_TRUE(row);
    EXPECT_GT(picture.DarkIn(Rect(101, 2, 120, 14)), 0) << "10";
  }
}

TEST_F(DesignPaint, NoRulerWhenThePageHasNoneOrInPixelsAndNative) {
  struct Case {
    TQRUnit units;
    bool ruler;
  };
  for (Case c : {Case{Inches, false}, Case{Pixels, true}, Case{Native, true}}) {
    SCOPED_TRACE(c.units);
    report->page.SetUnits(c.units);
    report->page.SetRuler(c.ruler);
    Picture picture(*report, report->Width(), report->Height());
    for (int x : {10, 19, 24, 48, 96, 99})
      EXPECT_EQ(picture.At(x, 50), kWhite) << x;
    EXPECT_EQ(picture.DarkIn(Rect(0, 2, report->Width(), 14)), 0);
  }
}

TEST_F(DesignPaint, MarginsPageFrameAndColumnMarks) {
  report->page.SetRuler(false);
  report->page.SetColumnSpace(5);
  report->page.SetColumns(3);
  report->Frame()->SetColor(clBlue);
  report->Frame()->SetDrawTop(true);
  report->Frame()->SetDrawRight(true);
  Picture picture(*report, report->Width(), report->Height());
  const TQRDesignColors& colors = QRDesignColors();
  // Margin rectangle from (38, 38) to (302 - 38, 227 - 38), dotted.
  EXPECT_TRUE(ColumnHas(picture, 38, 60, 160, colors.MarginColor));
  EXPECT_TRUE(ColumnHas(picture, 263, 60, 160, colors.MarginColor)) << "the right margin line";
  EXPECT_FALSE(ColumnHas(picture, 37, 60, 160, colors.MarginColor));
  // The report frame along the top and right margins, solid.
  EXPECT_EQ(picture.At(150, 38), clBlue);
  EXPECT_EQ(picture.At(264, 100), clBlue) << "at round(302.4 - 37.8) - 1";
  EXPECT_FALSE(ColumnHas(picture, 38, 60, 160, clBlue)) << "no left frame line";
  EXPECT_NE(picture.At(150, 188), clBlue) << "no bottom frame line";
  // Column width round((302.4 - 75.6 - 2 x 18.9) / 3) = 63: column 1 ends at
  // 101, column 2 starts at 120; the marks run down to the top margin.
  EXPECT_TRUE(ColumnHas(picture, 101, 0, 38, colors.MarginColor));
  EXPECT_TRUE(ColumnHas(picture, 120, 0, 38, colors.MarginColor));
  EXPECT_FALSE(ColumnHas(picture, 110, 0, 38, colors.MarginColor));
  EXPECT_FALSE(ColumnHas(picture, 101, 60, 160, colors.MarginColor)) << "only in the top margin";
  picture.Save("DOZURI_QRDESIGN_SNAPSHOT");
}

TEST_F(DesignPaint, FewColourScreensGetTheirOwnSet) {
  TQRDesignColors few = QRDesignColorsFor(256);
  EXPECT_EQ(few.RulerMinorStyle, psDot);
  EXPECT_EQ(few.RulerMinorColor, 0xC0C0C0);
  EXPECT_EQ(few.MarginStyle, psDash);
  EXPECT_EQ(few.BandOutlineColor, 0x808080);
  TQRDesignColors many = QRDesignColorsFor(-1);
  EXPECT_EQ(many.RulerMajorColor, 0xF0F0F0);
  EXPECT_EQ(many.RulerFontColor, 0x707070);
  EXPECT_EQ(many.MarginColor, 0xFF8080);
  EXPECT_EQ(QRDesignColorsFor(65536).MarginColor, 0xFF8080);
  EXPECT_STREQ(few.RulerFontName, "Small Fonts");
  EXPECT_EQ(few.RulerFontSize, 6);

  QRDesignColorsScope scope(few);
  report->page.SetUnits(Inches);
  report->page.SetColumns(2);
  Picture picture(*report, report->Width(), report->Height());
  EXPECT_EQ(picture.At(96, 50), 0xC0C0C0) << "major line";
  EXPECT_TRUE(ColumnHas(picture, 38, 60, 160, 0x808080)) << "dashed margin";
}

TEST_F(DesignPaint, BandOutlineAndNameSitAtTheBottomLeftAtEveryZoom) {
  report->page.SetUnits(Inches);
  TestBand* band = AddBand("Detail");
  int text = RulerTextHeight();
  ASSERT_GT(text, 3);
  const TQRDesignColors& colors = QRDesignColors();
  for (int zoom : {100, 200}) {
    SCOPED_TRACE(zoom);
    report->ApplyZoom(zoom);
    EXPECT_EQ(band->Zoom(), zoom);
    Picture picture(*band, 300, 60);
    int top = 60 - text - 4;
    EXPECT_GT(picture.DarkIn(Rect(2, top, 40, 56)), 0) << "the name";
    EXPECT_EQ(picture.DarkIn(Rect(1, top - 8, 60, top)), 0) << "above the name";
    EXPECT_EQ(picture.DarkIn(Rect(1, 56, 60, 59)), 0) << "below the name";
    EXPECT_EQ(picture.DarkIn(Rect(40, top, 299, 59)), 0) << "right of the name";
    bool outline = false;
    for (int x = 0; x < 300; ++x)
      outline = outline || picture.At(x, 59) == colors.BandOutlineColor;
    EXPECT_TRUE(outline) << "bottom outline";
    EXPECT_TRUE(ColumnHas(picture, 299, 0, 60, colors.BandOutlineColor)) << "right outline";
    // The band's ruler has lines but no numbers.
    int inch = 96 * zoom / 100;
    EXPECT_EQ(picture.At(inch, 30), colors.RulerMajorColor);
    EXPECT_EQ(picture.DarkIn(Rect(inch + 2, 2, inch + 14, 14)), 0);
  }
}

TEST_F(DesignPaint, PageWithFiveBandsShowsEachBandsNameOverThePage) {
  report->page.SetUnits(MM);
  const char* names[] = {"Page Header", "Title", "Column Header", "Detail", "Page Footer"};
  int text = RulerTextHeight();
  int top = 38;
  for (const char* name : names) {
    TestBand* band = AddBand(name);
    band->SetBounds(38, top, 226, 30);
    band->Frame()->SetDrawBottom(std::string(name) == "Title");
    top += 30;
  }
  auto* printable = new TQRPrintable(form.Host());
  printable->SetParent(static_cast<TWinControl*>(report->Controls(report->ControlCount() - 2)));
  printable->SetBounds(60, 4, 80, 20);
  printable->Frame()->SetDrawTop(true);
  printable->Frame()->SetDrawBottom(true);
  Picture picture(*report, report->Width(), report->Height());
  picture.Save("DOZURI_QRDESIGN_BANDS");
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(names[i]);
    int bandTop = 38 + 30 * i;
    EXPECT_GT(picture.DarkIn(Rect(40, bandTop + 30 - text - 4, 80, bandTop + 26)), 0);
  }
  // The detail band's printable: black corner marks at its top left.
  EXPECT_EQ(picture.At(38 + 60, 38 + 90 + 4), clBlack);
}

TEST_F(DesignPaint, BandFrameIsDrawnInsideTheOutline) {
  report->page.SetRuler(false);
  TestBand* band = AddBand("Title");
  band->Frame()->SetColor(clRed);
  band->Frame()->SetDrawBottom(true);
  band->Frame()->SetDrawLeft(true);
  Picture picture(*band, 300, 60);
  // One pixel lines on the client rectangle less one pixel right and bottom.
  EXPECT_EQ(picture.At(150, 58), clRed);
  EXPECT_EQ(picture.At(0, 30), clRed);
  EXPECT_NE(picture.At(150, 57), clRed);
  EXPECT_NE(picture.At(1, 30), clRed);
}

TEST_F(DesignPaint, DisabledBandPaintsSilver) {
  report->page.SetRuler(false);
  TestBand* band = AddBand("Summary");
  band->SetEnabled(false);
  Picture picture(*band, 300, 60);
  for (int x : {50, 150, 250})
    EXPECT_EQ(picture.At(x, 20), clSilver);
  band->SetEnabled(true);
  Picture enabled(*band, 300, 60);
  EXPECT_EQ(enabled.At(150, 20), clWhite);
}

TEST_F(DesignPaint, RepaintMarkIsSetOnceAndClearedByPainting) {
  EXPECT_FALSE(report->DesignRepaintMarked());
  report->MarkDesignRepaint();
  EXPECT_TRUE(report->DesignRepaintMarked());
  report->MarkDesignRepaint();
  EXPECT_TRUE(report->DesignRepaintMarked());
  Picture picture(*report, report->Width(), report->Height());
  EXPECT_FALSE(report->DesignRepaintMarked());
}

TEST_F(DesignPaint, ZoomZeroIsIgnoredAndReachesPanelsAndPrintablesOnThem) {
  TestBand* band = AddBand("Detail");
  auto* printable = new TQRPrintable(form.Host());
  printable->SetParent(band);
  printable->SetBounds(10, 10, 96, 48);
  report->ApplyZoom(0);
  EXPECT_EQ(report->Zoom(), 100);
  report->ApplyZoom(200);
  EXPECT_EQ(band->Zoom(), 200);
  EXPECT_EQ(printable->CurrentZoom(), 200);
  EXPECT_EQ(printable->Width(), 192);
  EXPECT_EQ(printable->Height(), 96);
  EXPECT_EQ(printable->Left(), 20);
}

TEST(QRBasePanel, StartsWithFrameZoom100AndFontSize12) {
  test_support::Owned<TQRBasePanel> panel(new TQRBasePanel(nullptr));
  EXPECT_EQ(panel->Zoom(), 100);
  EXPECT_EQ(panel->FontSize(), 12);
  ASSERT_NE(panel->Frame(), nullptr);
  EXPECT_EQ(panel->Frame()->Owner(), panel.get());
  EXPECT_TRUE(IsPublishedProp(panel.get(), "Frame"));
}

TEST(QRBasePanel, WithoutAParentWindowTheApplicationWindowHoldsIt) {
  test_support::Owned<TQRBasePanel> panel(new TQRBasePanel(nullptr));
  panel->SetBounds(0, 0, 50, 30);
  ASSERT_NE(panel->Handle(), nullptr);
  EXPECT_EQ(GetParent(panel->Handle()), Application->Handle());
}

}  // namespace
