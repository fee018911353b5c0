// Sheets end once: when the report finish codes eject the sheet themselves,
// the last page of a copy gets no separator of its own, so every copy ends
// with exactly one form feed, whether or not its last page is full.
#include <gtest/gtest.h>

#include <algorithm>

#include "zrtestreport.h"

namespace {

using namespace zr_test;

std::string Bytes(TZRPrinter& document) {
  TMemoryStream stream;
  document.WriteToStream(stream);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TEST(ZRPrinterFormFeed, EachCopyEndsWithOneFormFeedWhenTheFinishCodesEject) {
  struct Case {
    const char* name;
    std::vector<std::vector<AnsiString>> pages;
    const char* finish;
    int from, to;
    std::string copy;  // after the start codes
    TZRPaperType paper = zptSheet;
  } cases[] = {
      {"last page full", {{"A", "B"}, {"C", "D"}}, "\x0c", 0, 0, "A\r\nB\r\n\x0c" "C\r\nD\r\n\x0c"},
      {"last page with blank lines", {{"A", "B"}, {"C"}}, "\x0c", 0, 0, "A\r\nB\r\n\x0c" "C\r\n\x0c"},
      {"condensed off, then eject", {{"A", "B"}}, "\x12\x0c", 0, 0, "A\r\nB\r\n\x12\x0c"},
      {"a range ending before the last page", {{"A", "B"}, {"C", "D"}, {"E", "F"}}, "\x0c", 1, 2,
       "A\r\nB\r\n\x0c" "C\r\nD\r\n\x0c"},
      // Finish codes that do not eject keep the sheet separator.
      {"finish without form feed", {{"A", "B"}, {"C", "D"}}, "<f>", 0, 0, "A\r\nB\r\n\x0c" "C\r\nD\r\n\x0c<f>"},
      // A folio page's cut line is no form feed: the last one stays.
      {"folio cut lines", {{"A", "B"}, {"C", "D"}}, "\x0c", 0, 0,
       "A\r\nB\r\n:< - - - -\r" "C\r\nD\r\n:< - - - -\r\x0c", zptFolio},
  };
  for (const Case& c : cases) {
    TestReport report(10, 2);
    report.options.SetPaperType(c.paper);
    report.options.Escapes()->SetValues(zecReportFinish, c.finish);
    report.options.SetCopies(2);
    TZRPrinter document(&report);
    Build(document, c.pages);
    // The finished document covers all its pages; a range is chosen after.
    report.options.SetPageFrom(c.from);
    report.options.SetPageTo(c.to == 0 ? static_cast<int>(c.pages.size()) : c.to);
    const std::string start = "\x1b@\x1bP\x12";
    EXPECT_EQ(Bytes(document), start + c.copy + start + c.copy) << c.name;
  }
}

}  // namespace
