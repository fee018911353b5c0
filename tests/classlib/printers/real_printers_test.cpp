// Printing for real, to the queues of the test desktop: a PDF queue whose
// files poppler reads back, and a raw queue whose jobs arrive in files.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "classlib/printers/devmode.h"
#include "classlib/printers/printers.h"
#include "classlib/printers/spooler.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/testqueues.h"

namespace {

using namespace test_queues;

class RealPrinterTest : public testing::Test {
protected:
  void SetUp() override {
    pdfPrinter = Env("DOZURI_PDF_PRINTER");
    rawPrinter = Env("DOZURI_RAW_PRINTER");
    pdfOut = Env("DOZURI_PDF_OUT");
    rawOut = Env("DOZURI_RAW_OUT");
    if (pdfPrinter.empty() || rawPrinter.empty())
      GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  }
  std::string pdfPrinter, rawPrinter, pdfOut, rawOut;
};

TEST_F(RealPrinterTest, WinspoolSeesBothQueues) {
  std::vector<AnsiString> names = Spooler().PrinterNames();
  EXPECT_NE(std::find(names.begin(), names.end(), pdfPrinter), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), rawPrinter), names.end());
  EXPECT_EQ(Spooler().DefaultPrinter(), pdfPrinter);
  TPrinterDetails details;
  ASSERT_TRUE(Spooler().GetPrinter(pdfPrinter, details));
  EXPECT_FALSE(details.Driver.empty());
  EXPECT_GE(details.DevMode.size(), sizeof(DEVMODEW));
  EXPECT_GE(Spooler().DocumentProperties(pdfPrinter).size(), sizeof(DEVMODEW));
  std::vector<WORD> papers = Spooler().Papers(pdfPrinter, details.Port);
  EXPECT_NE(std::find(papers.begin(), papers.end(), DMPAPER_A4), papers.end());
  EXPECT_EQ(Spooler().PaperNames(pdfPrinter, details.Port).size(), papers.size());
}

TEST_F(RealPrinterTest, FormCallsAnswer) {
  // The spooler may keep the form or not (Wine keeps none); the calls must
  // answer without failing the program.
  TPrinterForm form{"VORTELIMCF_40X60", 0, {60000, 40000}, {0, 0, 60000, 40000}};
  Spooler().AddForm(pdfPrinter, form);
  std::vector<TPrinterForm> forms = Spooler().EnumForms(pdfPrinter);
  for (const TPrinterForm& f : forms)
    EXPECT_FALSE(f.Name.empty());
  Spooler().DefaultFormName(pdfPrinter);
}

TEST_F(RealPrinterTest, PrintsAPageToPdf) {
  TPrinter printer;
  int index = printer.Printers().IndexOf(pdfPrinter);
  ASSERT_GE(index, 0);
  printer.SetPrinterIndex(index);
  AnsiString device, driver, port;
  HGLOBAL mode = nullptr;
  printer.GetPrinter(device, driver, port, mode);
  auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
  dm->dmPaperSize = DMPAPER_A5;
  dm->dmFields |= DM_PAPERSIZE;
  dm->dmFields &= ~(DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME);
  GlobalUnlock(mode);
  printer.SetPrinter(device, driver, port, mode);
  printer.Title = "Dozuri deneme";

  // cups-pdf names its files after the job title.
  std::set<std::string> before = FilesIn(pdfOut, L"Dozuri_deneme*.pdf");
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 1);
  int ppi = GetDeviceCaps(printer.Handle(), LOGPIXELSX);
  ASSERT_GT(ppi, 0);
  // A5 is 148 mm wide.
  EXPECT_NEAR(GetDeviceCaps(printer.Handle(), PHYSICALWIDTH) * 254 / ppi, 1480, 10);
  TCanvas& canvas = printer.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetSize(20);
  canvas.TextOut(ppi / 2, ppi / 2, "Dozuri deneme sayfasi");
  canvas.Pen().SetWidth(ppi / 30);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(ppi / 4, ppi / 4, printer.PageWidth() - ppi / 4, ppi * 2);
  printer.NewPage();
  EXPECT_EQ(printer.PageNumber(), 2);
  canvas.TextOut(ppi / 2, ppi / 2, "İkinci sayfa: çğıöşü");
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());

  std::string pdf = WaitForNewFile(pdfOut, L"Dozuri_deneme*.pdf", before);
  ASSERT_FALSE(pdf.empty()) << "no PDF arrived in " << pdfOut;
  // cups-pdf writes the file in place; give it time to finish.
  std::this_thread::sleep_for(std::chrono::seconds(2));
  std::string text = pdf + ".txt", info = pdf + ".info";
  // Both results appear at once, when both programs are done.
  ASSERT_TRUE(RunUnixShell("pdftotext '" + pdf + "' '" + text + ".part' && pdfinfo '" + pdf + "' > '" + info +
                           ".part' && mv '" + text + ".part' '" + text + "' && mv '" + info + ".part' '" + info + "'"));
  ASSERT_TRUE(WaitForFile(info)) << "pdftotext/pdfinfo gave nothing for " << pdf;
  std::string found = ReadWholeFile(text);  // UTF-8
  EXPECT_NE(found.find("Dozuri deneme sayfasi"), std::string::npos) << found;
  EXPECT_NE(found.find("\xC4\xB0kinci sayfa: \xC3\xA7\xC4\x9F\xC4\xB1\xC3\xB6\xC5\x9F\xC3\xBC"), std::string::npos) << found;
  std::string pageInfo = ReadWholeFile(info);
  EXPECT_NE(pageInfo.find("(A5)"), std::string::npos) << pageInfo;
  EXPECT_EQ(pdf_info::PageCount(pageInfo), 2) << pageInfo;
}

TEST_F(RealPrinterTest, OrientationFontsAndAbort) {
  TPrinter printer;
  printer.SetPrinterIndex(printer.Printers().IndexOf(pdfPrinter));
  EXPECT_GT(printer.Fonts().Count(), 0);
  printer.SetOrientation(poPortrait);
  EXPECT_LT(printer.PageWidth(), printer.PageHeight());
  printer.SetOrientation(poLandscape);
  EXPECT_EQ(printer.Orientation(), poLandscape);
  EXPECT_GT(printer.PageWidth(), printer.PageHeight());
  printer.Title = "Dozuri iptal";
  printer.BeginDoc();
  EXPECT_THROW(printer.SetOrientation(poPortrait), EPrinter);
  EXPECT_THROW(printer.BeginDoc(), EPrinter);
  printer.Canvas().TextOut(10, 10, "iptal");
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 0);
}

TEST_F(RealPrinterTest, RawJobArrivesUnchanged) {
  std::string payload = "\x1B@Raw test: Türkçe şğı\r\n";
  for (int b = 0; b < 256; ++b)
    payload += static_cast<char>(b);
  payload += "\x0C";
  std::set<std::string> before = FilesIn(rawOut, L"job-*.bin");

  TSpoolerHandle handle = Spooler().OpenPrinter(rawPrinter);
  ASSERT_NE(handle, 0u);
  EXPECT_NE(Spooler().StartDocPrinter(handle, "Dozuri raw", "RAW"), 0u);
  EXPECT_TRUE(Spooler().StartPagePrinter(handle));
  DWORD written = 0;
  EXPECT_TRUE(Spooler().WritePrinter(handle, payload.data(), static_cast<DWORD>(payload.size()), written));
  EXPECT_EQ(written, payload.size());
  EXPECT_TRUE(Spooler().EndPagePrinter(handle));
  EXPECT_TRUE(Spooler().EndDocPrinter(handle));
  EXPECT_TRUE(Spooler().ClosePrinter(handle));

  std::string job = WaitForNewFile(rawOut, L"job-*.bin", before);
  ASSERT_FALSE(job.empty()) << "no raw job arrived in " << rawOut;
  EXPECT_EQ(ReadWholeFile(job), payload);
}

}  // namespace
