// A stretching memo of 200 lines printed to the test desktop's PDF queue:
// the paper holds every line once, in order, over as many pages as the
// line height gives (read back with pdftotext).
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "reportengine/printables/qrmemo.h"
#include "tests/reportengine/report/quickreptesting.h"
#include "tests/support/testqueues.h"

using namespace test_queues;

namespace {

std::string MemoLine(int i) { return "Memo satırı " + std::to_string(i); }

class MemoToPdf : public quickrep_test::PdfQueuePage {
protected:
  // The text of the new PDF, one string per page (pdftotext separates pages
  // with a form feed), in UTF-8.
  std::vector<std::string> PdfPages(const std::set<std::string>& before) {
    std::string pdf = WaitForNewFile(pdfOut, L"QR_Memo*.pdf", before);
    if (pdf.empty())
      return {};
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const std::string text = pdf + ".txt";
    if (!RunUnixShell("pdftotext -enc UTF-8 '" + pdf + "' '" + pdf + ".part' && mv '" + pdf + ".part' '" + text +
                      "'") ||
        !WaitForFile(text))
      return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::vector<std::string> pages;
    std::stringstream all(ReadWholeFile(text));
    std::string page;
    while (std::getline(all, page, '\f'))
      if (page.find_first_not_of(" \r\n") != std::string::npos)
        pages.push_back(page);
    return pages;
  }

};

// The memo lines found on a page, by number, in the order they stand.
std::vector<int> LineNumbersOf(const std::string& page) {
  std::vector<int> numbers;
  // The Turkish letters in UTF-8, as pdftotext writes them (the source's
  // own literals are code page 1254).
  const std::string prefix = "Memo sat\xC4\xB1r\xC4\xB1 ";
  std::stringstream lines(page);
  std::string line;
  while (std::getline(lines, line)) {
    std::size_t at = line.find(prefix);
    if (at != std::string::npos)
      numbers.push_back(std::stoi(line.substr(at + prefix.size())));
  }
  return numbers;
}

TEST_F(MemoToPdf, TwoHundredLinesReachThePaperOnceEachInOrder) {
  TQRCustomBand* detail = Band(rbDetail, 10, "D");
  Records(1);
  auto* memo = new TQRMemo(form.Host());
  memo->SetParent(detail);
  memo->Size()->SetUnits(Native);
  memo->Size()->SetLeft(50);
  memo->Size()->SetTop(10);
  memo->Size()->SetWidth(900);
  memo->Size()->SetHeight(50);
  memo->SetAutoSize(false);
  memo->SetAutoStretch(true);
  memo->Font()->SetName("Arial");
  memo->Font()->SetSize(10);
  TStringList lines;
  for (int i = 1; i <= 200; ++i)
    lines.Add(MemoLine(i));
  memo->SetLines(&lines);

  TQRPrinter probe(nullptr);
  int index = probe.DevicePrinter().Printers().IndexOf(pdfPrinter);
  ASSERT_GE(index, 0);
  report->PrinterSettings()->SetPrinterIndex(index);
  report->SetReportTitle("QR Memo");
  std::set<std::string> before = FilesIn(pdfOut, L"QR_Memo*.pdf");
  report->Print();
  std::vector<std::string> pages = PdfPages(before);
  ASSERT_GE(pages.size(), 2u) << "200 lines of a 10 point font need more than one A4 page";

  std::vector<int> printed;
  std::vector<std::size_t> perPage;
  for (const std::string& page : pages) {
    std::vector<int> numbers = LineNumbersOf(page);
    perPage.push_back(numbers.size());
    printed.insert(printed.end(), numbers.begin(), numbers.end());
  }
  std::vector<int> expected;
  for (int i = 1; i <= 200; ++i)
    expected.push_back(i);
  EXPECT_EQ(printed, expected);
  // The line height alone decides the page breaks: every page but the last
  // is full to the same count.
  for (std::size_t i = 0; i + 1 < perPage.size(); ++i)
    EXPECT_EQ(perPage[i], perPage.front()) << "page " << i + 1;
  EXPECT_EQ(pages.size(), (200 + perPage.front() - 1) / perPage.front());
}

}  // namespace
