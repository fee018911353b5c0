// The printer object on the test desktop's PDF queue: what reaches paper is
// read back from the PDF that the queue writes (pdfinfo, pdftotext).
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <set>
#include <sstream>
#include <thread>

#include "classlib/graphics/metafile.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/reportengine/printer/qrprinterfixture.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/testqueues.h"

namespace {

using namespace qrprinter_test;
using namespace test_queues;

// What a printed job became.
struct PrintedPdf {
  int Pages = -1;
  std::vector<std::string> PageTexts;  // UTF-8, one per page
  std::string Info;                    // pdfinfo's report
  std::string Boxes;                   // pdftotext -bbox: each word with its box

  // The top-left corner, in points from the page's top-left, of the first
  // word that reads word; {-1, -1} when there is none.
  std::pair<double, double> WordAt(const std::string& word) const {
    const std::size_t end = Boxes.find(">" + word + "</word>");
    const std::size_t start = end == std::string::npos ? end : Boxes.rfind("<word", end);
    if (start == std::string::npos)
      return {-1, -1};
    const std::string tag = Boxes.substr(start, end - start);
    const auto attribute = [&](const char* name) {
      const std::size_t at = tag.find(std::string(name) + "=\"");
      return at == std::string::npos ? -1.0 : std::stod(tag.substr(at + std::strlen(name) + 2));
    };
    return {attribute("xMin"), attribute("yMin")};
  }
};

class QRPrinterQueueTest : public testing::Test {
protected:
  void SetUp() override {
    pdfPrinter = Env("DOZURI_PDF_PRINTER");
    pdfOut = Env("DOZURI_PDF_OUT");
    if (pdfPrinter.empty())
      GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  }

  // Puts the object on the PDF queue and names its job.
  void UsePdfQueue(TQRPrinter& printer, const char* title) {
    ASSERT_TRUE(printer.PrintersAvailable());
    const int index = printer.DevicePrinter().Printers().IndexOf(pdfPrinter);
    ASSERT_GE(index, 0);
    printer.SetPrinterIndex(index);
    printer.Title = title;
    before = FilesIn(pdfOut, Pattern(title).c_str());
  }

  static std::wstring Pattern(const char* title) {
    std::wstring pattern;
    for (const char* p = title; *p; ++p)
      pattern += *p == ' ' ? L'_' : static_cast<wchar_t>(*p);
    return pattern + L"*.pdf";
  }

  PrintedPdf WaitForPdf(const char* title) {
    PrintedPdf result;
    std::string pdf = WaitForNewFile(pdfOut, Pattern(title).c_str(), before);
    if (pdf.empty()) {
      ADD_FAILURE() << "no PDF arrived in " << pdfOut;
      return result;
    }
    // The queue writes the file in place; give it time to finish.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const std::string text = pdf + ".txt", info = pdf + ".info";
    const std::string bbox = pdf + ".bbox";
    if (!RunUnixShell("pdftotext -layout '" + pdf + "' '" + text + ".part' && pdftotext -bbox '" + pdf + "' '" + bbox +
                      ".part' && pdfinfo '" + pdf + "' > '" + info + ".part' && mv '" + text + ".part' '" + text +
                      "' && mv '" + bbox + ".part' '" + bbox + "' && mv '" + info + ".part' '" + info + "'") ||
        !WaitForFile(info)) {
      ADD_FAILURE() << "pdftotext/pdfinfo gave nothing for " << pdf;
      return result;
    }
    result.Info = ReadWholeFile(info);
    result.Boxes = ReadWholeFile(bbox);
    result.Pages = pdf_info::PageCount(result.Info);
    // pdftotext ends every page with a form feed.
    std::stringstream all(ReadWholeFile(text));
    std::string page;
    while (std::getline(all, page, '\f'))
      result.PageTexts.push_back(page);
    if (!result.PageTexts.empty() && result.PageTexts.back().find_first_not_of(" \r\n") == std::string::npos)
      result.PageTexts.pop_back();
    return result;
  }

  static bool Holds(const std::string& pageText, int n) {
    const std::string wanted = "Sayfa " + std::to_string(n);
    const std::size_t at = pageText.find(wanted);
    // "Sayfa 1" must not match "Sayfa 12".
    return at != std::string::npos &&
           (at + wanted.size() == pageText.size() || !isdigit(static_cast<unsigned char>(pageText[at + wanted.size()])));
  }

  std::string pdfPrinter, pdfOut;
  std::set<std::string> before;
};

TEST_F(QRPrinterQueueTest, PrintRangeKeepsExactlyItsPages) {
  TQRPrinter printer(nullptr);
  UsePdfQueue(printer, "QR Aralik");
  printer.ApplyDestination(qrdPrinter);
  printer.SetFirstPage(2);
  printer.SetLastPage(3);
  int afterPrint = 0;
  printer.AfterPrint = [&](TObject* sender) {
    EXPECT_EQ(sender, &printer);
    ++afterPrint;
  };
  RunMetafilePages(printer, 5);
  EXPECT_EQ(printer.PageCount(), 5);  // every page laid out
  EXPECT_EQ(printer.AvailablePages(), 5);
  EXPECT_EQ(printer.Status(), mpFinished);
  EXPECT_EQ(afterPrint, 1);
  EXPECT_FALSE(printer.DevicePrinter().Printing());

  PrintedPdf pdf = WaitForPdf("QR Aralik");
  EXPECT_EQ(pdf.Pages, 2) << pdf.Info;
  ASSERT_EQ(pdf.PageTexts.size(), 2u);
  EXPECT_TRUE(Holds(pdf.PageTexts[0], 2)) << pdf.PageTexts[0];
  EXPECT_TRUE(Holds(pdf.PageTexts[1], 3)) << pdf.PageTexts[1];
  for (const std::string& text : pdf.PageTexts)
    for (int discarded : {1, 4, 5})
      EXPECT_FALSE(Holds(text, discarded)) << text;
}

TEST_F(QRPrinterQueueTest, DevicePositionsLeaveOutTheUnprintableMargin) {
  TQRPrinter printer(nullptr);
  UsePdfQueue(printer, "QR Kenar");
  printer.ApplyDestination(qrdPrinter);
  printer.BeginDoc();
  const int ppi = GetDeviceCaps(printer.DevicePrinter().Handle(), LOGPIXELSX);
  ASSERT_GT(ppi, 0);
  EXPECT_DOUBLE_EQ(static_cast<double>(printer.XFactor()), ppi / 254.0);
  EXPECT_EQ(printer.LeftWaste(), printer.Settings().LeftOffset());
  EXPECT_EQ(printer.TopWaste(), printer.Settings().TopOffset());
  EXPECT_EQ(printer.DeviceX(printer.LeftWaste()), 0);
  EXPECT_EQ(printer.DeviceY(printer.TopWaste()), 0);
  EXPECT_EQ(printer.DeviceX(printer.LeftWaste() + 254), ppi);
  EXPECT_EQ(printer.DeviceWidth(254), ppi);
  printer.AbortDoc();
}

TEST_F(QRPrinterQueueTest, PagesOfADeviceWithoutResolutionGetTheFallback) {
  TQRPrinter printer(nullptr);
  UsePdfQueue(printer, "QR Cozunurluk");
  // The device stops answering its resolution once the settings are read.
  NoResolutionDevice device;
  QRPrinterDeviceScope deviceScope(device);
  printer.ApplyDestination(qrdPrinter);
  printer.BeginDoc();
  EXPECT_DOUBLE_EQ(static_cast<double>(printer.YFactor()), 0.37795);
  printer.NewPage();  // the device job starts here
  EXPECT_TRUE(printer.DevicePrinter().Printing());
  EXPECT_DOUBLE_EQ(static_cast<double>(printer.YFactor()), 1.0);
  printer.AbortDoc();
  EXPECT_FALSE(printer.DevicePrinter().Printing());
  EXPECT_EQ(printer.Status(), mpFinished);
}

TEST_F(QRPrinterQueueTest, TwoCopiesReachTheQueue) {
  TQRPrinter printer(nullptr);
  UsePdfQueue(printer, "QR Kopya");
  printer.ApplyDestination(qrdPrinter);
  ASSERT_TRUE(printer.Settings().SetCopies(2));
  RunMetafilePages(printer, 2);
  PrintedPdf pdf = WaitForPdf("QR Kopya");
  // The queue either repeats the pages in the file, or keeps one copy of
  // them and counts the job's sheets with its copy count in its page log.
  ASSERT_TRUE(pdf.Pages == 4 || pdf.Pages == 2) << pdf.Info;
  const bool collated = printer.Settings().Collate() != 0;
  if (pdf.Pages == 4) {
    const std::vector<int> order = collated ? std::vector<int>{1, 2, 1, 2} : std::vector<int>{1, 1, 2, 2};
    ASSERT_EQ(pdf.PageTexts.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
      EXPECT_TRUE(Holds(pdf.PageTexts[i], order[i])) << i << ": " << pdf.PageTexts[i];
    return;
  }
  ASSERT_EQ(pdf.PageTexts.size(), 2u);
  EXPECT_TRUE(Holds(pdf.PageTexts[0], 1)) << pdf.PageTexts[0];
  EXPECT_TRUE(Holds(pdf.PageTexts[1], 2)) << pdf.PageTexts[1];
  const std::string pageLog = pdfOut + "/../log/page_log";
  std::string line;
  for (int i = 0; i < 100 && line.empty(); ++i) {
    std::stringstream log(ReadWholeFile(pageLog));
    for (std::string entry; std::getline(log, entry);)
      if (entry.find(" QR Kopya ") != std::string::npos)
        line = entry;
    if (line.empty())
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_NE(line.find(" total 4 "), std::string::npos) << "page log: " << line;
}

TEST_F(QRPrinterQueueTest, StoredPagesPrintTheirRangeWithProgress) {
  test_support::FormFixture form;
  RecordingTarget* progressWindow = AddTarget(form);
  struct Progress : TQRPrintProgress {
    explicit Progress(RecordingTarget* window, std::vector<const char*>& calls) : window_(window), calls_(calls) {}
    TWinControl* Target() override { return window_; }
    void Show() override { calls_.push_back("Show"); }
    void Hide() override { calls_.push_back("Hide"); }
    RecordingTarget* window_;
    std::vector<const char*>& calls_;
  };
  std::vector<const char*> calls;
  SetQRPrintProgressFactory([&](TQRPrinter&) { return std::make_unique<Progress>(progressWindow, calls); });

  TestReport report;
  report.ShowProgress = true;
  TQRPrinter printer(&report);
  RunMetafilePages(printer, 5);
  UsePdfQueue(printer, "QR Saklanan");
  printer.SetPrepared(true);
  printer.SetFirstPage(3);
  printer.SetLastPage(4);
  printer.Print();
  SetQRPrintProgressFactory(nullptr);
  test_support::Pump();
  EXPECT_EQ(progressWindow->WParamsOf(QRM_PROGRESS), (std::vector<WPARAM>{50, 100}));
  EXPECT_EQ(calls, (std::vector<const char*>{"Show", "Hide"}));
  EXPECT_EQ(printer.NotifyTarget, nullptr);  // the progress window was only lent
  EXPECT_EQ(report.AfterPrintCount, 1);
  EXPECT_EQ(printer.PageNumber(), 4);

  PrintedPdf pdf = WaitForPdf("QR Saklanan");
  EXPECT_EQ(pdf.Pages, 2) << pdf.Info;
  ASSERT_EQ(pdf.PageTexts.size(), 2u);
  EXPECT_TRUE(Holds(pdf.PageTexts[0], 3)) << pdf.PageTexts[0];
  EXPECT_TRUE(Holds(pdf.PageTexts[1], 4)) << pdf.PageTexts[1];
}

// A store of landscape A4 pages, loaded by an object with no report behind
// it, prints on landscape A4 with the pages whole.
TEST_F(QRPrinterQueueTest, LoadedLandscapeStorePrintsAtItsOwnSize) {
  ScratchFolder folder;
  {
    TQRPrinter maker(nullptr);
    maker.Settings().SetOrientation(poLandscape);
    maker.BeginDoc();
    for (int n = 1; n <= 2; ++n) {
      maker.NewPage();
      TCanvas& canvas = maker.CurrentCanvas();
      canvas.Font().SetName("Arial");
      canvas.Font().SetSize(14);
      canvas.TextOut(maker.DeviceX(200), maker.DeviceY(200), ToAnsi(PageText(n)));
      // A mark near the far corner shows the page was not cut or squeezed.
      canvas.TextOut(maker.DeviceX(2500), maker.DeviceY(1800), "Kose");
    }
    maker.EndDoc();
    std::unique_ptr<TMetafile> first = maker.GetPage(1);
    ASSERT_NE(first, nullptr);
    ASSERT_GT(first->MMWidth(), first->MMHeight());
    maker.Save(folder.File("yatay.qrp"));
  }
  TQRPrinter printer(nullptr);
  UsePdfQueue(printer, "QR Yatay");
  printer.Settings().SetOrientation(poPortrait);
  printer.Load(folder.File("yatay.qrp"));
  EXPECT_EQ(printer.Settings().Orientation(), poLandscape);
  printer.Print();
  PrintedPdf pdf = WaitForPdf("QR Yatay");
  EXPECT_EQ(pdf.Pages, 2) << pdf.Info;
  // Landscape A4: 842 x 595 points, or the A4 sheet turned by 90 degrees.
  const bool turnedA4 = pdf.Info.find("(A4)") != std::string::npos && pdf.Info.find("Page rot:        90") != std::string::npos;
  EXPECT_TRUE(pdf.Info.find("842 x 595") != std::string::npos || turnedA4) << pdf.Info;
  ASSERT_EQ(pdf.PageTexts.size(), 2u);
  for (int n = 1; n <= 2; ++n) {
    EXPECT_TRUE(Holds(pdf.PageTexts[n - 1], n)) << pdf.PageTexts[n - 1];
    EXPECT_NE(pdf.PageTexts[n - 1].find("Kose"), std::string::npos) << pdf.PageTexts[n - 1];
  }
}

// Stored A5 pages print on A5 at their own size: what was drawn 20 mm from
// the page's corner lies 20 mm from the sheet's corner, whatever margin the
// device cannot print on.
TEST_F(QRPrinterQueueTest, StoredPagesKeepTheirGeometryOnPaper) {
  ScratchFolder folder;
  {
    TQRPrinter maker(nullptr);
    if (!maker.Settings().SetPaperSize(TQRPaperSize::A5))
      GTEST_SKIP() << "the PDF queue lists no A5";
    maker.BeginDoc();
    maker.NewPage();
    TCanvas& canvas = maker.CurrentCanvas();
    canvas.Font().SetName("Arial");
    canvas.Font().SetSize(12);
    canvas.TextOut(maker.DeviceX(200), maker.DeviceY(200), "Sol");
    canvas.TextOut(maker.DeviceX(1100), maker.DeviceY(1800), "Alt");
    maker.EndDoc();
    maker.Save(folder.File("a5.qrp"));
  }
  TQRPrinter printer(nullptr);
  UsePdfQueue(printer, "QR Olcu");
  printer.Load(folder.File("a5.qrp"));
  EXPECT_EQ(printer.Settings().PaperSize(), TQRPaperSize::A5);
  printer.Print();
  PrintedPdf pdf = WaitForPdf("QR Olcu");
  EXPECT_EQ(pdf.Pages, 1) << pdf.Info;
  EXPECT_NE(pdf.Info.find("(A5)"), std::string::npos) << pdf.Info;
  // 20 mm = 56.7 pt, 110 mm = 311.8 pt, 180 mm = 510.2 pt; the text box
  // starts a little after the drawing position.
  const auto isAbout = [](std::pair<double, double> at, double x, double y) {
    return at.first >= x - 2 && at.first <= x + 6 && at.second >= y - 2 && at.second <= y + 6;
  };
  EXPECT_TRUE(isAbout(pdf.WordAt("Sol"), 56.7, 56.7)) << pdf.WordAt("Sol").first << ", " << pdf.WordAt("Sol").second;
  EXPECT_TRUE(isAbout(pdf.WordAt("Alt"), 311.8, 510.2)) << pdf.WordAt("Alt").first << ", " << pdf.WordAt("Alt").second;
}

}  // namespace
