// The report's background picture: the image printable named by
// BackImageControl is drawn on every page, stretched to its own size, before
// anything else on the page, and not printed a second time as a printable.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/mathutils.h"
#include "quickreptesting.h"
#include "reportengine/printables/qrimage.h"

using namespace quickrep_test;

namespace {

// The destination boxes of the page's bitmap records, in record order.
std::vector<RECT> PicturesOn(TMetafile& page) {
  std::vector<RECT> boxes;
  EnumEnhMetaFile(
      nullptr, page.Handle(),
      [](HDC, HANDLETABLE*, const ENHMETARECORD* raw, int, LPARAM data) -> int {
        if (raw->iType == EMR_STRETCHDIBITS) {
          auto* r = reinterpret_cast<const EMRSTRETCHDIBITS*>(raw);
          reinterpret_cast<std::vector<RECT>*>(data)->push_back(
              RECT{r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest});
        } else if (raw->iType == EMR_STRETCHBLT) {
          auto* r = reinterpret_cast<const EMRSTRETCHBLT*>(raw);
          reinterpret_cast<std::vector<RECT>*>(data)->push_back(
              RECT{r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest});
        }
        return 1;
      },
      &boxes, nullptr);
  return boxes;
}

class BackgroundPicture : public ReportPage {
protected:
  TQRImage* Image(const char* name, long double left, long double top, long double width, long double height) {
    auto* image = new TQRImage(form.Host());
    image->SetParent(report);
    image->SetName(name);
    image->Size()->SetLeft(left);
    image->Size()->SetTop(top);
    image->Size()->SetWidth(width);
    image->Size()->SetHeight(height);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(8, 8);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(0, 0, 8, 8));
    image->Picture()->SetGraphic(&bitmap);
    return image;
  }
};

TEST_F(BackgroundPicture, TheNamedImageIsDrawnOnEveryPageAtItsOwnSize) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  TQRImage* back = Image("Arka", 20, 30, 120, 90);
  report->SetBackImageControl("Arka");
  TControl* seen = nullptr;
  RECT expected{};
  detail->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) {
    seen = report->BackImage();
    TQRPrinter& printer = *report->QRPrinter();
    TQRPrintableSize& size = *back->Size();
    int left = printer.DeviceX(size.Left()), top = printer.DeviceY(size.Top());
    expected = RECT{left, top, left + static_cast<int>(Round(static_cast<double>(size.Width() * printer.XFactor()))),
                    top + static_cast<int>(Round(static_cast<double>(size.Height() * printer.YFactor())))};
  });
  Records(30);
  report->Prepare();
  EXPECT_EQ(seen, back) << "the run found the image by its name";
  ASSERT_EQ(Pages(), 3);
  for (int n = 1; n <= 3; ++n) {
    std::unique_ptr<TMetafile> page = report->QRPrinter()->GetPage(n);
    ASSERT_NE(page, nullptr);
    std::vector<RECT> pictures = PicturesOn(*page);
    ASSERT_EQ(pictures.size(), 1u) << "page " << n << ": drawn once, as the background only";
    EXPECT_EQ(pictures[0].left, expected.left) << "page " << n;
    EXPECT_EQ(pictures[0].top, expected.top);
    EXPECT_EQ(pictures[0].right, expected.right) << "stretched to the image's width";
    EXPECT_EQ(pictures[0].bottom, expected.bottom) << "and height";
  }
}

// A name that matches no image, or an image named otherwise: no background;
// the image prints at the end of each page like any printable on the report.
TEST_F(BackgroundPicture, AnImageNotNamedPrintsAsAPrintable) {
  Band(rbDetail, 20, "D");
  Image("Resim", 20, 30, 120, 90);
  report->SetBackImageControl("arka");
  Records(5);
  report->Prepare();
  EXPECT_EQ(report->BackImage(), nullptr);
  ASSERT_EQ(Pages(), 1);
  std::unique_ptr<TMetafile> page = report->QRPrinter()->GetPage(1);
  EXPECT_EQ(PicturesOn(*page).size(), 1u);
}

}  // namespace
