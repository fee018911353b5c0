// The runner's output paths as the program installs them: a layout written
// by the design stage, run by the report component through the runner, comes
// out on the PDF queue, as a composite of its graphic pages, or as a PDF file.
#include "layouts/output/runneroutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/printers.h"
#include "classlib/system/fileutils.h"
#include "layouts/runnerreport.h"
#include "reportengine/composite/qrcomposite.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/barcode_components/unixreaders.h"
#include "tests/support/scratchfolder.h"
#include "tests/layouts/output/outputtesting.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/testqueues.h"
#include "textreport/engine/zreport.h"
#include "classlib/graphics/metafile.h"

namespace {

using namespace runner_test;
using namespace test_queues;
using output_test::RunAndWait;
using output_test::UnixPathOf;

// Five labels, two of them placeholders.
const std::vector<LabelRow> kFiveLabels = {
    {"869000000001", "Elma", false}, {"", "", true},           {"869000000002", "Armut", false},
    {"", "", true},                  {"869000000003", "Kiraz", false},
};

class RunnerOutputTest : public RunnerFixture {
protected:
  // As the program starts: the composite class registered, so runner forms
  // make their composite, and the output paths installed in place of the
  // runner's own output.
  RunnerOutputTest() : outputScope(nullptr) {
    RegisterQRCompositeClasses();
    previousAdder = InstallCompositeMemberAdder(nullptr);
    InstallRunnerOutputPaths();
    FillLabels(*etiket, kFiveLabels);
  }
  ~RunnerOutputTest() override { InstallCompositeMemberAdder(previousAdder); }

  // Pages graphic pages of the label layout, each with a label.
  void WriteLabelLayout(int Pages) { RunnerFixture::WriteLabelLayout(Pages, "Urun Etiketi"); }

  // The run's printer is the named queue.
  void UsePrinter(const std::string& Name) {
    const int index = Printer().Printers().IndexOf(Name.c_str());
    ASSERT_GE(index, 0) << Name;
    rapor->OnGetPrinterIndex = [index](TObject*, int& PrnIndex) { PrnIndex = index; };
  }

  RunnerOutputScope outputScope;
  TCompositeMemberAdder previousAdder;
};

// pdfinfo's page count of a PDF file (Unix name); -1 when unreadable.
int PdfPages(const std::string& Pdf) {
  return pdf_info::PageCount(test_queues::PdfInfoOf(Pdf));
}

// pdftotext's text of a PDF file (Unix name).
std::string PdfText(const std::string& Pdf) {
  const std::string out = Pdf + ".txt";
  if (!RunAndWait("pdftotext '" + Pdf + "' '" + out + ".part'; mv '" + out + ".part' '" + out + "'", out))
    return {};
  return ReadWholeFile(out);
}

TEST_F(RunnerOutputTest, PrintSendsTheLabelsOfOneGraphicPageToThePrinter) {
  const std::string pdfPrinter = Env("DOZURI_PDF_PRINTER"), pdfOut = Env("DOZURI_PDF_OUT");
  if (pdfPrinter.empty())
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  WriteLabelLayout(1);
  UsePrinter(pdfPrinter);
  const std::set<std::string> before = FilesIn(pdfOut, L"*.pdf");
  rapor->PrintReport(layoutFile);
  const std::string pdf = WaitForNewFile(pdfOut, L"*.pdf", before);
  ASSERT_FALSE(pdf.empty()) << "no PDF arrived in " << pdfOut;
  std::this_thread::sleep_for(std::chrono::seconds(2));  // the queue writes the file in place
  EXPECT_EQ(PdfPages(pdf), 5);
  const std::string text = PdfText(pdf);
  for (const char* expected : {"Urun Etiketi", "Elma", "Armut", "Kiraz"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in:\n" << text;
}

// Two graphic pages run as one composite: the page store holds both pages'
// runs, one after the other, and the second page's texts and barcodes follow
// the records as the first page's do.
TEST_F(RunnerOutputTest, TwoGraphicPagesRunAsOneCompositeWhoseSecondPageFollowsTheRecords) {
  TUnixDecodeBatch batch;
  if (!batch.Unavailable().empty())
    GTEST_SKIP() << batch.Unavailable();
  if (const std::string missing = batch.MissingPrograms({"zbarimg"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  WriteLabelLayout(2);
  rapor->OutputFileName = folder.File("birlesik.qrp");
  RunLayout("QRP");
  TQRPrinter stored(nullptr);
  stored.Load(rapor->OutputFileName);
  ASSERT_EQ(stored.PageCount(), 10);
  std::vector<std::string> texts;
  for (int n = 1; n <= 10; ++n) {
    std::unique_ptr<TMetafile> page = stored.GetPage(n);
    ASSERT_NE(page, nullptr) << n;
    std::string line;
    for (const std::string& text : PageTexts(*page))
      if (text != "Urun Etiketi")
        line += text;
    texts.push_back(line);
    TBitmap bitmap;
    RenderPage(*page, bitmap);
    batch.Add(bitmap, "zbarimg -q --raw");
  }
  const std::vector<std::string> perRecord = {"Elma", "", "Armut", "", "Kiraz"};
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 5), perRecord);
  EXPECT_EQ(std::vector<std::string>(texts.begin() + 5, texts.end()), perRecord);
  const auto decoded = batch.Run();
  ASSERT_EQ(decoded.size(), 10u);
  const std::vector<std::optional<std::string>> codes = {"8690000000012", std::nullopt, "8690000000029", std::nullopt,
                                                          "8690000000036"};
  EXPECT_EQ(std::vector<std::optional<std::string>>(decoded.begin(), decoded.begin() + 5), codes);
  EXPECT_EQ(std::vector<std::optional<std::string>>(decoded.begin() + 5, decoded.end()), codes);
}

// Without an output file the PDF mode asks for one; the file it writes is
// a PDF of the run's pages. A cancelled dialog writes nothing.
TEST_F(RunnerOutputTest, ThePdfModeWritesTheFileTheSaveDialogNames) {
  WriteLabelLayout(1);
  const AnsiString target = folder.File("etiketler.pdf");
  dialogs.AnswerCancel();
  RunLayout("PDF");
  EXPECT_FALSE(::FileExists(target));
  dialogs.AnswerFile(target);
  RunLayout("PDF");
  ASSERT_TRUE(::FileExists(target));
  const std::string pdf = UnixPathOf(target);
  if (pdf.empty())
    GTEST_SKIP() << "pdfinfo runs only under Wine";
  EXPECT_EQ(PdfPages(pdf), 5);
}

// Modes are exact: a lower-case mode produces nothing, and the run still
// ends normally.
TEST_F(RunnerOutputTest, AModeInTheWrongLetterCaseProducesNothing) {
  WriteLabelLayout(1);
  rapor->OutputFileName = folder.File("etiket.qrp");
  EXPECT_NO_THROW(RunLayout("qrp"));
  EXPECT_FALSE(::FileExists(rapor->OutputFileName));
  RunLayout("QRP");
  EXPECT_TRUE(::FileExists(rapor->OutputFileName));
}

// The installed output called on a runner that holds a text page beside a
// graphic one serves the text page through the text paths: the page is
// announced and its document written, the graphic page is left alone.
TEST_F(RunnerOutputTest, CalledOnATextPageTheOutputRunsTheTextPath) {
  TDizaynPreviewF runner(nullptr);
  auto* graphic = new TQuickRep(&runner);
  graphic->SetName("Grafik");
  auto* text = new TZReport(&runner);
  text->SetName("Metin");
  text->SetPrintIfEmpty(true);
  runner.VtRapor = rapor;
  runner.Mode = "Print";
  const AnsiString saved = folder.File("metin.txt");
  std::vector<AnsiString> announced;
  rapor->OnBeforeReportPrint = [&](TObject*, TComponent* Report) {
    announced.push_back(Report->Name());
    SendTextRunToFile(Report, saved);
  };
  RunRunnerOutput(runner);
  EXPECT_EQ(announced, std::vector<AnsiString>{"Metin"});
  EXPECT_EQ(graphic->QRPrinter(), nullptr);
  const FileBytes bytes = ReadFileBytes(saved);
  const std::string document(bytes.begin(), bytes.end());
  EXPECT_EQ(document.substr(0, 2), "\x1b\x40");
  EXPECT_EQ(std::count(document.begin(), document.end(), '\x0C'), 1);
}

}  // namespace
