// A report run into metafile pages: the order of the bands on each page
// with the page header and footer options, columns, the room left, and runs
// that must end even when a band or a printable can never fit.
#include <gtest/gtest.h>

#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "quickreptesting.h"
#include "reportengine/report/qrprintable.h"

using namespace quickrep_test;

namespace {

// A4 is 297 mm long; with 10 mm margins the bands have 277 mm. Page header
// and footer 20 mm, title 20, column header 10, detail 20, summary 20:
// page 1 holds PH, T, CH and ten details (60 mm + 10 x 20 = 260 <= 267),
// page 2 PH, CH, the four other details and the summary.
class BandOrder : public ReportPage {
protected:
  void SetUp() override {
    ReportPage::SetUp();
    Band(rbTitle, 20, "T");
    Band(rbPageHeader, 20, "PH");
    Band(rbColumnHeader, 10, "CH");
    Band(rbDetail, 20, "D");
    Band(rbPageFooter, 20, "PF");
    Band(rbSummary, 20, "S");
    Records(14);
  }
};

TEST_F(BandOrder, DefaultOptionsPrintHeadersAndFootersOnEveryPage) {
  report->Prepare();
  EXPECT_EQ(Pages(), 2);
  auto pages = ByPage();
  EXPECT_EQ(pages[1], Join({{"PH", "T", "CH"}, Repeat("D", 10), {"PF"}}));
  EXPECT_EQ(pages[2], Join({{"PH", "CH"}, Repeat("D", 4), {"S", "PF"}}));
}

TEST_F(BandOrder, OptionsLeaveOutTheFirstHeaderAndTheLastFooter) {
  struct Case {
    const char* name;
    TQuickRepOptions options;
    bool firstHeader;
    bool lastFooter;
  };
  const Case cases[] = {
      {"no first page header", TQuickRepOptions{LastPageFooter}, false, true},
      {"no last page footer", TQuickRepOptions{FirstPageHeader}, true, false},
      {"neither", TQuickRepOptions{}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    printedBands.clear();
    Records(14);
    report->SetOptions(c.options);
    report->Prepare();
    auto pages = ByPage();
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(pages[1].front() == "PH", c.firstHeader);
    EXPECT_EQ(pages[1].back(), "PF");
    const std::vector<std::string>& last = pages.rbegin()->second;
    EXPECT_EQ(last.back() == "PF", c.lastFooter);
    EXPECT_EQ(pages.rbegin()->first == 2 ? last.front() : "PH", "PH") << "page 2 always has its header";
  }
}

TEST_F(ReportPage, PrintIfEmptyOffWithNoRecordsPrintsNoBand) {
  for (TQRBandType kind : {rbTitle, rbPageHeader, rbColumnHeader, rbDetail, rbPageFooter, rbSummary})
    Band(kind, 20, "band");
  auto* table = new TRxMemoryData(form.Host());
  table->FieldDefs()->Add("KOD", ftString, 10);
  table->Open();
  report->SetDataSet(table);
  report->SetPrintIfEmpty(false);
  report->Prepare();
  EXPECT_TRUE(printedBands.empty());
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(Pages(), 0);
}

// Three columns of 60 mm with 10 mm between them; each 200 mm detail fills
// a column.
TEST_F(ReportPage, ColumnsStartAfterTheDetailWidthAndTheSpace) {
  report->Page()->SetColumns(3);
  report->Page()->SetColumnSpace(10);
  TQRCustomBand* detail = Band(rbDetail, 200, "D");
  int roomBeforeFirstPage = -2;
  report->BeforePrint = TQRReportBeforePrintEvent([&](TCustomQuickRep*, bool&) {
    // The report lays bands out only while idle: set now, the width holds
    // for the run.
    detail->Size()->SetWidth(60);
  });
  detail->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) {
    if (report->PageCount() == 0)
      roomBeforeFirstPage = report->AvailableSpace();
  });
  Records(4);
  EXPECT_EQ(report->AvailableSpace(), 0) << "outside a run";
  report->Prepare();
  EXPECT_EQ(roomBeforeFirstPage, 0);
  ASSERT_EQ(printedBands.size(), 4u);
  const int left = 100, width = 600, space = 100;
  const int expectedX[] = {left, left + width + space, left + 2 * (width + space), left};
  const int expectedPage[] = {1, 1, 1, 2};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(printedBands[i].X, expectedX[i]);
    EXPECT_EQ(printedBands[i].Page, expectedPage[i]);
    EXPECT_EQ(printedBands[i].Column, i % 3 + 1);
  }
  EXPECT_EQ(Pages(), 2);
}

TEST_F(ReportPage, AvailableSpaceIsTheRoomAboveTheFooters) {
  Band(rbPageFooter, 20, "PF");
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  std::vector<int> room;
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { room.push_back(report->AvailableSpace()); });
  Records(2);
  report->Prepare();
  // 2970 - 100 bottom margin - 200 footer - (100 top + 200 per detail).
  EXPECT_EQ(room, (std::vector<int>{2970 - 100 - 200 - 300, 2970 - 100 - 200 - 500}));
}

TEST_F(ReportPage, ABandTallerThanAPageStartsEachTimeOnAFreshPage) {
  Band(rbDetail, 400, "D");
  Records(3);
  report->Prepare();
  ASSERT_EQ(printedBands.size(), 3u);
  EXPECT_EQ(Pages(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(printedBands[i].Page, i + 1);
}

TEST_F(ReportPage, APageHeaderTooTallForThePageDoesNotStartPageAfterPage) {
  Band(rbPageHeader, 200, "PH");
  Band(rbPageFooter, 100, "PF");
  Band(rbDetail, 20, "D");
  Records(2);
  report->Prepare();
  // The header prints where it is on each new page; each detail after the
  // first breaks once and then prints below it.
  EXPECT_EQ(Pages(), 2);
  EXPECT_EQ(ByPage()[1], (std::vector<std::string>{"PH", "D", "PF"}));
  EXPECT_EQ(ByPage()[2], (std::vector<std::string>{"PH", "D", "PF"}));
}

// Printables that cannot finish: one that never does, one whose single line
// is taller than a page.
class Unfinishing : public TQRPrintable {
public:
  using TQRPrintable::TQRPrintable;
  void Print(int, int) override {
    ++prints;
    SetPrintFinished(false);
  }
  int prints = 0;
};

class TallLine : public TQRPrintable {
public:
  using TQRPrintable::TQRPrintable;
  void Print(int, int) override {
    auto* band = static_cast<TQRCustomBand*>(Parent());
    long double grown = 0;
    bool expanded = false;
    band->ExpandBand(grown, expanded, 4000);
    SetPrintFinished(expanded && grown > 0);
    ++prints;
  }
  int prints = 0;
};

TEST_F(ReportPage, APrintableThatNeverFinishesStillEndsTheRun) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  auto* printable = new Unfinishing(form.Host());
  printable->SetParent(detail);
  Records(2);
  report->Prepare();
  EXPECT_EQ(printedBands.size(), 2u);
  EXPECT_LE(printable->prints, 6);
  EXPECT_LE(Pages(), 6);
}

TEST_F(ReportPage, ALineTallerThanAPagePrintsOnceClipped) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  auto* printable = new TallLine(form.Host());
  printable->SetParent(detail);
  Records(1);
  report->Prepare();
  ASSERT_EQ(printedBands.size(), 1u);
  EXPECT_EQ(printable->prints, 3) << "page 1, an empty page 2 and the forced pass";
  EXPECT_TRUE(printable->PrintFinished());
}

TEST_F(ReportPage, ForcedPageBreaksAfterTheTitleAndOnDetails) {
  Band(rbTitle, 20, "T");
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  detail->SetForceNewPage(true);
  Records(3);
  report->Prepare();
  // The title's mark absorbs the first break; every later detail starts a page.
  auto pages = ByPage();
  EXPECT_EQ(pages[1], (std::vector<std::string>{"T", "D"}));
  EXPECT_EQ(pages[2], (std::vector<std::string>{"D"}));
  EXPECT_EQ(pages[3], (std::vector<std::string>{"D"}));
}

TEST_F(ReportPage, ASummaryAlignedToTheBottomSitsOnTheBottomMargin) {
  report->SetOptions(TQuickRepOptions{FirstPageHeader});
  Band(rbPageFooter, 20, "PF");
  Band(rbDetail, 20, "D");
  TQRCustomBand* summary = Band(rbSummary, 30, "S");
  summary->SetAlignToBottom(true);
  Records(1);
  report->Prepare();
  ASSERT_FALSE(printedBands.empty());
  const Printed& last = printedBands.back();
  EXPECT_EQ(last.Label, "S");
  EXPECT_EQ(last.Y, 2970 - 100) << "its bottom on the margin, the footer space ignored";
}

// A summary aligned to the bottom ignores the footer space on the last page.
// When it does not fit there (by its own height, or only with the band it
// links to) it starts a page: the page it leaves still gets its footer
// above the bottom margin, not below it.
TEST_F(ReportPage, ABottomSummaryThatStartsAPageLeavesTheFooterAboveTheMargin) {
  report->SetOptions(TQuickRepOptions{FirstPageHeader});
  Band(rbPageFooter, 10, "PF");
  Band(rbDetail, 20, "D");
  TQRCustomBand* summary = Band(rbSummary, 40, "S");
  summary->SetAlignToBottom(true);
  TQRCustomBand* linked = report->CreateBand(rbGroupHeader);
  linked->Size()->SetHeight(30);
  struct Case {
    const char* what;
    long double height;
    TQRCustomBand* link;
    bool checkBottom;  // a linked summary's place follows the fit rules
  };
  for (const Case& c : {Case{"taller than the room left", 40, nullptr, true},
                        Case{"fits alone, not with its link", 5, linked, false}}) {
    summary->Size()->SetHeight(c.height);
    summary->SetLinkBand(c.link);
    printedBands.clear();
    Records(13);  // 260 of the 267 mm above the footer
    report->Prepare();
    EXPECT_EQ(Pages(), 2) << c.what;
    std::vector<Printed> footers;
    for (const Printed& p : printedBands)
      if (p.Label == "PF")
        footers.push_back(p);
    ASSERT_EQ(footers.size(), 1u) << c.what << ": page 1 only, no footer on the last page";
    EXPECT_EQ(footers[0].Page, 1) << c.what;
    EXPECT_EQ(footers[0].Y, 2970 - 100) << c.what << ": the footer ends on the bottom margin";
    ASSERT_EQ(printedBands.back().Label, "S") << c.what;
    EXPECT_EQ(printedBands.back().Page, 2) << c.what;
    if (c.checkBottom)
      EXPECT_EQ(printedBands.back().Y, 2970 - 100) << c.what << ": on the bottom margin of the last page";
  }
}

// Titles, page headers and page footers never break a page or a column,
// whatever their switches say.
TEST_F(ReportPage, PageLevelBandsIgnoreForcedBreaks) {
  report->Page()->SetColumns(2);
  TQRCustomBand* title = Band(rbTitle, 20, "T");
  TQRCustomBand* header = Band(rbPageHeader, 20, "PH");
  TQRCustomBand* footer = Band(rbPageFooter, 20, "PF");
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  detail->Size()->SetWidth(80);
  for (TQRCustomBand* band : {title, header, footer}) {
    for (bool page : {true, false}) {
      for (TQRCustomBand* other : {title, header, footer}) {
        other->SetForceNewPage(false);
        other->SetForceNewColumn(false);
      }
      page ? band->SetForceNewPage(true) : band->SetForceNewColumn(true);
      printedBands.clear();
      Records(3);
      report->Prepare();
      EXPECT_EQ(Pages(), 1) << band->Name().c_str() << (page ? " new page" : " new column");
      for (const Printed& p : printedBands)
        EXPECT_EQ(p.Column, 1) << p.Label << (page ? " new page" : " new column");
    }
  }
}

TEST_F(ReportPage, MarginsWiderThanThePageBecomeZero) {
  report->Page()->SetLeftMargin(150);
  report->Page()->SetRightMargin(100);
  report->Page()->SetTopMargin(200);
  report->Page()->SetBottomMargin(150);
  Band(rbDetail, 20, "D");
  Records(1);
  report->Prepare();
  EXPECT_EQ(report->Page()->LeftMargin(), 0);
  EXPECT_EQ(report->Page()->RightMargin(), 0);
  EXPECT_EQ(report->Page()->TopMargin(), 0);
  EXPECT_EQ(report->Page()->BottomMargin(), 0);
  ASSERT_EQ(printedBands.size(), 1u);
  EXPECT_EQ(printedBands[0].X, 0);
}

TEST_F(ReportPage, BeforePrintCanDeclineTheRun) {
  Band(rbDetail, 20, "D");
  Records(3);
  report->BeforePrint = TQRReportBeforePrintEvent([](TCustomQuickRep*, bool& print) { print = false; });
  report->Prepare();
  EXPECT_TRUE(printedBands.empty());
  EXPECT_TRUE(report->Idle());
  ASSERT_NE(report->QRPrinter(), nullptr);
  EXPECT_EQ(report->QRPrinter()->Status(), mpReady) << "no job was begun";
}

TEST_F(ReportPage, AThousandRecordsGiveTheirPageCount) {
  Band(rbDetail, 20, "D");
  Records(1000);
  report->Prepare();
  // 277 mm hold 13 details of 20 mm (the 14th would end at 290 > 287).
  const int perPage = 277 / 20;
  EXPECT_EQ(Pages(), (1000 + perPage - 1) / perPage);
  EXPECT_TRUE(report->QRPrinter()->Prepared());
  EXPECT_EQ(report->QRPrinter()->Status(), mpFinished);
}

TEST_F(ReportPage, PageAndColumnNumbersReachTheFunctions) {
  report->Page()->SetColumns(2);
  TQRCustomBand* detail = Band(rbDetail, 200, "D");
  std::vector<std::string> seen;
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) {
    TQREvValue page, column;
    report->Functions()->VariableValue("PAGENUMBER", page);
    report->Functions()->VariableValue("COLUMNNUMBER", column);
    seen.push_back(std::to_string(page.IntValue) + "/" + std::to_string(column.IntValue));
  });
  Records(3);
  report->Prepare();
  EXPECT_EQ(seen, (std::vector<std::string>{"1/1", "1/2", "2/1"}));
}

TEST_F(ReportPage, EveryNewColumnGetsItsHeaderAndColumnsStartBelowTheTitle) {
  report->Page()->SetColumns(2);
  Band(rbTitle, 30, "T");
  Band(rbColumnHeader, 10, "CH");
  Band(rbDetail, 200, "D");
  Records(3);
  report->Prepare();
  std::vector<std::string> where;
  for (const Printed& p : printedBands)
    where.push_back(p.Label + " " + std::to_string(p.Page) + "/" + std::to_string(p.Column) + " " +
                    std::to_string(p.Y));
  // Page 1: title 100..400, header to 500, detail to 2500; column 2 starts
  // below the title at 400; page 2 has no title.
  EXPECT_EQ(where, (std::vector<std::string>{"T 1/1 400", "CH 1/1 500", "D 1/1 2500", "CH 1/2 500", "D 1/2 2500",
                                             "CH 2/1 200", "D 2/1 2200"}));
}

TEST_F(ReportPage, ALandscapeSheetEndsAtItsWidth) {
  report->Page()->SetOrientation(poLandscape);
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  std::vector<int> room;
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { room.push_back(report->AvailableSpace()); });
  Records(20);
  report->Prepare();
  ASSERT_FALSE(room.empty());
  // Across the A4 sheet: 2100 - 100 margin - (100 + 200).
  EXPECT_EQ(room.front(), 2100 - 100 - 300);
  // 190 mm of bands hold 9 details of 20 mm.
  EXPECT_EQ(Pages(), 3);
}

}  // namespace
