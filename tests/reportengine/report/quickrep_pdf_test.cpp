// A prepared report printed to the test desktop's PDF queue: the stored
// pages reach paper as they were prepared (pdfinfo's page count, pdftotext
// of the first and last page).
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "classlib/graphics/canvas.h"
#include "quickreptesting.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/testqueues.h"

using namespace quickrep_test;
using namespace test_queues;

namespace {

class PreparedToPdf : public PdfQueuePage {
protected:
  // The pages of the PDF that arrived, as pdftotext gives them, and their
  // count from pdfinfo.
  int ReadPdf(const std::set<std::string>& before, std::vector<std::string>& pages,
              const wchar_t* pattern = L"QR_Rapor_Hazir*.pdf") {
    std::string pdf = WaitForNewFile(pdfOut, pattern, before);
    if (pdf.empty())
      return -1;
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const std::string text = pdf + ".txt", info = pdf + ".info";
    if (!RunUnixShell("pdftotext -layout '" + pdf + "' '" + text + ".part' && pdfinfo '" + pdf + "' > '" + info +
                      ".part' && mv '" + text + ".part' '" + text + "' && mv '" + info + ".part' '" + info + "'") ||
        !WaitForFile(info))
      return -1;
    std::stringstream all(ReadWholeFile(text));
    std::string page;
    while (std::getline(all, page, '\f'))
      pages.push_back(page);
    return pdf_info::PageCount(ReadWholeFile(info));
  }

};

TEST_F(PreparedToPdf, PrintsThePreparedPages) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  int number = 0;
  // Each record writes its number into its band.
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) {
    TQRPrinter& printer = *report->QRPrinter();
    TCanvas& canvas = printer.CurrentCanvas();
    canvas.Font().SetName("Arial");
    canvas.Font().SetSize(12);
    canvas.TextOut(printer.DeviceX(report->CurrentX() + 50), printer.DeviceY(report->CurrentY() - 150),
                   "Kayit " + std::to_string(++number));
  });
  Records(30);
  TQRPrinter probe(nullptr);
  int index = probe.DevicePrinter().Printers().IndexOf(pdfPrinter);
  ASSERT_GE(index, 0);
  report->PrinterSettings()->SetPrinterIndex(index);
  report->SetReportTitle("QR Rapor Hazir");
  report->Prepare();
  ASSERT_EQ(Pages(), 3);
  std::set<std::string> before = FilesIn(pdfOut, L"QR_Rapor_Hazir*.pdf");
  report->QRPrinter()->Print();
  std::vector<std::string> pages;
  EXPECT_EQ(ReadPdf(before, pages), 3);
  ASSERT_GE(pages.size(), 3u);
  EXPECT_NE(pages[0].find("Kayit 1"), std::string::npos) << pages[0];
  EXPECT_NE(pages[0].find("Kayit 13"), std::string::npos) << pages[0];
  EXPECT_EQ(pages[0].find("Kayit 14"), std::string::npos) << pages[0];
  EXPECT_NE(pages[2].find("Kayit 30"), std::string::npos) << pages[2];
  EXPECT_EQ(pages[2].find("Kayit 26"), std::string::npos) << pages[2];
}

TEST_F(PreparedToPdf, PrintGoesStraightToThePrinterAndFreesItsObject) {
  Band(rbDetail, 20, "D");
  Records(20);
  TQRPrinter probe(nullptr);
  int index = probe.DevicePrinter().Printers().IndexOf(pdfPrinter);
  ASSERT_GE(index, 0);
  report->PrinterSettings()->SetPrinterIndex(index);
  report->SetReportTitle("QR Dogrudan");
  TObject* afterPrintSender = nullptr;
  report->AfterPrint = TQRAfterPrintEvent([&](TObject* sender) { afterPrintSender = sender; });
  std::set<std::string> before = FilesIn(pdfOut, L"QR_Dogrudan*.pdf");
  report->Print();
  EXPECT_EQ(afterPrintSender, report);
  EXPECT_EQ(report->QRPrinter(), nullptr) << "the run's printer object is gone";
  EXPECT_TRUE(report->Idle());
  std::vector<std::string> pages;
  EXPECT_EQ(ReadPdf(before, pages, L"QR_Dogrudan*.pdf"), 2);
}

}  // namespace
