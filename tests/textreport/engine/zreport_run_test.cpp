// The text report's run: its data loop with the look-ahead, the page flow
// of its bands (page headers and footers, forced breaks, columns, room kept
// for footers), the document made and freed by Print, byte-exact output,
// and reports chained into one document by a composite.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/stdctrls/speedbutton.h"
#include "tests/support/componenttext.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"
#include "textreport/core/zrconst.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace {

using namespace test_support;
using Pages = std::vector<std::vector<std::string>>;

class ZReportRunTest : public testing::Test {
protected:
  ZReportRunTest() {
    report = NewReport("ZReport1", 20, 10);
    table = new TRxMemoryData(form.Host());
    table->SetName("Table");
    table->FieldDefs()->Add("AD", ftString, 10);
    table->FieldDefs()->Add("KOD", ftString, 4);
  }

  TZReport* NewReport(const char* name, int width, int height) {
    auto* r = new TZReport(form.Host());
    r->SetName(name);
    r->SetParent(form.Host());
    r->SetWidth(width);
    r->SetHeight(height);
    r->SetShowProgress(false);
    r->Options()->SetOEMConvert(false);
    r->Options()->SetPaperType(zptSheet);
    return r;
  }

  void AddRows(const std::vector<const char*>& names) {
    table->Open();
    for (const char* name : names) {
      table->Append();
      table->FieldByName("AD")->SetAsString(name);
      table->FieldByName("KOD")->SetAsString(name);
      table->Post();
    }
    table->First();
  }

  TZRCustomBand* Band(TZRBandType kind, int height = 1, TZReport* r = nullptr) {
    r = r != nullptr ? r : report;
    r->Bands()->SetHas(kind, true);
    TZRCustomBand* band = r->FindBand(kind);
    band->SetHeight(height);
    return band;
  }

  TZRLabel* Label(TZRCustomBand* band, int left, int width, const AnsiString& caption = "") {
    auto* label = new TZRLabel(form.Host());
    label->SetParent(band);
    label->SetLeft(left);
    label->SetTop(0);
    label->SetWidth(width);
    if (!caption.empty())
      label->SetCaption(caption);
    return label;
  }

  TZRField* Field(const char* dataField, TZReport* r = nullptr) {
    auto* field = new TZRField(form.Host());
    field->AttachController(r != nullptr ? r : report);
    field->SetDataSet(table);
    field->SetDataField(dataField);
    return field;
  }

  TZRLabel* FieldLabel(TZRCustomBand* band, int left, int width, const char* dataField = "AD",
                       TZReport* r = nullptr) {
    TZRLabel* label = Label(band, left, width);
    label->SetVariable(Field(dataField, r));
    return label;
  }

  // Every band that prints writes its kind's name into the log.
  void LogBands(TZReport* r = nullptr) {
    r = r != nullptr ? r : report;
    for (TZRCustomBand* band : r->BandList())
      band->AfterPrint = [this, band](TObject*) {
        log.push_back(BandTypeName(band->BandType()));
        if (band->BandType() == zbtDetail && table->Active() && !table->IsEmpty())
          log.back() += " " + std::string(table->FieldByName("AD")->AsString().c_str());
      };
  }

  // Builds the report into a document of its own and answers its pages.
  Pages Build(TZReport* r = nullptr) {
    r = r != nullptr ? r : report;
    TZRPrinter document(r);
    r->BuildReport(false);
    return PagesOf(document);
  }

  static Pages PagesOf(const TZRPrinter& document) {
    Pages pages;
    for (int p = 0; p < document.PageCount(); ++p) {
      std::vector<std::string> lines;
      for (int i = 0; i < document.Pages(p).Lines().Count(); ++i)
        lines.push_back(document.Pages(p).Lines().Strings(i).c_str());
      while (!lines.empty() && lines.back().empty())
        lines.pop_back();
      pages.push_back(lines);
    }
    return pages;
  }

  FormFixture form;
  TZReport* report = nullptr;
  TRxMemoryData* table = nullptr;
  std::vector<std::string> log;
};

std::string Hex(const FileBytes& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t b : bytes) {
    text += digits[b >> 4];
    text += digits[b & 15];
    text += ' ';
  }
  return text;
}

FileBytes Bytes(std::initializer_list<std::string> parts) {
  FileBytes bytes;
  for (const std::string& part : parts)
    bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

// ---- Byte-exact output --------------------------------------------------------------------
TEST_F(ZReportRunTest, ASheetReportWithHeadersTotalsAndPageNumberPrintsExactly) {
  ScratchFolder folder;
  AddRows({"AL\xDD", "VEL\xDD", "AY\xDE" "E"});
  report->SetDataSet(table);
  report->Options()->SetDestination(zrdFile);
  report->Options()->SetFileName(folder.File("rapor.txt"));
  report->Options()->Escapes()->SetModel(emEpson);
  Label(Band(zbtPageHeader), 0, 8, "REPORT");
  TZRLabel* list = Label(Band(zbtHeader), 0, 8, "LIST");
  list->SetFontStyles(TZRFontStyles{zfsBold});
  TZRCustomBand* detail = Band(zbtDetail);
  FieldLabel(detail, 0, 10);
  TZRCustomBand* footer = Band(zbtFooter);
  Label(footer, 0, 2, "N:");
  auto* aggregator = new TZRAggregator(form.Host());
  aggregator->AttachController(report);
  aggregator->SetVariable(Field("AD"));
  auto* count = new TZRTotalLabel(form.Host());
  count->SetParent(footer);
  count->SetLeft(3);
  count->SetWidth(3);
  count->SetKind(ztkCount);
  count->SetVariable(aggregator);
  count->SetLevel(report);
  auto* page = new TZRSystemLabel(form.Host());
  page->SetParent(Band(zbtPageFooter));
  page->SetWidth(4);
  page->SetDataKind(zsdPageNumber);
  page->SetText("P.");

  report->Print();

  const FileBytes expected = Bytes({"\x1b@\x1bP\x12", "\r\n", "  REPORT\r\n", "  \x1bGLIST\x1bH\r\n", "  ALI\r\n",
                                    "  VELI\r\n", "  AYSE\r\n", "  N: 3\r\n", "\r\n", "  P.1\r\n"});
  ASSERT_EQ(expected.size(), 69u);
  EXPECT_EQ(Hex(ReadFileBytes(folder.File("rapor.txt"))), Hex(expected));
  EXPECT_EQ(report->FetchPrinter(), nullptr);
  EXPECT_FALSE(report->IsRunning());
}

TEST_F(ZReportRunTest, AFolioReportBreaksPagesByHeightWithTheScissorsLineBetween) {
  ScratchFolder folder;
  AddRows({"A1", "A2", "A3", "A4", "A5", "A6"});
  report->SetWidth(10);
  report->SetHeight(4);
  for (TZRMargins* m : {report->Margins()}) {
    m->SetLeft(0);
    m->SetTop(0);
    m->SetRight(0);
    m->SetBottom(0);
  }
  report->SetDataSet(table);
  report->Options()->SetPaperType(zptFolio);
  report->Options()->SetScissors(true);
  report->Options()->SetDestination(zrdFile);
  report->Options()->SetFileName(folder.File("folio.txt"));
  report->Options()->Escapes()->SetModel(emEpson);
  FieldLabel(Band(zbtDetail), 0, 4, "KOD");

  report->Print();

  const FileBytes expected = Bytes({"\x1b@\x1bP\x12", "A1\r\nA2\r\nA3\r\nA4\r\n", ":< - - - -\r", "A5\r\nA6\r\n"});
  ASSERT_EQ(expected.size(), 40u);
  EXPECT_EQ(Hex(ReadFileBytes(folder.File("folio.txt"))), Hex(expected));
}

// ---- The data loop ------------------------------------------------------------------------
TEST_F(ZReportRunTest, TheLastDetailPrintsInTheSameStepAsTheFooter) {
  AddRows({"A", "B", "C"});
  report->SetDataSet(table);
  Band(zbtHeader);
  Band(zbtDetail);
  Band(zbtFooter);
  LogBands();
  std::vector<int> stepOfBand;
  report->FindBand(zbtFooter)->BeforePrint = [&](TObject*, bool& print) {
    print = true;
    stepOfBand.push_back(report->RecordNumber);
  };
  Build();
  EXPECT_EQ(log, (std::vector<std::string>{"Header", "Detail A", "Detail B", "Detail C", "Footer"}));
  EXPECT_EQ(stepOfBand, std::vector<int>{3});
  EXPECT_EQ(table->FieldByName("AD")->AsString(), "C");
}

TEST_F(ZReportRunTest, AnEmptyDataSetPrintsItsFramingBandsOnlyWhenAskedTo) {
  table->Open();
  report->SetDataSet(table);
  for (TZRBandType kind : {zbtHeader, zbtColumnHeader, zbtDetailHeader, zbtDetail, zbtDetailFooter,
                           zbtColumnFooter, zbtFooter})
    Band(kind);
  LogBands();
  Build();
  EXPECT_TRUE(log.empty());
  report->SetPrintIfEmpty(true);
  Build();
  EXPECT_EQ(log, (std::vector<std::string>{"Header", "ColumnHeader", "DetailHeader", "DetailFooter", "ColumnFooter",
                                           "Footer"}));
}

TEST_F(ZReportRunTest, WithoutDataOnlyThePageHeaderAndFooterPrint) {
  Label(Band(zbtPageHeader), 0, 4, "UST");
  Label(Band(zbtDetail), 0, 4, "DET");
  Label(Band(zbtFooter), 0, 4, "SON");
  Label(Band(zbtPageFooter), 0, 4, "ALT");
  EXPECT_EQ(Build(), (Pages{{"", "  UST", "", "", "", "", "", "", "  ALT"}}));
}

TEST_F(ZReportRunTest, ARangeEndsAndBeginsAtTheCurrentRecord) {
  AddRows({"A", "B", "C"});
  report->SetDataSet(table);
  Band(zbtDetail);
  Band(zbtFooter);
  LogBands();
  report->DataOptions()->SetRangeEnd(zreCurrent);
  table->First();
  table->Next();
  Build();
  EXPECT_EQ(log, (std::vector<std::string>{"Detail A", "Detail B", "Footer"}));
  log.clear();
  report->DataOptions()->SetRangeBegin(zrbCurrent);
  table->First();
  table->Next();
  Build();
  EXPECT_EQ(log, (std::vector<std::string>{"Detail B", "Footer"}));
}

TEST_F(ZReportRunTest, AutoOpenLeavesTheDataSetAsItWas) {
  report->SetDataSet(table);
  report->DataOptions()->SetAutoOpen(true);
  report->SetPrintIfEmpty(true);
  std::vector<bool> openWhilePrinting;
  Band(zbtFooter)->BeforePrint = [&](TObject*, bool& print) {
    print = true;
    openWhilePrinting.push_back(table->Active());
  };
  Build();
  EXPECT_FALSE(table->Active());
  AddRows({"A", "B"});
  Build();
  EXPECT_TRUE(table->Active());
  EXPECT_EQ(openWhilePrinting, (std::vector<bool>{true, true}));
}

// ---- Page flow ----------------------------------------------------------------------------
TEST_F(ZReportRunTest, FirstPageHeaderAndLastPageFooterSwitchesLeaveTheOtherPagesAlone) {
  AddRows({"A", "B", "C", "D", "E", "F", "G", "H"});
  report->SetDataSet(table);
  report->Options()->SetFirstPageHeader(false);
  report->Options()->SetLastPageFooter(false);
  Label(Band(zbtPageHeader), 0, 4, "UST");
  FieldLabel(Band(zbtDetail), 0, 4);
  Label(Band(zbtPageFooter), 0, 4, "ALT");
  // 8 lines between the margins, one of them kept for the page footer.
  EXPECT_EQ(Build(), (Pages{{"", "  A", "  B", "  C", "  D", "  E", "  F", "  G", "  ALT"},
                            {"", "  UST", "  H"}}));
}

TEST_F(ZReportRunTest, AForcedPageBreakAfterTheDetailLeavesNoEmptyLastPage) {
  AddRows({"A", "B", "C"});
  report->SetDataSet(table);
  TZRCustomBand* detail = Band(zbtDetail);
  detail->SetForceKind(TZRForceKind{zfkPageAfter});
  FieldLabel(detail, 0, 4);
  Label(Band(zbtFooter), 0, 4, "SON");
  EXPECT_EQ(Build(), (Pages{{"", "  A"}, {"", "  B"}, {"", "  C", "  SON"}}));
}

TEST_F(ZReportRunTest, APageThatOverflowsClosesItsColumnAndTheNextRepeatsTheColumnHeader) {
  AddRows({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"});
  report->SetDataSet(table);
  Label(Band(zbtColumnHeader), 0, 4, "KOL");
  FieldLabel(Band(zbtDetail), 0, 4);
  Label(Band(zbtColumnFooter), 0, 4, "KSN");
  Label(Band(zbtPageFooter), 0, 4, "ALT");
  std::vector<int> columns;
  report->OnNewPage = [&](TObject*) { columns.push_back(report->ColumnIndex); };
  const Pages pages = Build();
  EXPECT_EQ(pages, (Pages{{"", "  KOL", "  A", "  B", "  C", "  D", "  E", "  KSN", "  ALT"},
                          {"", "  KOL", "  F", "  G", "  H", "  I", "  J", "  KSN", "  ALT"}}));
}

TEST_F(ZReportRunTest, ColumnsAreFilledLeftToRightUnderTheReportHeader) {
  report->SetWidth(76);
  report->Columns()->SetCount(3);
  EXPECT_EQ(report->ColumnWidth(), 23);
  report->SetWidth(20);
  report->SetHeight(6);
  report->Columns()->SetCount(2);
  report->Columns()->SetSpace(1);
  report->Margins()->SetLeft(0);
  report->Margins()->SetRight(0);
  EXPECT_EQ(report->ColumnWidth(), 9);
  AddRows({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"});
  report->SetDataSet(table);
  Label(Band(zbtHeader), 0, 4, "BAS");
  Label(Band(zbtColumnHeader), 0, 3, "KH");
  FieldLabel(Band(zbtDetail), 0, 4);
  // 4 lines between the margins: the header takes one on the first page.
  EXPECT_EQ(Build(), (Pages{{"", "BAS", "KH        KH", "A         C", "B         D"},
                            {"", "KH        KH", "E         H", "F         I", "G         J"}}));
}

TEST_F(ZReportRunTest, ContinuousPaperBreaksPagesByHeightWithoutPageBands) {
  AddRows({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"});
  report->SetDataSet(table);
  report->Options()->SetPaperType(zptContinuous);
  Label(Band(zbtPageHeader), 0, 4, "UST");
  FieldLabel(Band(zbtDetail), 0, 4);
  Label(Band(zbtPageFooter), 0, 4, "ALT");
  const Pages pages = Build();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], (std::vector<std::string>{"", "  A", "  B", "  C", "  D", "  E", "  F", "  G", "  H"}));
  EXPECT_EQ(pages[1], (std::vector<std::string>{"", "  I", "  J", "  K", "  L"}));
}

// ---- Runs -----------------------------------------------------------------------------------
TEST_F(ZReportRunTest, ARunAskedForWhileOneRunsDoesNothing) {
  ScratchFolder folder;
  report->Options()->SetDestination(zrdFile);
  report->Options()->SetFileName(folder.File("a.txt"));
  Label(Band(zbtDetail), 0, 4, "X");
  report->SetPrintIfEmpty(true);
  int pages = 0;
  TZRPrinter* running = nullptr;
  report->OnNewPage = [&](TObject*) {
    ++pages;
    running = report->FetchPrinter();
    report->Print();
    report->Preview();
    EXPECT_EQ(report->FetchPrinter(), running);
  };
  report->Print();
  EXPECT_EQ(pages, 1);
  EXPECT_NE(running, nullptr);
  EXPECT_EQ(report->FetchPrinter(), nullptr);
  EXPECT_FALSE(ReadFileBytes(folder.File("a.txt")).empty());
}

TEST_F(ZReportRunTest, AFailingFileNameHandlerIsNotPassedOver) {
  report->Options()->SetFileName("a.txt");
  AnsiString seen;
  report->OnGetFileName = [&](TObject*, AnsiString& name) {
    seen = name;
    name = "b.txt";
  };
  EXPECT_EQ(report->FetchFileName(), "b.txt");
  EXPECT_EQ(seen, "a.txt");
  report->OnGetFileName = [](TObject*, AnsiString&) { throw Exception("ad yok"); };
  EXPECT_THROW(report->FetchFileName(), Exception);
}

TEST_F(ZReportRunTest, AFailingBandCancelsTheDocumentAndReportsTheError) {
  AddRows({"A"});
  report->SetDataSet(table);
  TZRCustomBand* detail = Band(zbtDetail);
  detail->BeforePrint = [](TObject*, bool&) { throw Exception("bant bozuk"); };
  TZRPrinter document(report);
  EXPECT_THROW(report->BuildReport(false), Exception);
  EXPECT_TRUE(document.IsCancelled());
  EXPECT_FALSE(report->IsRunning());
}

TEST_F(ZReportRunTest, MarginsAndColumnsRefuseValuesBelowTheirLeast) {
  report->Margins()->SetLeft(-3);
  report->Columns()->SetCount(0);
  report->Columns()->SetSpace(-1);
  EXPECT_EQ(report->Margins()->Left(), 0);
  EXPECT_EQ(report->Columns()->Count(), 1);
  EXPECT_EQ(report->Columns()->Space(), 1);
}

// ---- Composite ----------------------------------------------------------------------------
class ZRCompositeTest : public ZReportRunTest {
protected:
  ZRCompositeTest() {
    composite = new TZRComposite(form.Host());
    composite->SetPageWidth(20);
    composite->SetPageHeight(10);
    composite->Options()->SetPaperType(zptSheet);
    composite->Options()->SetOEMConvert(false);
    composite->Options()->SetDestination(zrdFile);
    composite->Options()->SetFileName(folder.File("birlesik.txt"));
    composite->Options()->Escapes()->SetModel(emNone);
    second = NewReport("ZReport2", 20, 10);
    report->SetPrintIfEmpty(true);
    second->SetPrintIfEmpty(true);
    composite->OnAddReports = [this](TObject*) {
      composite->Reports().push_back(report);
      composite->Reports().push_back(second);
    };
  }

  std::string Output() {
    FileBytes bytes = ReadFileBytes(folder.File("birlesik.txt"));
    return std::string(bytes.begin(), bytes.end());
  }

  ScratchFolder folder;
  TZRComposite* composite = nullptr;
  TZReport* second = nullptr;
};

TEST_F(ZRCompositeTest, TheSecondReportContinuesOnThePageWhereTheFirstEnded) {
  Label(Band(zbtHeader), 0, 4, "BIR");
  Label(Band(zbtHeader, 1, second), 0, 4, "IKI");
  Label(Band(zbtPageFooter, 1, second), 0, 4, "ALT");
  composite->Print();
  EXPECT_EQ(Output(), "\r\n  BIR\r\n  IKI\r\n\r\n\r\n\r\n\r\n\r\n  ALT\r\n");
  EXPECT_EQ(composite->FetchPrinter(), nullptr);
}

TEST_F(ZRCompositeTest, AReportWithColumnsStartsTheNextOnANewPage) {
  report->Columns()->SetCount(2);
  Label(Band(zbtHeader), 0, 4, "BIR");
  Label(Band(zbtHeader, 1, second), 0, 4, "IKI");
  composite->Print();
  // Without a printer model a sheet is filled to its height with empty lines.
  std::string blank;
  for (int i = 0; i < 8; ++i)
    blank += "\r\n";
  EXPECT_EQ(Output(), "\r\n  BIR\r\n" + blank + "\r\n  IKI\r\n");
}

TEST_F(ZRCompositeTest, AFailingReportCancelsTheDocumentAndItsErrorReachesTheCaller) {
  Label(Band(zbtHeader), 0, 4, "BIR");
  Band(zbtHeader, 1, second)->BeforePrint = [](TObject*, bool&) { throw Exception("bozuk"); };
  EXPECT_THROW(composite->Print(), Exception);
  EXPECT_TRUE(ReadFileBytes(folder.File("birlesik.txt")).empty());
  EXPECT_FALSE(composite->IsRunning());
  EXPECT_EQ(composite->FetchPrinter(), nullptr);
}

}  // namespace

namespace {

// ---- Sub-details ------------------------------------------------------------------------------
TEST_F(ZReportRunTest, ASubDetailRunsItsOwnLoopAfterEveryPrintOfItsMasterBand) {
  AddRows({"A", "B"});
  report->SetDataSet(table);
  auto* lines = new TRxMemoryData(form.Host());
  lines->FieldDefs()->Add("AD", ftString, 10);
  lines->Open();
  for (const char* name : {"x", "y"}) {
    lines->Append();
    lines->FieldByName("AD")->SetAsString(name);
    lines->Post();
  }
  TZRCustomBand* detail = Band(zbtDetail);
  FieldLabel(detail, 0, 4);
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(report->FindBand(zbtController));
  ASSERT_NE(sub, nullptr);
  sub->SetDataSet(lines);
  sub->SetHeight(1);
  sub->Bands()->SetHas(zbtFooter, true);
  sub->FindBand(zbtFooter)->SetHeight(1);
  Label(sub->FindBand(zbtFooter), 0, 4, "--");
  auto* line = Label(sub, 2, 4);
  auto* field = new TZRField(form.Host());
  field->AttachController(sub);
  field->SetDataSet(lines);
  field->SetDataField("AD");
  line->SetVariable(field);
  EXPECT_EQ(Build(), (Pages{{"", "  A", "    x", "    y", "  --", "  B", "    x", "    y", "  --"}}));
}

// ---- Composite carrying the page on -----------------------------------------------------------
TEST_F(ZRCompositeTest, AReportContinuingOnThePageKeepsItsColumnsUnderThePageTop) {
  report->Margins()->SetLeft(0);
  Label(Band(zbtHeader), 0, 4, "BIR");
  second->Margins()->SetLeft(0);
  second->Margins()->SetRight(0);
  second->Columns()->SetCount(2);
  second->Columns()->SetSpace(1);
  AddRows({"A", "B", "C", "D", "E", "F", "G", "H"});
  second->SetDataSet(table);
  FieldLabel(Band(zbtDetail, 1, second), 0, 4, "AD", second);
  composite->Print();
  // Lines 2 to 8 take A to G in the first column; H starts the second
  // column on line 2, where the second report began, under the first
  // report's header.
  EXPECT_EQ(Output(), "\r\nBIR\r\nA         H\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n");
}

// The continuing report's columns start on the line the report itself
// started on, below the lines the report before it left on the page.
TEST_F(ZRCompositeTest, AContinuingReportsSecondColumnStartsOnItsOwnFirstLine) {
  for (TZReport* r : {report, second}) {
    r->Margins()->SetLeft(0);
    r->Margins()->SetTop(0);
    r->Margins()->SetRight(0);
    r->Margins()->SetBottom(0);
  }
  // The first report prints its two lines as records of a table of its own.
  auto* lines = new TRxMemoryData(form.Host());
  lines->FieldDefs()->Add("AD", ftString, 10);
  lines->Open();
  for (const char* line : {"P1", "P2"}) {
    lines->Append();
    lines->FieldByName("AD")->SetAsString(line);
    lines->Post();
  }
  report->SetDataSet(lines);
  auto* field = new TZRField(form.Host());
  field->AttachController(report);
  field->SetDataSet(lines);
  field->SetDataField("AD");
  Label(Band(zbtDetail), 0, 4)->SetVariable(field);
  second->Columns()->SetCount(2);
  AddRows({"Q0", "Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q7", "Q8", "Q9"});
  second->SetDataSet(table);
  FieldLabel(Band(zbtDetail, 1, second), 0, 4, "AD", second);
  composite->Print();
  // Columns of 9 characters, 2 apart: the second starts at character 11.
  EXPECT_EQ(Output(), "P1\r\nP2\r\nQ0         Q8\r\nQ1         Q9\r\nQ2\r\nQ3\r\nQ4\r\nQ5\r\nQ6\r\nQ7\r\n");
}

// ---- Progress and preview ---------------------------------------------------------------------
struct FakeForm : IZRDocumentForm {
  TZRPrinter* document = nullptr;
  bool preview = false;
  std::vector<int> progress;
  int shown = 0;
  bool released = false;
  std::function<void(int)> onProgress;
  void DocumentNotice(unsigned Message, int Value) override {
    if (Message != ZRNoticeProgress)
      return;
    progress.push_back(Value);
    if (onProgress)
      onProgress(Value);
  }
  void CloseForm() override { Leave(); }
  // The preview is closed by its user as soon as it is shown after the build.
  void ShowForm() override {
    ++shown;
    if (preview && document->State() == TZRDocumentState::Done)
      Leave();
  }
  void ReleaseForm() override { released = true; }
  void Leave() {
    if (document == nullptr)
      return;
    if (preview)
      document->SetPreviewForm(nullptr);
    else
      document->SetProgressForm(nullptr);
    document = nullptr;
  }
};

class ZReportFormsTest : public ZReportRunTest {
protected:
  ZReportFormsTest() {
    ProgressFormFactory = [this](TZRPrinter& document) {
      progressForm.document = &document;
      document.SetProgressForm(&progressForm);
    };
    TZRPrinter::PreviewFormFactory = [this](TZRPrinter& document) {
      previewForm.document = &document;
      previewForm.preview = true;
      document.SetPreviewForm(&previewForm);
    };
    report->Options()->SetDestination(zrdFile);
    report->Options()->SetFileName(folder.File("rapor.txt"));
    AddRows({"A", "B", "C"});
    report->SetDataSet(table);
    FieldLabel(Band(zbtDetail), 0, 4);
  }
  ~ZReportFormsTest() override {
    ProgressFormFactory = nullptr;
    TZRPrinter::PreviewFormFactory = nullptr;
  }

  ScratchFolder folder;
  FakeForm progressForm;
  FakeForm previewForm;
};

TEST_F(ZReportFormsTest, PrintShowsProgressBeforeEveryRecordAndFreesTheForm) {
  report->SetShowProgress(true);
  report->Print();
  EXPECT_EQ(progressForm.shown, 1);
  EXPECT_EQ(progressForm.progress, (std::vector<int>{33, 66, 100}));
  EXPECT_TRUE(progressForm.released);
  EXPECT_FALSE(ReadFileBytes(folder.File("rapor.txt")).empty());
}

TEST_F(ZReportFormsTest, CancellingFromTheProgressFormStopsTheLoopAndWritesNothing) {
  std::vector<std::string> printed;
  report->FindBand(zbtDetail)->AfterPrint = [&](TObject*) {
    printed.push_back(table->FieldByName("AD")->AsString().c_str());
  };
  progressForm.onProgress = [&](int percent) {
    if (percent > 50)
      report->FetchPrinter()->Cancel();
  };
  report->Print();
  EXPECT_EQ(printed, std::vector<std::string>{"A"});
  EXPECT_TRUE(ReadFileBytes(folder.File("rapor.txt")).empty());
  EXPECT_EQ(report->FetchPrinter(), nullptr);
}

// A data loop told to stop before the data set's last record still ends
// its build at 100 percent, so the preview shows no progress afterwards.
TEST_F(ZReportFormsTest, ABuildStoppedBeforeTheLastRecordEndsAtAHundredPercent) {
  report->OnDataNext = [](TZRCustomController*, bool& moreData) { moreData = false; };
  report->Preview();
  ASSERT_FALSE(previewForm.progress.empty());
  EXPECT_LT(previewForm.progress.front(), 100);
  EXPECT_EQ(previewForm.progress.back(), 100);
}

TEST_F(ZReportFormsTest, PreviewBuildsThePagesShowsThemAndWritesNothing) {
  int pagesSeen = 0;
  report->OnEndPage = [&](TObject*) { ++pagesSeen; };
  report->Preview();
  EXPECT_EQ(pagesSeen, 1);
  EXPECT_EQ(previewForm.shown, 2);
  EXPECT_EQ(previewForm.document, nullptr);
  EXPECT_TRUE(ReadFileBytes(folder.File("rapor.txt")).empty());
  EXPECT_EQ(report->FetchPrinter(), nullptr);
}

}  // namespace

namespace {

// ---- Column breaks ----------------------------------------------------------------------------
class ZReportColumnsTest : public ZReportRunTest {
protected:
  ZReportColumnsTest() {
    report->Margins()->SetLeft(0);
    report->Margins()->SetRight(0);
    report->SetHeight(5);
    report->Columns()->SetCount(2);
    report->Columns()->SetSpace(1);
    AddRows({"A", "B", "C", "D", "E"});
    report->SetDataSet(table);
    detail = Band(zbtDetail);
    FieldLabel(detail, 0, 4);
  }
  TZRCustomBand* detail = nullptr;
};

TEST_F(ZReportColumnsTest, AForcedColumnBreakStartsEveryRecordAfterTheFirstInTheNextColumn) {
  detail->SetForceKind(TZRForceKind{zfkColumnBefore});
  EXPECT_EQ(Build(), (Pages{{"", "A         B"}, {"", "C         D"}, {"", "E"}}));
}

TEST_F(ZReportColumnsTest, ContinuousPaperHasOneColumnAPage) {
  report->Options()->SetPaperType(zptContinuous);
  EXPECT_EQ(Build(), (Pages{{"", "A", "B", "C"}, {"", "D", "E"}}));
}

TEST_F(ZReportColumnsTest, TheRoomLeftIsMeasuredInTheColumnBeingFilled) {
  TZRPrinter document(report);
  std::vector<std::pair<int, int>> room;
  detail->BeforePrint = [&](TObject*, bool& print) {
    print = true;
    room.emplace_back(report->RoomLeftWidth(), report->RoomLeftHeight());
  };
  report->BuildReport(false);
  // Three lines a column; the step moves D to the second column before it prints.
  EXPECT_EQ(room, (std::vector<std::pair<int, int>>{{9, 3}, {9, 2}, {9, 1}, {9, 3}, {9, 2}}));
}

}  // namespace

namespace {

TEST_F(ZReportRunTest, AReportThatDeclinesToPrintWritesNothing) {
  ScratchFolder folder;
  report->Options()->SetDestination(zrdFile);
  report->Options()->SetFileName(folder.File("yok.txt"));
  report->SetPrintIfEmpty(true);
  Label(Band(zbtDetail), 0, 4, "X");
  report->BeforePrint = [](TObject*, bool& print) { print = false; };
  report->Print();
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "yok.txt"));
  EXPECT_EQ(report->FetchPrinter(), nullptr);
}

TEST_F(ZRCompositeTest, ACompositeAskedToRunAgainWhileRunningDoesNothing) {
  int added = 0;
  composite->OnAddReports = [&](TObject*) {
    ++added;
    TZRPrinter* running = composite->FetchPrinter();
    composite->Print();
    EXPECT_EQ(composite->FetchPrinter(), running);
    composite->Reports().push_back(report);
  };
  Label(Band(zbtHeader), 0, 4, "BIR");
  composite->Print();
  EXPECT_EQ(added, 1);
  EXPECT_EQ(Output(), "\r\n  BIR\r\n");
}

}  // namespace

namespace {

// ---- Streaming --------------------------------------------------------------------------------
TEST_F(ZReportRunTest, TheReportsRunPropertiesAreWrittenAndReadBack) {
  RegisterZReportClasses();
  report->Margins()->SetTop(3);
  report->Columns()->SetCount(2);
  report->Columns()->SetSpace(4);
  report->Options()->SetPaperType(zptContinuous);
  report->Options()->SetFileName("liste.txt");
  report->SetTitle("Liste");
  report->SetPrintIfEmpty(true);
  const std::string text = ComponentText(form.Host());
  for (const char* line : {"Margins.Top = 3", "Columns.Count = 2", "Columns.Space = 4", "Title = 'Liste'",
                           "ShowProgress = False", "PrintIfEmpty = True"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  for (const char* absent : {"Margins.Left", "RunTimeVisible"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in\n" << text;

  FormFixture other;
  ReadComponentText(text, other.Host());
  auto* read = dynamic_cast<TZReport*>(other.Host()->FindComponent("ZReport1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Margins()->Top(), 3);
  EXPECT_EQ(read->Margins()->Left(), 2);
  EXPECT_EQ(read->Columns()->Count(), 2);
  EXPECT_EQ(read->Columns()->Space(), 4);
  EXPECT_EQ(read->Options()->PaperType(), zptContinuous);
  EXPECT_EQ(read->Options()->FileName(), "liste.txt");
  EXPECT_EQ(read->Title(), "Liste");
  EXPECT_FALSE(read->ShowProgress());
  EXPECT_TRUE(read->PrintIfEmpty());
  EXPECT_EQ(read->Width(), 20);
  EXPECT_EQ(read->Height(), 10);
  EXPECT_EQ(read->Font()->Name(), "Courier New");
  // Read outside a design surface, the report's window stays hidden.
  EXPECT_FALSE(read->TControl::Visible());
}

}  // namespace

namespace {

// ---- Design-time arrangement ------------------------------------------------------------------
TEST_F(ZReportRunTest, OnTheDesignSurfaceBandsStackInPrintOrderAndTheReportGrowsToHoldThem) {
  report->SetWidth(40);
  report->Columns()->SetCount(2);
  report->SetDesigning(true);
  TZRCustomBand* footer = Band(zbtFooter, 2);
  TZRCustomBand* detail = Band(zbtDetail, 3);
  TZRCustomBand* pageHeader = Band(zbtPageHeader, 1);
  TZRCustomBand* header = Band(zbtHeader, 2);
  detail->SetHasChild(true);
  TZRCustomBand* child = detail->ChildBand();
  child->SetHeight(1);
  TZRCustomBand* pageFooter = Band(zbtPageFooter, 4);
  report->Margins()->SetTop(2);
  struct Place {
    TZRCustomBand* band;
    int top, width;
  };
  // Column width (40 - 2 - 1 - 2) div 2 = 17; the page is 37 wide inside the margins.
  for (const Place& p : {Place{pageHeader, 2, 37}, Place{header, 3, 37}, Place{detail, 5, 17}, Place{child, 8, 17},
                         Place{footer, 9, 17}, Place{pageFooter, 11, 37}}) {
    EXPECT_EQ(p.band->Top(), p.top) << BandTypeName(p.band->BandType());
    EXPECT_EQ(p.band->Width(), p.width) << BandTypeName(p.band->BandType());
    EXPECT_EQ(p.band->Left(), 2);
  }
  EXPECT_EQ(report->Height(), 16);
  report->SetHeight(30);
  report->Margins()->SetTop(1);
  EXPECT_EQ(report->Height(), 30);
  EXPECT_EQ(pageFooter->Top(), 10);
}

}  // namespace

namespace {

// ---- Minimized on the design surface ----------------------------------------------------------
TEST_F(ZReportRunTest, AMinimizedReportKeepsItsPageSizeForTheRestore) {
  report->SetDesigning(true);
  Band(zbtDetail, 2);
  const TZRCharMetrics cell = report->GetCharMetrics();
  TSpeedButton* button = report->MinimizeButton();
  EXPECT_EQ(button->Caption(), "\xA7");
  button->Click();
  EXPECT_TRUE(report->IsMinimized());
  EXPECT_EQ(button->Caption(), "\xA8");
  EXPECT_EQ(report->TControl::Width(), 32);
  EXPECT_EQ(report->TControl::Height(), 32);
  EXPECT_EQ(report->FindBand(zbtDetail)->Top(), 11);
  report->SetWidth(30);
  EXPECT_EQ(report->TControl::Width(), 32);
  EXPECT_NE(ComponentText(form.Host()).find("Minimized = True"), std::string::npos);
  button->Click();
  EXPECT_FALSE(report->IsMinimized());
  EXPECT_EQ(report->Width(), 30);
  EXPECT_EQ(report->TControl::Width(), 30 * cell.Width + 1);
  EXPECT_EQ(report->FindBand(zbtDetail)->Top(), 1);
  EXPECT_EQ(ComponentText(form.Host()).find("Minimized"), std::string::npos);
  // A report that stays visible at run time is never minimized by its button.
  report->SetRunTimeVisible(true);
  button->Click();
  EXPECT_FALSE(report->IsMinimized());
}

}  // namespace

namespace {

TEST_F(ZReportRunTest, DetailsNeverRunIntoTheLinesOfATallPageFooter) {
  AddRows({"A", "B", "C", "D", "E", "F", "G", "H"});
  report->SetDataSet(table);
  FieldLabel(Band(zbtDetail), 0, 4);
  TZRCustomBand* footer = Band(zbtPageFooter, 2);
  Label(footer, 0, 4, "ALT");
  Label(footer, 0, 4, "ALT2")->SetTop(1);
  EXPECT_EQ(Build(), (Pages{{"", "  A", "  B", "  C", "  D", "  E", "  F", "  ALT", "  ALT2"},
                            {"", "  G", "  H", "", "", "", "", "  ALT", "  ALT2"}}));
}

TEST_F(ZRCompositeTest, ACompositeWithoutReportsMakesNoOutput) {
  composite->OnAddReports = nullptr;
  composite->Print();
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "birlesik.txt"));
  EXPECT_EQ(composite->FetchPrinter(), nullptr);
}

}  // namespace

namespace {

// A report of the chain that declines to print leaves no trace: the next
// one starts the page it would have started, or continues where the one
// before it ended, and the page is closed by the last report that printed.
// When none prints, nothing is written.
TEST_F(ZRCompositeTest, AReportThatDeclinesToPrintIsLeftOutOfTheChain) {
  Label(Band(zbtHeader), 0, 4, "BIR");
  Label(Band(zbtPageFooter), 0, 4, "ALT");
  Label(Band(zbtHeader, 1, second), 0, 4, "IKI");
  struct Case {
    bool firstPrints, secondPrints;
    const char* output;
  };
  for (const Case& c : {Case{false, true, "\r\n  IKI\r\n"},
                        Case{true, false, "\r\n  BIR\r\n\r\n\r\n\r\n\r\n\r\n\r\n  ALT\r\n"},
                        Case{false, false, ""}}) {
    SCOPED_TRACE(c.output);
    std::filesystem::remove(folder.Path() / "birlesik.txt");
    report->BeforePrint = [&](TObject*, bool& print) { print = c.firstPrints; };
    second->BeforePrint = [&](TObject*, bool& print) { print = c.secondPrints; };
    composite->Print();
    EXPECT_EQ(Output(), c.output);
    EXPECT_EQ(std::filesystem::exists(folder.Path() / "birlesik.txt"), c.firstPrints || c.secondPrints);
    EXPECT_EQ(composite->FetchPrinter(), nullptr);
  }
}

}  // namespace

namespace {

// Records served by the data events alone, without a data set, run the
// same loop: the first step prints the header bands with the first detail,
// each detail sees its own record number, the last step brings the footer.
TEST_F(ZReportRunTest, RecordsServedByTheDataEventsPrintLikeThoseOfADataSet) {
  Band(zbtHeader);
  Band(zbtDetail);
  Band(zbtFooter);
  LogBands();
  int served = 0;
  report->OnDataStart = [&](TZRCustomController*, bool& hasData) {
    served = 1;
    hasData = true;
  };
  report->OnDataNext = [&](TZRCustomController*, bool& moreData) {
    moreData = served < 3;
    if (moreData)
      ++served;
  };
  std::vector<int> numbers;
  report->FindBand(zbtDetail)->BeforePrint = [&](TObject*, bool& print) {
    print = true;
    numbers.push_back(report->RecordNumber);
  };
  Build();
  EXPECT_EQ(log, (std::vector<std::string>{"Header", "Detail", "Detail", "Detail", "Footer"}));
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
}

}  // namespace

namespace {

// Three columns of (76 - 2 - 1 - 2 * 2) div 3 = 23 characters start at
// characters 2, 27 and 52.
TEST_F(ZReportRunTest, ThreeColumnsOfAWidePageStartWhereTheirWidthAndSpaceLeadThem) {
  report->SetWidth(76);
  report->Columns()->SetCount(3);
  report->Columns()->SetSpace(2);
  AddRows({"A", "B", "C"});
  report->SetDataSet(table);
  TZRCustomBand* detail = Band(zbtDetail);
  detail->SetForceKind(TZRForceKind{zfkColumnBefore});
  FieldLabel(detail, 0, 4);
  const Pages pages = Build();
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_GE(pages[0].size(), 2u);
  const std::string& line = pages[0][1];
  EXPECT_EQ(line, std::string(2, ' ') + "A" + std::string(24, ' ') + "B" + std::string(24, ' ') + "C");
}

}  // namespace
