// The graphic printables and a rotated label printed straight to the test
// desktop's PDF queue, the page rendered by pdftoppm at 100 pixels per inch:
// an unstretched 96-pixel bitmap of a 96 ppi screen is one inch on paper, a
// shape keeps its size in millimetres, the rotated text stands upright.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "image_testdata.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/printables/vtqrlabel.h"
#include "reportengine/printer/qrunitfacts.h"
#include "tests/reportengine/report/quickreptesting.h"
#include "tests/support/testqueues.h"

using namespace printables_test;
using namespace test_queues;

namespace {

// A page rendered as a binary PPM.
struct RenderedPage {
  int Width = 0, Height = 0;
  std::string Pixels;

  bool Parse(const std::string& ppm) {
    std::size_t at = 0;
    auto next = [&]() {
      while (at < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[at])))
        ++at;
      std::size_t start = at;
      while (at < ppm.size() && !std::isspace(static_cast<unsigned char>(ppm[at])))
        ++at;
      return ppm.substr(start, at - start);
    };
    if (next() != "P6")
      return false;
    Width = std::stoi(next());
    Height = std::stoi(next());
    next();
    ++at;
    Pixels = ppm.substr(at);
    return Pixels.size() >= static_cast<std::size_t>(Width) * Height * 3;
  }

  // The bounding box of the pixels that pass.
  template <class Test>
  RECT Box(Test test) const {
    RECT box{Width, Height, -1, -1};
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) {
        const auto* p = reinterpret_cast<const unsigned char*>(Pixels.data()) + (static_cast<std::size_t>(y) * Width + x) * 3;
        if (test(p[0], p[1], p[2])) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
      }
    return box;
  }
};

class GraphicsToPdf : public quickrep_test::PdfQueuePage {
protected:
  // The first page of the new PDF rendered at 100 ppi.
  bool Render(const std::set<std::string>& before, RenderedPage& page) {
    std::string pdf = WaitForNewFile(pdfOut, L"QR_Sekiller*.pdf", before);
    if (pdf.empty())
      return false;
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const std::string ppm = pdf + ".ppm";
    if (!RunUnixShell("pdftoppm -r 100 -f 1 -l 1 -singlefile '" + pdf + "' '" + pdf + ".part' && mv '" + pdf +
                      ".part.ppm' '" + ppm + "'") ||
        !WaitForFile(ppm))
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    return page.Parse(ReadWholeFile(ppm));
  }

  template <class T>
  T* OnBand(TQRCustomBand* band, long double Left, long double Top, long double Width, long double Height) {
    auto* printable = new T(form.Host());
    printable->SetParent(band);
    printable->Size()->SetUnits(Native);
    printable->Size()->SetLeft(Left);
    printable->Size()->SetTop(Top);
    printable->Size()->SetWidth(Width);
    printable->Size()->SetHeight(Height);
    return printable;
  }

  QRUnitFactsScope units{TQRUnitFacts{false, 96}};
};

TEST_F(GraphicsToPdf, PicturesShapesAndRotatedTextKeepTheirSizeOnPaper) {
  TQRCustomBand* detail = Band(rbDetail, 60, "D");
  Records(1);
  auto* image = OnBand<TQRImage>(detail, 100, 50, 400, 400);
  image->Picture()->SetGraphic(FilledBitmap(96, 96).get());
  auto* shape = OnBand<TQRShape>(detail, 600, 50, 300, 200);
  shape->Brush()->SetColor(clBlue);
  shape->Pen()->SetColor(clBlue);
  auto* label = OnBand<TVtQrLabel>(detail, 1000, 50, 150, 500);
  label->SetAutoSize(false);
  label->Font()->SetName("Arial");
  label->Font()->SetSize(14);
  label->SetTransparent(true);
  label->SetCaption("Dikey yazı burada");
  label->SetDirection(fldDownUp);

  TQRPrinter probe(nullptr);
  int index = probe.DevicePrinter().Printers().IndexOf(pdfPrinter);
  ASSERT_GE(index, 0);
  report->PrinterSettings()->SetPrinterIndex(index);
  report->SetReportTitle("QR Sekiller");
  std::set<std::string> before = FilesIn(pdfOut, L"QR_Sekiller*.pdf");
  report->Print();
  RenderedPage page;
  ASSERT_TRUE(Render(before, page));

  // One inch is 100 pixels here; 30 x 20 mm are 118 x 79.
  RECT red = page.Box([](int r, int g, int b) { return r > 200 && g < 80 && b < 80; });
  EXPECT_NEAR(red.right - red.left, 100, 3);
  EXPECT_NEAR(red.bottom - red.top, 100, 3);
  RECT blue = page.Box([](int r, int g, int b) { return b > 200 && r < 80 && g < 80; });
  EXPECT_NEAR(blue.right - blue.left, 118, 3);
  EXPECT_NEAR(blue.bottom - blue.top, 79, 3);
  EXPECT_NEAR(blue.left - red.left, 197, 3) << "50 mm apart";
  // The text: dark pixels right of the shape, standing upright.
  RECT text = page.Box([&](int r, int g, int b) { return r < 100 && g < 100 && b < 100; });
  ASSERT_GT(text.right, text.left) << "the rotated text reached paper";
  EXPECT_GT(text.left, blue.right);
  EXPECT_GT(text.bottom - text.top, 3 * (text.right - text.left));
}

}  // namespace
