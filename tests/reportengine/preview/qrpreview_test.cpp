// The preview control: its size and place of the page image at a zoom, the
// zoom and page limits, fit and width zoom, the printer object's notices,
// attaching and detaching, and the pages it paints.
//
// Look at the control showing a page: DOZURI_QRPREVIEW_SNAPSHOT=Z:\tmp\qrpreview.bmp
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/messages.h"
#include "qrpreviewtesting.h"

using namespace qrpreview_test;
using test_support::FormFixture;
using test_support::Pump;

namespace {

class QRPreviewTest : public ::testing::Test {
protected:
  void SetUp() override { form.Show(); }

  FormFixture form;
  A4Printer a4;
};

TEST_F(QRPreviewTest, StartsEmptyAt250PixelsWithTrackingBars) {
  auto* preview = new TQRPreview(form.Host());
  TQRPreviewImage* image = preview->PreviewImage();
  // As made; the first resize on the screen lays the image out.
  EXPECT_EQ(image->Left(), 0);
  EXPECT_EQ(image->Top(), 0);
  EXPECT_EQ(image->Width(), 100);
  EXPECT_EQ(image->Height(), 50);
  EXPECT_EQ(image->Parent(), preview);
  preview->SetParent(form.Host());
  EXPECT_EQ(preview->Width(), 250);
  EXPECT_EQ(preview->Height(), 250);
  EXPECT_TRUE(preview->HorzScrollBar()->Tracking());
  EXPECT_TRUE(preview->VertScrollBar()->Tracking());
  EXPECT_EQ(preview->QRPrinter(), nullptr);
  EXPECT_EQ(preview->Zoom(), 100);
  EXPECT_EQ(preview->PageNumber(), 1);
  EXPECT_EQ(preview->ZoomState(), qrZoomOther);
  EXPECT_EQ(image->Width(), 220);  // laid out without a printer object at zoom 100
  EXPECT_FALSE(image->HasPage());
  for (const char* name : {"PageNumber", "Zoom", "OnPageAvailable", "OnProgressUpdate", "OnHyperlink", "Outline"})
    EXPECT_NE(GetPropInfo(preview->ClassType(), name), nullptr) << name;
}

struct LayoutCase {
  int width, height;
  int left, top;
};

class QRPreviewLayoutTest : public QRPreviewTest, public ::testing::WithParamInterface<LayoutCase> {};

// A4 at 96 dpi and zoom 100 is 794 x 1123 pixels, and 4 more for the frame
// and shadow; the image is centred along each side where the control is
// larger.
TEST_P(QRPreviewLayoutTest, A4AtZoom100IsCentredWhereTheControlIsLarger) {
  const LayoutCase c = GetParam();
  a4.Run(1);
  ASSERT_EQ(a4.printer->PaperWidth(), 2100);
  ASSERT_EQ(a4.printer->PaperLength(), 2970);
  TQRPreview* preview = AddPreview(form, c.width, c.height);
  preview->SetQRPrinter(a4.printer.get());
  preview->SetZoom(100);
  TQRPreviewImage* image = preview->PreviewImage();
  EXPECT_EQ(image->Width(), 798);
  EXPECT_EQ(image->Height(), 1127);
  EXPECT_EQ(image->Left(), c.left);
  EXPECT_EQ(image->Top(), c.top);
  EXPECT_EQ(image->Zoom(), 100);
}

INSTANTIATE_TEST_SUITE_P(Sizes, QRPreviewLayoutTest,
                         ::testing::Values(LayoutCase{1000, 1300, 101, 86},  // larger both ways
                                           LayoutCase{1000, 600, 101, 0},    // wider only
                                           LayoutCase{600, 1200, 0, 36},     // taller only
                                           LayoutCase{798, 1127, 0, 0},      // exactly the page
                                           LayoutCase{400, 300, 0, 0}));

TEST_F(QRPreviewTest, WithoutAPrinterObjectTheImageHasLetterProportions) {
  TQRPreview* preview = AddPreview(form, 200, 200);
  preview->SetZoom(100);
  EXPECT_EQ(preview->PreviewImage()->Width(), 220);   // round(215.9) + 4
  EXPECT_EQ(preview->PreviewImage()->Height(), 283);  // round(279.4) + 4
  preview->SetZoom(50);
  EXPECT_EQ(preview->PreviewImage()->Width(), 112);   // round(107.95) + 4
  EXPECT_EQ(preview->PreviewImage()->Height(), 144);  // round(139.7) + 4
}

TEST_F(QRPreviewTest, ZoomAcceptsOnly2To2000) {
  a4.Run(1);
  TQRPreview* preview = AddPreview(form, 300, 300);
  preview->SetQRPrinter(a4.printer.get());
  struct Case {
    int value;
    int expected;
  };
  // Each value follows the one before it; refused values leave the last.
  const Case cases[] = {{50, 50}, {1, 50}, {2001, 50}, {2, 2}, {0, 2}, {-100, 2}, {2000, 2000}, {100, 100}};
  for (const Case& c : cases) {
    preview->SetZoom(c.value);
    EXPECT_EQ(preview->Zoom(), c.expected) << c.value;
    EXPECT_EQ(preview->PreviewImage()->Zoom(), c.expected) << c.value;
  }
  preview->SetZoom(2);
  EXPECT_EQ(preview->PreviewImage()->Width(), a4.printer->DeviceWidth(2100 * 2 / 100.0L) + 4);
}

TEST_F(QRPreviewTest, PageNumberStaysWithinThePages) {
  a4.Run(3);
  TQRPreview* preview = AddPreview(form, 400, 300);
  preview->SetQRPrinter(a4.printer.get());
  preview->SetZoom(100);
  ASSERT_EQ(preview->PageNumber(), 1);
  ASSERT_TRUE(preview->PreviewImage()->HasPage());
  for (int refused : {4, 0, -1, 1000}) {
    preview->SetPageNumber(refused);
    EXPECT_EQ(preview->PageNumber(), 1) << refused;
    EXPECT_EQ(preview->PreviewImage()->PageNumber(), 1) << refused;
  }
  // Page 3 loads and the view goes back to the top left.
  preview->HorzScrollBar()->SetPosition(150);
  preview->VertScrollBar()->SetPosition(400);
  ASSERT_EQ(preview->VertScrollBar()->Position(), 400);
  ASSERT_EQ(preview->PreviewImage()->Top(), -400);
  preview->SetPageNumber(3);
  EXPECT_EQ(preview->PageNumber(), 3);
  EXPECT_EQ(preview->PreviewImage()->PageNumber(), 3);
  EXPECT_TRUE(preview->PreviewImage()->HasPage());
  EXPECT_EQ(preview->HorzScrollBar()->Position(), 0);
  EXPECT_EQ(preview->VertScrollBar()->Position(), 0);
  EXPECT_EQ(preview->PreviewImage()->Left(), 0);
  EXPECT_EQ(preview->PreviewImage()->Top(), 0);
}

TEST_F(QRPreviewTest, PageNumberNeedsAPrinterObject) {
  TQRPreview* preview = AddPreview(form, 300, 300);
  preview->SetPageNumber(2);
  EXPECT_EQ(preview->PageNumber(), 1);
}

// Fit: the smaller of width / page width and height / page height, times 95;
// width: width / page width times 90. A4 is 794 x 1123 pixels here.
TEST_F(QRPreviewTest, FitAndWidthZoomFollowTheControlsSize) {
  a4.Run(1);
  TQRPreview* preview = AddPreview(form, 400, 300);
  preview->SetQRPrinter(a4.printer.get());
  preview->ZoomToFit();
  EXPECT_EQ(preview->Zoom(), 25);  // min(round(47.86), round(25.38))
  EXPECT_EQ(preview->ZoomState(), qrZoomToFit);
  EXPECT_EQ(preview->PreviewImage()->Zoom(), 25);

  preview->SetBounds(0, 0, 800, 600);  // resizing fits again
  EXPECT_EQ(preview->Zoom(), 51);       // min(round(95.72), round(50.76))
  EXPECT_EQ(preview->ZoomState(), qrZoomToFit);

  preview->ZoomToWidth();
  EXPECT_EQ(preview->Zoom(), 91);  // round(90.68)
  EXPECT_EQ(preview->ZoomState(), qrZoomToWidth);
  preview->SetBounds(0, 0, 400, 600);
  EXPECT_EQ(preview->Zoom(), 45);  // round(45.34)

  preview->SetZoom(100);  // a zoom of its own ends the following
  EXPECT_EQ(preview->ZoomState(), qrZoomOther);
  preview->SetBounds(0, 0, 700, 600);
  EXPECT_EQ(preview->Zoom(), 100);
}

TEST_F(QRPreviewTest, FitAndWidthZoomWithoutAPrinterObjectUseLetterMillimetres) {
  TQRPreview* preview = AddPreview(form, 400, 300);
  preview->ZoomToFit();
  EXPECT_EQ(preview->Zoom(), 102);  // min(round(176.01), round(102.0))
  preview->ZoomToWidth();
  EXPECT_EQ(preview->Zoom(), 176);
}

// A custom paper of no size (a damaged layout) gives no zoom to fit to:
// the zoom stays as it was instead of dividing by zero.
TEST_F(QRPreviewTest, FitAndWidthZoomOnPaperOfNoSizeKeepTheZoom) {
  a4.printer->Settings().SetPaperSize(TQRPaperSize::Custom);
  a4.printer->Settings().SetPaperWidth(0);
  a4.printer->Settings().SetPaperLength(0);
  TQRPreview* preview = AddPreview(form, 400, 300);
  preview->SetQRPrinter(a4.printer.get());
  preview->SetZoom(60);
  preview->ZoomToFit();
  EXPECT_EQ(preview->Zoom(), 60);
  preview->ZoomToWidth();
  EXPECT_EQ(preview->Zoom(), 60);
  EXPECT_EQ(preview->PreviewImage()->Width(), 4);
}

TEST_F(QRPreviewTest, EnteringTheControlKeepsAFitZoom) {
  a4.Run(1);
  TQRPreview* preview = AddPreview(form, 400, 300);
  preview->SetQRPrinter(a4.printer.get());
  preview->ZoomToFit();
  // A zoom set behind the control's back is put right when it is entered.
  preview->PreviewImage()->SetZoom(7);
  preview->Perform(CM_ENTER);
  EXPECT_EQ(preview->Zoom(), 25);
  EXPECT_EQ(preview->PreviewImage()->Zoom(), 25);
}

// The printer object's notices arrive as posted messages.
TEST_F(QRPreviewTest, PageNoticeForAnotherPageOnlyTellsTheHandler) {
  a4.Run(3);
  TQRPreview* preview = AddPreview(form, 400, 300);
  preview->SetQRPrinter(a4.printer.get());
  preview->SetZoom(100);
  Pump();  // the run's own notices came before the control was attached
  std::vector<int> pages;
  std::vector<int> progress;
  preview->OnPageAvailable = [&](TObject* sender, int page) {
    EXPECT_EQ(sender, preview);
    pages.push_back(page);
  };
  preview->OnProgressUpdate = [&](TObject* sender, int percent) {
    EXPECT_EQ(sender, preview);
    progress.push_back(percent);
  };
  PostMessageW(preview->Handle(), QRM_PAGEAVAILABLE, 0x10002, 0);  // high word is not part of it
  PostMessageW(preview->Handle(), QRM_PROGRESS, 40, 0);
  Pump();
  EXPECT_EQ(pages, std::vector<int>({2}));
  EXPECT_EQ(progress, std::vector<int>({40}));
  EXPECT_EQ(preview->Zoom(), 100);
  EXPECT_EQ(preview->ZoomState(), qrZoomOther);
  EXPECT_EQ(preview->PreviewImage()->PageNumber(), 1);
}

// While the report is still running, page 1 shows as soon as it is stored,
// zoomed to the control's width.
TEST_F(QRPreviewTest, PageArrivingDuringTheRunIsShownAtWidthZoom) {
  TQRPreview* preview = AddPreview(form, 400, 300);
  a4.BeginRun();
  a4.DrawPage(1);  // open, not stored yet
  preview->SetQRPrinter(a4.printer.get());
  preview->SetZoom(100);
  EXPECT_FALSE(preview->PreviewImage()->HasPage());
  std::vector<int> pages;
  preview->OnPageAvailable = [&](TObject*, int page) { pages.push_back(page); };
  a4.DrawPage(2);  // stores page 1 and tells the control
  Pump();
  EXPECT_TRUE(preview->PreviewImage()->HasPage());
  EXPECT_EQ(preview->ZoomState(), qrZoomToWidth);
  EXPECT_EQ(preview->Zoom(), 45);
  EXPECT_EQ(pages, std::vector<int>({1}));
  a4.printer->EndDoc();
  Pump();
  EXPECT_EQ(pages, std::vector<int>({1, 2}));
}

// Notices that pile up while the window is busy are answered once, with the
// latest: page 1 shows although the notice that announced it was passed
// over, and the handlers hear the latest count and percent only.
TEST_F(QRPreviewTest, WaitingNoticesAreAnsweredOnceWithTheLatest) {
  TQRPreview* preview = AddPreview(form, 400, 300);
  a4.BeginRun();
  a4.DrawPage(1);
  preview->SetQRPrinter(a4.printer.get());
  preview->SetZoom(100);
  std::vector<int> pages;
  std::vector<int> progress;
  preview->OnPageAvailable = [&](TObject*, int page) { pages.push_back(page); };
  preview->OnProgressUpdate = [&](TObject*, int percent) { progress.push_back(percent); };
  for (int page = 2; page <= 4; ++page)
    a4.DrawPage(page);  // stores pages 1 to 3, a notice each
  PostMessageW(preview->Handle(), QRM_PROGRESS, 10, 0);
  PostMessageW(preview->Handle(), QRM_PROGRESS, 20, 0);
  Pump();
  EXPECT_EQ(pages, std::vector<int>({3}));
  EXPECT_EQ(progress, std::vector<int>({20}));
  EXPECT_TRUE(preview->PreviewImage()->HasPage());
  EXPECT_EQ(preview->PreviewImage()->PageNumber(), 1);
  EXPECT_EQ(preview->ZoomState(), qrZoomToWidth);
  a4.printer->EndDoc();
  Pump();
  EXPECT_EQ(pages, std::vector<int>({3, 4}));
}

TEST_F(QRPreviewTest, AttachingAndDetachingTellThePrinterObject) {
  a4.Run(2);
  TQRPrinter* printer = a4.printer.get();
  int afterPreview = 0;
  printer->AfterPreview = [&](TObject*) { ++afterPreview; };
  TQRPreview* preview = AddPreview(form, 300, 300);
  preview->SetQRPrinter(printer);
  EXPECT_EQ(printer->NotifyTarget, preview);
  EXPECT_TRUE(printer->ShowingPreview());
  EXPECT_EQ(preview->PreviewImage()->QRPrinter(), printer);
  EXPECT_TRUE(preview->PreviewImage()->HasPage());

  preview->SetQRPrinter(nullptr);
  EXPECT_EQ(printer->NotifyTarget, nullptr);
  EXPECT_FALSE(printer->ShowingPreview());
  EXPECT_EQ(afterPreview, 1);
  EXPECT_EQ(preview->QRPrinter(), nullptr);
  EXPECT_EQ(preview->PreviewImage()->QRPrinter(), nullptr);

  // A printer object that reports to another window is left to it.
  preview->SetQRPrinter(printer);
  auto* other = new TWinControl(form.Host());
  printer->NotifyTarget = other;
  preview->SetQRPrinter(nullptr);
  EXPECT_EQ(printer->NotifyTarget, other);
  EXPECT_TRUE(printer->ShowingPreview());
  EXPECT_EQ(afterPreview, 1);
  printer->NotifyTarget = nullptr;
}

TEST_F(QRPreviewTest, DestroyingTheControlCancelsARunStillGoing) {
  TQRPreview* preview = AddPreview(form, 300, 300);
  a4.BeginRun();
  a4.DrawPage(1);
  preview->SetQRPrinter(a4.printer.get());
  preview->Free();
  EXPECT_TRUE(a4.printer->Cancelled());
  EXPECT_FALSE(a4.printer->ShowingPreview());
  EXPECT_EQ(a4.printer->NotifyTarget, nullptr);
  a4.printer->EndDoc();
}

TEST_F(QRPreviewTest, PrinterObjectFreedFirstLeavesTheControlWithout) {
  a4.Run(1);
  TQRPreview* preview = AddPreview(form, 300, 300);
  preview->SetQRPrinter(a4.printer.get());
  a4.printer.reset();
  EXPECT_EQ(preview->QRPrinter(), nullptr);
  EXPECT_EQ(preview->PreviewImage()->QRPrinter(), nullptr);
  preview->SetPageNumber(1);
  preview->Free();  // must not reach the freed object
}

TEST_F(QRPreviewTest, MouseEventsOfTheControlFireOverThePage) {
  a4.Run(1);
  TQRPreview* preview = AddPreview(form, 300, 300);
  int clicks = 0;
  preview->OnClick = [&](TObject*) { ++clicks; };
  preview->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++clicks; };
  preview->SetQRPrinter(a4.printer.get());
  TQRPreviewImage* image = preview->PreviewImage();
  ASSERT_TRUE(image->OnClick);
  image->OnClick(image);
  image->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 2);
}

// ---- Painting ----------------------------------------------------------------

// The centre of page n's block in the control, for an image at zoom 50.
POINT BlockCentre(TQRPreview& preview, TQRPrinter& printer, int n) {
  const RECT block = BlockOfPage(n);
  const long double x = (block.left + block.right) / 2.0L;
  const long double y = (block.top + block.bottom) / 2.0L;
  TQRPreviewImage* image = preview.PreviewImage();
  // The page's pixels are stretched over the whole image.
  const int pageWidth = printer.DeviceWidth(printer.PaperWidth());
  const int pageHeight = printer.DeviceHeight(printer.PaperLength());
  return POINT{image->Left() + static_cast<int>(printer.DeviceX(x) * image->Width() / pageWidth),
               image->Top() + static_cast<int>(printer.DeviceY(y) * image->Height() / pageHeight)};
}

TEST_F(QRPreviewTest, PaintsTheShownPageWithFrameAndShadow) {
  a4.Run(3);
  TQRPreview* preview = AddPreview(form, 500, 700);
  preview->SetQRPrinter(a4.printer.get());
  preview->SetZoom(50);
  TQRPreviewImage* image = preview->PreviewImage();
  ASSERT_EQ(image->Width(), 401);
  ASSERT_EQ(image->Left(), 49);
  ASSERT_EQ(image->Top(), 67);
  const POINT one = BlockCentre(*preview, *a4.printer, 1);
  const POINT two = BlockCentre(*preview, *a4.printer, 2);
  {
    Picture picture(*preview);
    EXPECT_EQ(picture.At(one.x, one.y), clBlack);
    EXPECT_EQ(picture.At(two.x, two.y), clWhite);
    const int middle = image->Top() + 300;
    EXPECT_EQ(picture.At(image->Left(), middle), clBlack);                       // frame
    EXPECT_EQ(picture.At(image->Left() + 1, middle), clWhite);                   // page
    EXPECT_EQ(picture.At(image->Left() + image->Width() - 1, middle), clBlack);  // shadow
    EXPECT_NE(picture.At(image->Left() - 1, middle), clBlack);                   // background
    EXPECT_NE(picture.At(image->Left() - 1, middle), clWhite);
  }
  preview->SetPageNumber(2);
  Picture picture(*preview);
  EXPECT_EQ(picture.At(one.x, one.y), clWhite);
  EXPECT_EQ(picture.At(two.x, two.y), clBlack);
}

TEST_F(QRPreviewTest, ImageWithoutAPageDrawsNothing) {
  TQRPreview* preview = AddPreview(form, 500, 700);
  preview->SetQRPrinter(a4.printer.get());  // no run: no pages
  preview->SetZoom(50);
  TQRPreviewImage* image = preview->PreviewImage();
  ASSERT_FALSE(image->HasPage());
  Picture picture(*preview);
  const TColor background = picture.At(5, 5);
  EXPECT_EQ(picture.At(image->Left(), image->Top() + 100), background);
  EXPECT_EQ(picture.At(image->Left() + 100, image->Top() + 100), background);
}

// A thumbnail cell without a page still shows a white page with its frame.
TEST(QRDrawPageTest, EmptyPageFrameOnlyWhenAskedFor) {
  for (bool frame : {false, true}) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(60, 80);
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(RECT{0, 0, 60, 80});
    DrawPage(nullptr, bitmap.Canvas(), 0, 0, 60, 80, frame);
    TCanvas& c = bitmap.Canvas();
    const TColor inside = frame ? clWhite : clFuchsia;
    const TColor line = frame ? clBlack : clFuchsia;
    EXPECT_EQ(c.GetPixel(30, 40), inside) << frame;
    EXPECT_EQ(c.GetPixel(0, 40), line) << frame;   // left frame
    EXPECT_EQ(c.GetPixel(57, 40), line) << frame;  // right frame at R - 3
    EXPECT_EQ(c.GetPixel(30, 0), line) << frame;   // top frame
    EXPECT_EQ(c.GetPixel(30, 77), line) << frame;  // bottom frame at B - 3
    EXPECT_EQ(c.GetPixel(59, 40), line) << frame;  // right shadow
    EXPECT_EQ(c.GetPixel(30, 79), line) << frame;  // bottom shadow
    EXPECT_EQ(c.GetPixel(59, 1), clFuchsia) << frame;  // shadow starts two down
    EXPECT_EQ(c.GetPixel(1, 79), clFuchsia) << frame;  // and two across
  }
}

// A picture of the control as the screen shows it, for a person to look at.
TEST_F(QRPreviewTest, ScreenPictureOfAShownPage) {
  const char* path = std::getenv("DOZURI_QRPREVIEW_SNAPSHOT");
  if (path == nullptr)
    GTEST_SKIP() << "DOZURI_QRPREVIEW_SNAPSHOT not set";
  a4.Run(3);
  TQRPreview* preview = new TQRPreview(form.Host());
  preview->SetParent(form.Host());
  preview->SetBounds(0, 0, form.Host()->ClientWidth(), form.Host()->ClientHeight());
  preview->SetQRPrinter(a4.printer.get());
  preview->ZoomToFit();
  preview->SetPageNumber(2);
  form.Show();
  RedrawWindow(preview->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  const TPoint origin = preview->ClientToScreen(TPoint{0, 0});
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(preview->Width(), preview->Height());
  HDC screen = GetDC(nullptr);
  BitBlt(bitmap.Canvas().Handle(), 0, 0, preview->Width(), preview->Height(), screen, origin.x, origin.y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  // The block of page 2 is on the screen where the control paints it.
  const POINT block = BlockCentre(*preview, *a4.printer, 2);
  EXPECT_EQ(bitmap.Canvas().GetPixel(block.x, block.y), clBlack);
  bitmap.SaveToFile(path);
}

}  // namespace
