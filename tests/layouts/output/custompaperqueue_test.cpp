// Custom paper of 150 x 100 mm (length x width) on the test desktop's
// queues. The raw queue is presented as a dot-matrix printer through the
// spooler seam (few colours, TrueType only as graphics; everything else is
// the real spooler): it gets the form "VORTELIMCF_150X100" for the run and
// its former form back. The PDF queue is no dot-matrix printer: no form is
// made and the page keeps its custom paper, and the PDF that the queue
// writes has pages of 100 x 150 mm.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "classlib/printers/devmode.h"
#include "classlib/printers/winspooler.h"
#include "layouts/output/custompaperform.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/testqueues.h"

namespace {

using namespace test_queues;

class MatrixRawSpooler : public TWinSpooler {
public:
  explicit MatrixRawSpooler(const AnsiString& matrix) : matrix_(matrix) {}
  int NumColors(const AnsiString& name) override { return name == matrix_ ? 2 : TWinSpooler::NumColors(name); }
  int TrueType(const AnsiString& name, const AnsiString& port) override {
    return name == matrix_ ? DCTT_BITMAP : TWinSpooler::TrueType(name, port);
  }
  bool AddForm(const AnsiString& name, const TPrinterForm& form) override {
    Added.push_back({name, form});
    return TWinSpooler::AddForm(name, form);
  }
  bool SetPrinter(const AnsiString& name, const std::vector<std::uint8_t>& devMode) override {
    Selected.push_back({name, DevModeFormName(DevModeOf(devMode))});
    return TWinSpooler::SetPrinter(name, devMode);
  }

  std::vector<std::pair<AnsiString, TPrinterForm>> Added;
  std::vector<std::pair<AnsiString, AnsiString>> Selected;  // printer, form

private:
  AnsiString matrix_;
};

class CustomPaperQueueTest : public testing::Test {
protected:
  void SetUp() override {
    raw = Env("DOZURI_RAW_PRINTER");
    pdf = Env("DOZURI_PDF_PRINTER");
    if (raw.empty() || pdf.empty())
      GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
    spooler = std::make_unique<MatrixRawSpooler>(raw);
    scope = std::make_unique<SpoolerScope>(*spooler);
    report = std::make_unique<TQuickRep>(nullptr);
    report->SetUnits(MM);
    report->SetShowProgress(false);
    report->Page()->SetPaperSize(TQRPaperSize::Custom);
    report->Page()->SetLength(150);
    report->Page()->SetWidth(100);
    report->CreateBand(rbDetail)->Size()->SetHeight(60);
    auto left = std::make_shared<int>(1);
    report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  }

  std::string raw, pdf;
  std::unique_ptr<MatrixRawSpooler> spooler;
  std::unique_ptr<SpoolerScope> scope;
  std::unique_ptr<TQuickRep> report;
};

TEST_F(CustomPaperQueueTest, TheRawQueueGetsTheFormForTheRunAndItsOldFormBack) {
  ASSERT_TRUE(IsPrinterMatrix(raw));
  const AnsiString before = SystemPrinterGetForm(raw);
  {
    TCustomPaperForm form(*report, raw, false);
    EXPECT_TRUE(form.Selected());
    EXPECT_EQ(report->Page()->PaperSize(), TQRPaperSize::Default);
    ASSERT_EQ(spooler->Added.size(), 1u);
    EXPECT_EQ(spooler->Added[0].first, raw);
    EXPECT_EQ(spooler->Added[0].second, PrinterFormRecord(150, 100));
    EXPECT_EQ(spooler->Added[0].second.Name, "VORTELIMCF_150X100");
    ASSERT_EQ(spooler->Selected.size(), 1u);
    EXPECT_EQ(spooler->Selected[0], std::make_pair(AnsiString(raw), AnsiString("VORTELIMCF_150X100")));
  }
  ASSERT_EQ(spooler->Selected.size(), 2u);
  EXPECT_EQ(spooler->Selected[1], std::make_pair(AnsiString(raw), before));
  EXPECT_EQ(SystemPrinterGetForm(raw), before);
}

TEST_F(CustomPaperQueueTest, WithThePrintHelperOrOnThePdfQueueNoFormIsMade) {
  {
    TCustomPaperForm helper(*report, raw, true);
    EXPECT_FALSE(helper.Selected());
  }
  ASSERT_FALSE(IsPrinterMatrix(pdf));
  TCustomPaperForm form(*report, pdf, false);
  EXPECT_FALSE(form.Selected());
  EXPECT_TRUE(spooler->Added.empty());
  EXPECT_TRUE(spooler->Selected.empty());
  EXPECT_EQ(report->Page()->PaperSize(), TQRPaperSize::Custom);
}

// The PDF queue's driver numbers the papers of its printer description from
// the user paper code, so that code alone would print on one of them (11 x 14
// in): each page of the PDF must be the report's own 100 x 150 mm.
TEST_F(CustomPaperQueueTest, ThePdfQueuePrintsOnPagesOfTheReportsSize) {
  const std::string pdfOut = Env("DOZURI_PDF_OUT");
  ASSERT_FALSE(pdfOut.empty());
  {
    TQRPrinter probe(nullptr);
    const int index = probe.DevicePrinter().Printers().IndexOf(pdf);
    ASSERT_GE(index, 0);
    report->PrinterSettings()->SetPrinterIndex(index);
  }
  report->SetReportTitle("Ozel Kagit");
  auto left = std::make_shared<int>(3);  // two bands to a page: two pages
  report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  const std::set<std::string> before = FilesIn(pdfOut, L"Ozel_Kagit*.pdf");
  report->Print();
  const std::string file = WaitForNewFile(pdfOut, L"Ozel_Kagit*.pdf", before);
  ASSERT_FALSE(file.empty()) << "no PDF arrived in " << pdfOut;
  std::this_thread::sleep_for(std::chrono::seconds(2));  // the queue writes the file in place
  const std::string info = PdfInfoOf(file, 2);
  EXPECT_EQ(pdf_info::PageCount(info), 2) << info;
  for (int n = 1; n <= 2; ++n) {
    const std::optional<pdf_info::PageSize> size = pdf_info::SizeOfPage(info, n);
    ASSERT_TRUE(size) << info;
    EXPECT_NEAR(size->Width, 283.46, 1.0) << info;  // 100 mm
    EXPECT_NEAR(size->Height, 425.2, 1.0) << info;  // 150 mm
  }
}

}  // namespace
