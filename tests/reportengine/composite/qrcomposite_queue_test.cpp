// The composite printed on the test desktop's PDF queue: the document that
// reaches the queue has as many pages as the composite's prepared store,
// and no printer object is left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "reportengine/composite/qrcomposite.h"
#include "reportengine/report/qrquickrepbands.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/testqueues.h"

namespace {

using namespace test_queues;

TQuickRep* DetailReport(const char* title, int records) {
  auto* report = new TQuickRep(nullptr);
  report->SetUnits(MM);
  report->SetShowProgress(false);
  report->SetReportTitle(title);
  report->Page()->SetPaperSize(TQRPaperSize::A4);
  report->CreateBand(rbDetail)->Size()->SetHeight(100);
  auto left = std::make_shared<int>(records);
  report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  return report;
}

// A preview whose "user" presses Print once the pages are made, then closes
// it. Print in a preview asks the report the printer object belongs to: for
// a composite that is the composite's temporary report.
class PrintingPreview : public TQRPreviewInterface {
  DECLARE_CLASS(PrintingPreview, TQRPreviewInterface)

public:
  explicit PrintingPreview(TComponent* AOwner) : TQRPreviewInterface(AOwner) {}
  TCustomForm* Show(TQRPrinter* printer) override {
    Showing = printer;
    printer->SetShowingPreview(true);
    SetTimer(nullptr, 0, 50, &PrintThenClose);
    return nullptr;
  }

  static void CALLBACK PrintThenClose(HWND, UINT, UINT_PTR timer, DWORD) {
    if (Showing == nullptr || Showing->Status() != mpFinished)
      return;
    KillTimer(nullptr, timer);
    TQRPrinter* printer = Showing;
    Showing = nullptr;
    if (auto* report = dynamic_cast<TCustomQuickRep*>(printer->ParentReport()))
      report->Print();
    PrinterKept = Owner != nullptr && Owner->QRPrinter() == printer;
    PagesKept = printer->PageCount();
    printer->ClosePreview();
  }

  static inline TQRPrinter* Showing = nullptr;
  static inline TQRCompositeReport* Owner = nullptr;
  static inline bool PrinterKept = false;
  static inline int PagesKept = -1;
};
IMPLEMENT_CLASS(PrintingPreview)

// The page count pdfinfo reads from a PDF the queue wrote, or -1.
int PdfPages(const std::string& pdf) {
  std::this_thread::sleep_for(std::chrono::seconds(2));  // the queue writes the file in place
  return pdf_info::PageCount(PdfInfoOf(pdf));
}

void Refill(TQuickRep& report, int records) {
  auto left = std::make_shared<int>(records);
  report.OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
}

TEST(CompositeQueueTest, PrintGivesTheQueueThePagesPrepareCounts) {
  const std::string pdfPrinter = Env("DOZURI_PDF_PRINTER"), pdfOut = Env("DOZURI_PDF_OUT");
  if (pdfPrinter.empty())
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  std::unique_ptr<TQuickRep> first(DetailReport("Birlesik Rapor", 3)), second(DetailReport("Ikinci", 3));
  TQRCompositeReport composite(nullptr);
  composite.OnAddReports = [&](TObject*) {
    composite.AddReport(first.get());
    composite.AddReport(second.get());
  };
  {
    TQRPrinter probe(nullptr);
    const int index = probe.DevicePrinter().Printers().IndexOf(pdfPrinter);
    ASSERT_GE(index, 0);
    composite.PrinterSettings()->SetPrinterIndex(index);
  }
  composite.Prepare();
  ASSERT_NE(composite.QRPrinter(), nullptr);
  const int prepared = composite.QRPrinter()->PageCount();
  EXPECT_EQ(prepared, 3);

  Refill(*first, 3);
  Refill(*second, 3);
  const std::set<std::string> before = FilesIn(pdfOut, L"Birlesik_Rapor*.pdf");
  TQRPrinter* preparedPrinter = composite.QRPrinter();
  composite.Print();
  // The print's own printer object is gone; the prepared pages are back.
  EXPECT_EQ(composite.QRPrinter(), preparedPrinter);
  EXPECT_EQ(first->QRPrinter(), preparedPrinter);
  EXPECT_EQ(second->QRPrinter(), preparedPrinter);
  EXPECT_EQ(preparedPrinter->PageCount(), prepared);

  const std::string pdf = WaitForNewFile(pdfOut, L"Birlesik_Rapor*.pdf", before);
  ASSERT_FALSE(pdf.empty()) << "no PDF arrived in " << pdfOut;
  EXPECT_EQ(PdfPages(pdf), prepared);

  // The preview's "print again" notice on the message window prints the
  // composite once more.
  Refill(*first, 3);
  Refill(*second, 3);
  const std::set<std::string> printed = FilesIn(pdfOut, L"Birlesik_Rapor*.pdf");
  composite.MessageWindow()->Perform(QRM_PRINTAGAIN, 0, 0);
  EXPECT_FALSE(WaitForNewFile(pdfOut, L"Birlesik_Rapor*.pdf", printed).empty());
  EXPECT_EQ(composite.QRPrinter(), preparedPrinter);
}

// Print pressed in the composite's preview prints the whole composite, and
// the pages the preview shows stay until it closes.
TEST(CompositeQueueTest, PrintInTheCompositesPreviewPrintsTheCompositeAndKeepsTheShownPages) {
  const std::string pdfPrinter = Env("DOZURI_PDF_PRINTER"), pdfOut = Env("DOZURI_PDF_OUT");
  if (pdfPrinter.empty())
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  std::unique_ptr<TQuickRep> first(DetailReport("Onizlemeden", 3)), second(DetailReport("Ikinci", 3));
  TQRCompositeReport composite(nullptr);
  composite.OnAddReports = [&](TObject*) {
    Refill(*first, 3);
    Refill(*second, 3);
    composite.AddReport(first.get());
    composite.AddReport(second.get());
  };
  {
    TQRPrinter probe(nullptr);
    const int index = probe.DevicePrinter().Printers().IndexOf(pdfPrinter);
    ASSERT_GE(index, 0);
    composite.PrinterSettings()->SetPrinterIndex(index);
  }
  const std::set<std::string> before = FilesIn(pdfOut, L"Onizlemeden*.pdf");
  PrintingPreview::Owner = &composite;
  RegisterPreviewClass(PrintingPreview::StaticClass());
  composite.Preview();
  RegisterPreviewClass(TQRPreviewInterface::StaticClass());

  EXPECT_TRUE(PrintingPreview::PrinterKept) << "the preview's printer object stayed the composite's";
  EXPECT_EQ(PrintingPreview::PagesKept, 3);
  EXPECT_EQ(composite.QRPrinter(), nullptr);
  const std::string pdf = WaitForNewFile(pdfOut, L"Onizlemeden*.pdf", before);
  ASSERT_FALSE(pdf.empty()) << "no PDF arrived in " << pdfOut;
  EXPECT_EQ(PdfPages(pdf), 3);
}

}  // namespace
