// Whole text reports printed to a file, byte for byte: columns with their
// column and detail headers repeated after a column or page change,
// sub-details with their own footers and totals, report footers with sum,
// least, greatest and average, and several copies of one document.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace {

using namespace test_support;

// Epson start codes: reset, pica, condensed off.
const std::string kStart = "\x1b@\x1bP\x12";

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char b : bytes) {
    text += digits[b >> 4];
    text += digits[b & 15];
    text += ' ';
  }
  return text;
}

// The lines of a page as printed: each ends with CR LF.
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines)
    text += std::string(line) + "\r\n";
  return text;
}

class ZReportLayoutTest : public testing::Test {
protected:
  ZReportLayoutTest() {
    report = new TZReport(form.Host());
    report->SetName("ZReport1");
    report->SetParent(form.Host());
    report->SetShowProgress(false);
    report->Options()->SetOEMConvert(false);
    report->Options()->SetPaperType(zptSheet);
    report->Options()->SetDestination(zrdFile);
    report->Options()->SetFileName(folder.File("rapor.txt"));
    report->Options()->Escapes()->SetModel(emEpson);
  }

  TRxMemoryData* Table(const char* name, std::vector<std::pair<const char*, int>> rows) {
    auto* table = new TRxMemoryData(form.Host());
    table->SetName(name);
    table->FieldDefs()->Add("AD", ftString, 6);
    table->FieldDefs()->Add("TUTAR", ftInteger);
    table->Open();
    for (const auto& [text, amount] : rows) {
      table->Append();
      table->FieldByName("AD")->SetAsString(text);
      table->FieldByName("TUTAR")->SetAsInteger(amount);
      table->Post();
    }
    table->First();
    return table;
  }

  // Built in code, a band keeps its own width: it is given the column's.
  TZRCustomBand* Band(TZRCustomController* owner, TZRBandType kind) {
    if (auto* r = dynamic_cast<TZReport*>(owner))
      r->Bands()->SetHas(kind, true);
    else
      static_cast<TZRSubDetail*>(owner)->Bands()->SetHas(kind, true);
    TZRCustomBand* band = owner->FindBand(kind);
    band->SetHeight(1);
    band->SetWidth(report->ColumnWidth());
    return band;
  }

  template <class L = TZRLabel>
  L* Label(TZReportControl* parent, int left, int width, const AnsiString& caption = "") {
    auto* label = new L(form.Host());
    label->SetParent(parent);
    label->SetLeft(left);
    label->SetWidth(width);
    if (!caption.empty())
      label->SetCaption(caption);
    return label;
  }

  TZRField* Field(TZRCustomController* owner, TDataSet* table, const char* name) {
    auto* field = new TZRField(form.Host());
    field->AttachController(owner);
    field->SetDataSet(table);
    field->SetDataField(name);
    return field;
  }

  TZRLabel* FieldLabel(TZReportControl* parent, TZRCustomController* owner, TDataSet* table, const char* name,
                       int left, int width) {
    TZRLabel* label = Label(parent, left, width);
    label->SetVariable(Field(owner, table, name));
    return label;
  }

  TZRTotalLabel* Total(TZRCustomBand* band, TZRAggregator* aggregator, TZRTotalKind kind, int left, int width) {
    auto* label = Label<TZRTotalLabel>(band, left, width);
    label->SetKind(kind);
    label->SetVariable(aggregator);
    label->SetLevel(band->Controller());
    return label;
  }

  TZRAggregator* Aggregator(TZRCustomController* owner, TDataSet* table, const char* name) {
    auto* aggregator = new TZRAggregator(form.Host());
    aggregator->AttachController(owner);
    aggregator->SetVariable(Field(owner, table, name));
    return aggregator;
  }

  std::string Output() {
    const FileBytes bytes = ReadFileBytes(folder.File("rapor.txt"));
    return std::string(bytes.begin(), bytes.end());
  }

  void SetMargins(int left, int top, int right, int bottom) {
    report->Margins()->SetLeft(left);
    report->Margins()->SetTop(top);
    report->Margins()->SetRight(right);
    report->Margins()->SetBottom(bottom);
  }

  ScratchFolder folder;
  FormFixture form;
  TZReport* report = nullptr;
};

// Two columns of 9 characters with 2 between them on a page of 20 by 10:
// every column opens with the column header and the detail header and is
// closed by the column footer; the page footer keeps its line at the bottom.
TEST_F(ZReportLayoutTest, ColumnsRepeatTheirHeadersAndCloseWithTheirFootersOnEveryPage) {
  report->SetWidth(20);
  report->SetHeight(10);
  SetMargins(0, 1, 0, 1);
  report->Columns()->SetCount(2);
  report->Columns()->SetSpace(2);
  TRxMemoryData* table = Table("Table", {{"A1", 0}, {"A2", 0}, {"A3", 0}, {"A4", 0}, {"A5", 0}, {"A6", 0},
                                         {"A7", 0}, {"A8", 0}});
  report->SetDataSet(table);
  Label(Band(report, zbtPageHeader), 0, 3, "UST");
  Label(Band(report, zbtColumnHeader), 0, 3, "KOL");
  Label(Band(report, zbtDetailHeader), 0, 2, "ad");
  FieldLabel(Band(report, zbtDetail), report, table, "AD", 0, 4);
  Label(Band(report, zbtColumnFooter), 0, 2, "--");
  Label(Band(report, zbtPageFooter), 0, 3, "ALT");

  report->Print();

  const std::string expected =
      kStart +
      Lines({"", "UST", "KOL        KOL", "ad         ad", "A1         A4", "A2         A5", "A3         A6",
             "--         --", "ALT", ""}) +
      "\x0c" + Lines({"", "UST", "KOL", "ad", "A7", "A8", "--", "", "ALT"});
  EXPECT_EQ(Hex(Output()), Hex(expected));
}

// Under every master record the sub-detail prints all its records and its
// own footer, whose count restarts with each run of the sub-detail; the
// report footer shows the sum, least, greatest and average of the master's
// amounts, and the amounts are right-aligned in their labels.
TEST_F(ZReportLayoutTest, SubDetailsPrintUnderEveryMasterRecordAndFootersShowTheirTotals) {
  report->SetWidth(20);
  report->SetHeight(16);
  TRxMemoryData* master = Table("Master", {{"A", 3}, {"B", 9}, {"C", 6}});
  TRxMemoryData* lines = Table("Lines", {{"x", 1}, {"y", 2}});
  report->SetDataSet(master);
  Label(Band(report, zbtHeader), 0, 5, "LISTE");
  TZRCustomBand* detail = Band(report, zbtDetail);
  FieldLabel(detail, report, master, "AD", 0, 4);
  FieldLabel(detail, report, master, "TUTAR", 5, 3)->Alignment()->SetX(zawRight);
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(detail->SubController());
  ASSERT_NE(sub, nullptr);
  sub->SetDataSet(lines);
  sub->SetHeight(1);
  FieldLabel(sub, sub, lines, "AD", 2, 4);
  TZRCustomBand* subFooter = Band(sub, zbtFooter);
  Label(subFooter, 2, 2, "n:");
  Total(subFooter, Aggregator(sub, lines, "AD"), ztkCount, 5, 2);
  TZRCustomBand* footer = Band(report, zbtFooter);
  TZRAggregator* amounts = Aggregator(report, master, "TUTAR");
  Total(footer, amounts, ztkSum, 0, 3);
  Total(footer, amounts, ztkMin, 4, 3);
  Total(footer, amounts, ztkMax, 8, 3);
  Total(footer, amounts, ztkAvg, 12, 3);

  report->Print();

  const std::string expected =
      kStart + Lines({"", "  LISTE", "  A      3", "    x", "    y", "    n: 2", "  B      9", "    x", "    y",
                      "    n: 2", "  C      6", "    x", "    y", "    n: 2", "  18  3   9   6"});
  EXPECT_EQ(Hex(Output()), Hex(expected));
}

// Each copy is the whole document: its start codes, every page with the
// form feed between pages, the last page without its blank tail.
TEST_F(ZReportLayoutTest, EveryCopyRepeatsTheWholeDocument) {
  report->SetWidth(10);
  report->SetHeight(2);
  SetMargins(0, 0, 0, 0);
  report->Options()->SetCopies(2);
  TRxMemoryData* table = Table("Table", {{"A1", 0}, {"A2", 0}, {"A3", 0}});
  report->SetDataSet(table);
  FieldLabel(Band(report, zbtDetail), report, table, "AD", 0, 4);

  report->Print();

  const std::string copy = kStart + Lines({"A1", "A2"}) + "\x0c" + Lines({"A3"});
  EXPECT_EQ(Hex(Output()), Hex(copy + copy));
}

}  // namespace

namespace {

// A sub-detail record that no longer fits moves to the next column; its
// forced column break then has nothing printed in that column to break
// from, so the record stays there instead of skipping a column.
TEST_F(ZReportLayoutTest, ASubDetailRecordMovedToANewColumnIsNotMovedAgainByItsForcedBreak) {
  report->SetWidth(20);
  report->SetHeight(10);
  SetMargins(0, 1, 0, 1);
  report->Columns()->SetCount(2);
  TRxMemoryData* master = Table("Master", {{"A", 0}});
  TRxMemoryData* lines = Table("Lines", {{"x", 0}, {"y", 0}, {"z", 0}});
  report->SetDataSet(master);
  TZRCustomBand* detail = Band(report, zbtDetail);
  FieldLabel(detail, report, master, "AD", 0, 4);
  detail->SetHasController(true);
  auto* sub = static_cast<TZRSubDetail*>(detail->SubController());
  sub->SetDataSet(lines);
  sub->SetWidth(report->ColumnWidth());
  sub->SetHeight(5);
  sub->SetForceKind(TZRForceKind{zfkColumnBefore});
  FieldLabel(sub, sub, lines, "AD", 0, 4);
  Label(Band(sub, zbtHeader), 0, 1, "h");

  report->Print();

  // Eight lines a column: x under A and the sub-detail's header, y at the
  // top of the second column, z on the next page.
  const std::string expected =
      kStart + Lines({"", "A          y", "h", "x", "", "", "", "", "", ""}) + "\x0c" + Lines({"", "z"});
  EXPECT_EQ(Hex(Output()), Hex(expected));
}

}  // namespace

namespace {

// A sub-detail without bands of its own still breaks before each of its
// records but the first when it is told to.
TEST_F(ZReportLayoutTest, ASubDetailWithoutBandsOfItsOwnKeepsItsForcedColumnBreaks) {
  report->SetWidth(20);
  report->SetHeight(10);
  SetMargins(0, 1, 0, 1);
  report->Columns()->SetCount(2);
  TRxMemoryData* master = Table("Master", {{"A", 0}});
  TRxMemoryData* lines = Table("Lines", {{"x", 0}, {"y", 0}, {"z", 0}});
  report->SetDataSet(master);
  TZRCustomBand* detail = Band(report, zbtDetail);
  FieldLabel(detail, report, master, "AD", 0, 4);
  detail->SetHasController(true);
  auto* sub = static_cast<TZRSubDetail*>(detail->SubController());
  sub->SetDataSet(lines);
  sub->SetWidth(report->ColumnWidth());
  sub->SetHeight(1);
  sub->SetForceKind(TZRForceKind{zfkColumnBefore});
  FieldLabel(sub, sub, lines, "AD", 0, 4);

  report->Print();

  const std::string expected =
      kStart + Lines({"", "A          y", "x", "", "", "", "", "", "", ""}) + "\x0c" + Lines({"", "z"});
  EXPECT_EQ(Hex(Output()), Hex(expected));
}

}  // namespace
