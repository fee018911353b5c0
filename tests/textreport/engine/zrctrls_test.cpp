// Text labels: their lines, alignment inside the label and the band, sizing
// to the text, printing into a page with styles and clipping, system values
// and totals, the kind restriction of their parent, and streaming.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/typinfo.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/colors.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/system/clock.h"
#include "tests/support/componenttext.h"
#include "tests/support/formfixture.h"
#include "tests/textreport/engine/zrprintingreport.h"
#include "tests/textreport/output/zrtestreport.h"
#include "textreport/core/zrconst.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace {

using namespace test_support;
using zr_test::ErrorOf;
using zr_test::PrintingReport;

class ZRLabelTest : public testing::Test {
protected:
  ZRLabelTest() {
    report = new PrintingReport(form.Host());
    report->SetName("ZReport1");
    report->SetParent(form.Host());
    report->Bands()->SetHas(zbtDetail, true);
    detail = report->FindBand(zbtDetail);
    detail->SetWidth(40);
    detail->SetHeight(1);
  }

  template <class L = TZRLabel>
  L* AddLabel(TZRCustomBand* band, int left, int width, const AnsiString& caption = "") {
    auto* label = new L(form.Host());
    label->SetParent(band);
    label->SetLeft(left);
    label->SetWidth(width);
    if (!caption.empty())
      label->SetCaption(caption);
    return label;
  }

  static std::vector<AnsiString> LinesOf(const TZRCustomLabel* label) {
    std::vector<AnsiString> lines;
    for (int i = 0; i < label->Lines().Count(); ++i)
      lines.push_back(label->Lines().Strings(i));
    return lines;
  }

  // Runs a band as the report does: prepared, formatted and printed at
  // (X, Y) into the first page; answers that page's lines.
  std::vector<AnsiString> PrintBand(TZRCustomBand* band, int x = 0, int y = 0, int page = 1) {
    TZRPrinter& document = *report->document;
    document.BeginDoc();
    for (int i = 0; i < page; ++i)
      document.NewPage();
    report->Prepare();
    band->DoBeforePrint();
    band->Print(x, y);
    std::vector<AnsiString> lines;
    for (int i = 0; i < document.Pages(page - 1).Lines().Count(); ++i)
      lines.push_back(document.Pages(page - 1).Lines().Strings(i));
    return lines;
  }

  FormFixture form;
  PrintingReport* report = nullptr;
  TZRCustomBand* detail = nullptr;
};

// ---- Lines and alignment --------------------------------------------------------------------
TEST_F(ZRLabelTest, TextIsAlignedInsideTheLabelByCharacters) {
  struct Case {
    TZRAlignmentWidth x;
    const char* line;
  };
  for (const Case& c : {Case{zawLeft, "ABCDE"}, Case{zawRight, "   ABCDE"}, Case{zawCenter, " ABCDE  "},
                        Case{zawBandRight, "   ABCDE"}, Case{zawBandCenter, " ABCDE  "}}) {
    SCOPED_TRACE(c.line);
    TZRLabel* label = AddLabel(detail, 0, 8, "ABCDE");
    label->Alignment()->SetX(c.x);
    EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{c.line});
    label->Free();
  }
}

TEST_F(ZRLabelTest, EscapeCodesTakeNoRoomWhenTextIsAligned) {
  TZRLabel* label = AddLabel(detail, 0, 8, "\\BABC\\bDE");
  label->Alignment()->SetX(zawRight);
  EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{"   \\BABC\\bDE"});
}

TEST_F(ZRLabelTest, ALineLongerThanTheLabelIsLeftAsItIsAndCutWhenPrinted) {
  TZRLabel* label = AddLabel(detail, 0, 5, "ABCDEFG");
  label->Alignment()->SetX(zawRight);
  EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{"ABCDEFG"});
  EXPECT_EQ(PrintBand(detail)[0], "ABCDE");
}

TEST_F(ZRLabelTest, WordWrapWithHeightSizingMakesTheLabelAsHighAsItsLines) {
  TZRLabel* label = AddLabel(detail, 0, 5, "ABCDEFG");
  label->SetWordWrap(true);
  label->SetAutoSize(zasHeight);
  EXPECT_EQ(LinesOf(label), (std::vector<AnsiString>{"ABCDE", "FG"}));
  EXPECT_EQ(label->Height(), 2);
  label->Frame()->SetTop(1);
  label->Frame()->SetBottom(1);
  EXPECT_EQ(label->Height(), 4);
}

TEST_F(ZRLabelTest, CarriageReturnsStartNewLinesAndWrappingBreaksAtSpaces) {
  TZRLabel* label = AddLabel(detail, 0, 8, "BİR İKİ ÜÇ\r\nDÖRT");
  label->SetWordWrap(true);
  EXPECT_EQ(LinesOf(label), (std::vector<AnsiString>{"BİR İKİ", "ÜÇ", "DÖRT"}));
}

// Each paragraph wraps on its own; escape codes take no room and every
// line carries its styles.
TEST_F(ZRLabelTest, WordWrapKeepsParagraphsAndCountsPrintingCharacters) {
  struct Case {
    const char* caption;
    std::vector<AnsiString> lines;
  };
  for (const Case& c : {Case{"AB\r\nCDEFGHIJ", {"AB", "CDEFG", "HIJ"}}, Case{"A\r\n\r\nB", {"A", "", "B"}},
                        Case{"\\BBOLD TEXT\\b", {"\\BBOLD\\b", "\\BTEXT\\b"}},
                        Case{"AB \\UCD\\u EF", {"AB \\UCD\\u", "\\uEF"}}}) {
    SCOPED_TRACE(c.caption);
    TZRLabel* label = AddLabel(detail, 0, 5, c.caption);
    label->SetWordWrap(true);
    EXPECT_EQ(LinesOf(label), c.lines);
    label->Free();
  }
}

TEST_F(ZRLabelTest, LinesAreAlignedVerticallyInsideTheLabel) {
  struct Case {
    TZRAlignmentHeight y;
    std::vector<AnsiString> lines;
  };
  for (const Case& c : {Case{zahTop, {"AB"}}, Case{zahBottom, {"", "", "AB"}}, Case{zahCenter, {"", "AB"}},
                        Case{zahBandBottom, {"", "", "AB"}}, Case{zahBandCenter, {"", "AB"}}}) {
    SCOPED_TRACE(static_cast<int>(c.y));
    detail->SetHeight(3);
    TZRLabel* label = AddLabel(detail, 0, 4, "AB");
    label->SetHeight(3);
    label->Alignment()->SetY(c.y);
    EXPECT_EQ(LinesOf(label), c.lines);
    label->Free();
  }
}

TEST_F(ZRLabelTest, WidthSizingKeepsTheAlignedEdgeInPlace) {
  struct Case {
    TZRAlignmentWidth x;
    int left;
  };
  // The label starts at 10 with width 8 (right edge 17); "ABC" makes it 3 wide.
  for (const Case& c : {Case{zawLeft, 10}, Case{zawRight, 15}, Case{zawCenter, 12}}) {
    SCOPED_TRACE(c.left);
    TZRLabel* label = AddLabel(detail, 10, 8, "ABC");
    label->Alignment()->SetX(c.x);
    label->SetAutoSize(zasWidth);
    EXPECT_EQ(label->Width(), 3);
    EXPECT_EQ(label->Left(), c.left);
    EXPECT_EQ(label->Height(), 1);
    label->Free();
  }
}

TEST_F(ZRLabelTest, WidthSizingWrapsToWhatTheBandLeavesRightOfTheLabel) {
  detail->SetWidth(12);
  TZRLabel* label = AddLabel(detail, 6, 2, "AAAA BBBB CC");
  label->SetWordWrap(true);
  label->SetAutoSize(zasWidth);
  EXPECT_EQ(LinesOf(label), (std::vector<AnsiString>{"AAAA", "BBBB", "CC"}));
  EXPECT_EQ(label->Width(), 4);
  EXPECT_EQ(label->Height(), 3);
}

TEST_F(ZRLabelTest, BandAlignmentPlacesTheLabelInsideTheBandsClientArea) {
  detail->SetWidth(20);
  detail->SetHeight(5);
  detail->Frame()->SetLeft(1);
  detail->Frame()->SetTop(1);
  TZRLabel* label = AddLabel(detail, 7, 4, "AB");
  struct Case {
    TZRAlignmentWidth x;
    TZRAlignmentHeight y;
    int left, top;
  };
  // Client area 19 x 4 (the frame takes the left column and the top line).
  for (const Case& c : {Case{zawBandLeft, zahBandTop, 1, 1}, Case{zawBandRight, zahBandBottom, 15, 3},
                        Case{zawBandCenter, zahBandCenter, 7, 1}}) {
    SCOPED_TRACE(c.left);
    label->Alignment()->SetX(c.x);
    label->Alignment()->SetY(c.y);
    EXPECT_EQ(label->Left(), c.left);
    EXPECT_EQ(label->Top(), c.top);
  }
}

TEST_F(ZRLabelTest, AlignmentAssignedFromAnotherCopiesBothAxesAndLaysOutAgain) {
  TZRLabel* label = AddLabel(detail, 0, 8, "ABCDE");
  TZRAlignment other;
  other.SetX(zawRight);
  other.SetY(zahBottom);
  label->SetHeight(2);
  label->SetAlignment(&other);
  EXPECT_EQ(label->Alignment()->X(), zawRight);
  EXPECT_EQ(label->Alignment()->Y(), zahBottom);
  EXPECT_EQ(LinesOf(label), (std::vector<AnsiString>{"", "   ABCDE"}));
}

TEST_F(ZRLabelTest, ANewCaptionOrVariableLaysTheLabelOutAgain) {
  TZRLabel* label = AddLabel(detail, 0, 8, "ESKİ");
  label->SetCaption("YENİ");
  EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{"YENİ"});
  auto* field = new TZRField(form.Host());
  field->SetName("zrvAD");
  field->SetDataField("AD");
  label->SetVariable(field);
  // Outside a run a field shows the name of its field.
  EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{"AD"});
  field->Free();
  EXPECT_EQ(label->Variable(), nullptr);
  EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{"YENİ"});
}

// ---- Parent --------------------------------------------------------------------------------
TEST_F(ZRLabelTest, ALabelBelongsOnlyToBands) {
  auto* label = new TZRLabel(form.Host());
  EXPECT_EQ(ErrorOf([&] { label->SetParent(report); }), "A component of class TZRLabel can only belong to report bands");
  EXPECT_EQ(label->Report(), nullptr);
  EXPECT_EQ(ErrorOf([&] { label->SetParent(form.Host()); }),
            "A component of class TZRLabel can only belong to report or report bands");
  label->SetParent(detail);
  EXPECT_EQ(label->Report(), report);
  auto* total = new TZRTotalLabel(form.Host());
  EXPECT_EQ(ErrorOf([&] { total->SetParent(report); }),
            "A component of class TZRTotalLabel can only belong to report bands");
}

TEST_F(ZRLabelTest, ALabelJoinsItsBandsControlsAndLeavesThemWhenMoved) {
  report->Bands()->SetHas(zbtFooter, true);
  TZRCustomBand* footer = report->FindBand(zbtFooter);
  TZRLabel* label = AddLabel(detail, 0, 8, "A");
  EXPECT_EQ(detail->ChildControls(), std::vector<TZReportControl*>{label});
  label->SetParent(footer);
  EXPECT_TRUE(detail->ChildControls().empty());
  EXPECT_EQ(footer->ChildControls(), std::vector<TZReportControl*>{label});
}

// ---- Printing -------------------------------------------------------------------------------
TEST_F(ZRLabelTest, FontStylesPrintAsEscapeCodesUnlessTheReportIgnoresThem) {
  struct Case {
    TZRFontStyles styles;
    bool ignore;
    const char* line;
  };
  // The page keeps the codes of a line in code order.
  for (const Case& c : {Case{{zfsBold}, false, "  \\BLIST\\b"}, Case{{zfsBold}, true, "  LIST"},
                        Case{{zfsBold, zfsItalic}, false, "  \\B\\ILIST\\b\\i"},
                        Case{{zfsUnderline}, false, "  \\ULIST\\u"},
                        Case{{zfsSuperScript}, false, "  \\HLIST\\h"},
                        Case{{zfsSubScript}, false, "  \\LLIST\\l"}, Case{{}, false, "  LIST"}}) {
    SCOPED_TRACE(c.line);
    TZRLabel* label = AddLabel(detail, 2, 8, "LIST");
    label->SetFontStyles(c.styles);
    report->page.options.SetIgnoreStyles(c.ignore);
    EXPECT_EQ(PrintBand(detail)[0], c.line);
    report->Unprepare();
    report->document->Reset();
    label->Free();
  }
}

TEST_F(ZRLabelTest, ALineIsCutByThePrintingCharactersAndItsStyleClosed) {
  AddLabel(detail, 0, 4, "AB\\BCDEFG\\b");
  EXPECT_EQ(PrintBand(detail)[0], "AB\\BCD\\b");
}

TEST_F(ZRLabelTest, ALabelIsCutAtItsBandsEdgesWhereverTheBandStands) {
  // The band sits at column 5 and line 4 of the page, as a left margin and
  // the bands above put it; its labels are cut at its own width and height.
  detail->SetWidth(10);
  detail->SetLeft(5);
  detail->SetTop(4);
  TZRLabel* wide = AddLabel(detail, 6, 8, "ABCDEFGH");
  TZRLabel* tall = AddLabel(detail, 0, 3, "X\r\nY\r\nZ");
  tall->SetHeight(3);
  const std::vector<AnsiString> lines = PrintBand(detail, 5, 4);
  EXPECT_EQ(lines[4], "     X     ABCD");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(wide->Width(), 8);
}

TEST_F(ZRLabelTest, ASizedLabelStretchesABandThatMayGrow) {
  for (bool stretch : {false, true}) {
    SCOPED_TRACE(stretch);
    detail->SetStretch(stretch);
    TZRLabel* label = AddLabel(detail, 0, 5, "ABCDEFG HIJ");
    label->SetWordWrap(true);
    label->SetAutoSize(zasHeight);
    const std::vector<AnsiString> lines = PrintBand(detail, 0, 1);
    EXPECT_EQ(detail->Height(), stretch ? 3 : 1);
    EXPECT_EQ(lines[1], "ABCDE");
    EXPECT_EQ(lines[2], stretch ? "FG" : "");
    EXPECT_EQ(lines[3], stretch ? "HIJ" : "");
    report->Unprepare();
    report->document->Reset();
    label->Free();
  }
  EXPECT_EQ(detail->Height(), 1);
}

TEST_F(ZRLabelTest, AFramedLabelPrintsInsideItsFrame) {
  detail->SetHeight(3);
  TZRLabel* label = AddLabel(detail, 1, 6, "ABCDEFG");
  label->SetHeight(3);
  for (TZRFrame* frame : {label->Frame()}) {
    frame->SetLeft(1);
    frame->SetTop(1);
    frame->SetRight(1);
    frame->SetBottom(1);
  }
  const std::vector<AnsiString> lines = PrintBand(detail);
  EXPECT_EQ(lines[0], " +----+");
  EXPECT_EQ(lines[1], " |ABCD|");
  EXPECT_EQ(lines[2], " +----+");
}

TEST_F(ZRLabelTest, AFramedLabelCutByItsBandLosesItsRightSide) {
  detail->SetWidth(5);
  TZRLabel* label = AddLabel(detail, 1, 6, "ABCDEFG");
  label->Frame()->SetLeft(1);
  label->Frame()->SetRight(1);
  EXPECT_EQ(PrintBand(detail)[0], " |ABC");
}

TEST_F(ZRLabelTest, AnInvisibleLabelPrintsNothing) {
  TZRLabel* label = AddLabel(detail, 0, 8, "GİZLİ");
  label->SetVisible(false);
  EXPECT_EQ(PrintBand(detail)[0], "");
}

TEST_F(ZRLabelTest, TurkishLettersPrintAsTheirPlainTwins) {
  AddLabel(detail, 0, 8, "ÇİĞDEM");
  EXPECT_EQ(PrintBand(detail)[0], "CIGDEM");
}

// ---- System labels --------------------------------------------------------------------------
TEST_F(ZRLabelTest, ASystemLabelNamesItsValueInTheDesignView) {
  struct Case {
    TZRSystemData kind;
    const char* text;
  };
  for (const Case& c : {Case{zsdTime, "S:(hh:mm:ss)"}, Case{zsdDate, "S:(dd/mm/yyyy)"},
                        Case{zsdDateTime, "S:(dd/mm/yyyy hh:mm:ss)"}, Case{zsdPageNumber, "S:(Page)"},
                        Case{zsdReportTitle, "S:(Title)"}, Case{zsdRecordCount, "S:(Count)"},
                        Case{zsdRecordNumber, "S:(No.)"}}) {
    SCOPED_TRACE(c.text);
    auto* label = AddLabel<TZRSystemLabel>(detail, 0, 30);
    label->SetText("S:");
    label->SetDataKind(c.kind);
    EXPECT_EQ(label->LabelText(), c.text);
    EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{c.text});
    label->Free();
  }
}

TEST_F(ZRLabelTest, ASystemLabelShowsTheClockWhilePrinting) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  ClockScope clock(EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 9, 0));
  struct Case {
    TZRSystemData kind;
    const char* text;
  };
  for (const Case& c : {Case{zsdTime, "T:14:07"}, Case{zsdDate, "T:05.03.2026"},
                        Case{zsdDateTime, "T:05.03.2026 14:07:09"}}) {
    SCOPED_TRACE(c.text);
    auto* label = AddLabel<TZRSystemLabel>(detail, 0, 30);
    label->SetText("T:");
    label->SetDataKind(c.kind);
    EXPECT_EQ(PrintBand(detail)[0], c.text);
    report->Unprepare();
    report->document->Reset();
    label->Free();
  }
}

TEST_F(ZRLabelTest, ASystemLabelPrintsTheNumberOfThePageBeingFilled) {
  auto* label = AddLabel<TZRSystemLabel>(detail, 0, 4);
  label->SetText("P.");
  label->SetDataKind(zsdPageNumber);
  EXPECT_EQ(PrintBand(detail, 0, 9, 3)[9], "P.3");
}

// A label on a sub-detail, or on one of its bands, counts the sub-detail's
// records, not the report's.
TEST_F(ZRLabelTest, ASystemLabelCountsForTheControllerItBelongsTo) {
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(report->FindBand(zbtController));
  ASSERT_NE(sub, nullptr);
  sub->SetWidth(20);
  sub->Bands()->SetHas(zbtHeader, true);
  TZRCustomBand* subHeader = sub->FindBand(zbtHeader);
  ASSERT_NE(subHeader, nullptr);
  auto* onSub = AddLabel<TZRSystemLabel>(sub, 0, 4);
  auto* onSubBand = AddLabel<TZRSystemLabel>(subHeader, 0, 4);
  auto* onReportBand = AddLabel<TZRSystemLabel>(detail, 0, 4);
  EXPECT_EQ(onSub->LabelController(), sub);
  EXPECT_EQ(onSubBand->LabelController(), sub);
  EXPECT_EQ(onReportBand->LabelController(), report);
  report->Prepare();
  report->RecordNumber = 2;
  sub->RecordNumber = 5;
  for (TZRSystemLabel* label : {onSub, onSubBand, onReportBand})
    label->SetDataKind(zsdRecordNumber);
  EXPECT_EQ(onSub->LabelText(), "5");
  EXPECT_EQ(onSubBand->LabelText(), "5");
  EXPECT_EQ(onReportBand->LabelText(), "2");
  report->Unprepare();
}

TEST_F(ZRLabelTest, APageNumberLaidOutBeforeABreakPrintsTheNewPage) {
  auto* label = AddLabel<TZRSystemLabel>(detail, 0, 4);
  label->SetDataKind(zsdPageNumber);
  TZRPrinter& document = *report->document;
  document.BeginDoc();
  document.NewPage();
  report->Prepare();
  detail->DoBeforePrint();
  EXPECT_EQ(LinesOf(label), std::vector<AnsiString>{"1"});
  // The band does not fit and goes to the next page.
  document.NewPage();
  detail->Print(0, 0);
  EXPECT_EQ(document.Pages(1).Lines().Strings(0), "2");
  EXPECT_EQ(document.Pages(0).Lines().Strings(0), "");
}

TEST_F(ZRLabelTest, ASystemLabelPrintsItsReportsTitle) {
  report->SetTitle("SATIŞ LİSTESİ");
  auto* label = AddLabel<TZRSystemLabel>(detail, 0, 30);
  label->SetText("- ");
  label->SetDataKind(zsdReportTitle);
  EXPECT_EQ(label->LabelText(), "- (Title)");
  EXPECT_EQ(PrintBand(detail)[0], "- SATIS LISTESI");
}

TEST_F(ZRLabelTest, ASystemLabelCountsTheRecordsOfItsBandsController) {
  auto* table = new TRxMemoryData(form.Host());
  table->FieldDefs()->Add("AD", ftString, 10);
  report->SetDataSet(table);
  auto* number = AddLabel<TZRSystemLabel>(detail, 0, 4);
  number->SetDataKind(zsdRecordNumber);
  auto* total = AddLabel<TZRSystemLabel>(detail, 5, 4);
  total->SetDataKind(zsdRecordCount);
  report->Prepare();
  report->RecordNumber = 2;
  report->RecordCount = 7;
  // A closed data set knows no count: the records passed so far stand for it.
  EXPECT_EQ(number->LabelText(), "2");
  EXPECT_EQ(total->LabelText(), "2");
  table->Open();
  EXPECT_EQ(total->LabelText(), "7");
  report->RecordCount = 0;
  EXPECT_EQ(total->LabelText(), "2");
  report->Unprepare();
}

// ---- Total labels -------------------------------------------------------------------------
class ZRTotalLabelTest : public ZRLabelTest {
protected:
  ZRTotalLabelTest() {
    source = new TZRField(form.Host());
    source->SetName("zrvTUTAR");
    source->AttachController(report);
    aggregator = new TZRAggregator(form.Host());
    aggregator->SetName("zrsTUTAR");
    aggregator->AttachController(report);
    aggregator->SetVariable(source);
    total = AddLabel<TZRTotalLabel>(detail, 0, 20);
  }
  // A component that is no controller.
  TComponent* table() { return new TRxMemoryData(form.Host()); }

  TZRField* source = nullptr;
  TZRAggregator* aggregator = nullptr;
  TZRTotalLabel* total = nullptr;
};

TEST_F(ZRTotalLabelTest, ANewTotalSumsAndIsStoredAsSuch) {
  EXPECT_EQ(total->Kind(), ztkSum);
  EXPECT_TRUE(GetPropInfo(total, "Kind")->IsStored(total));
  total->SetCaption("TOPLAM");
  EXPECT_EQ(total->LabelText(), "TOPLAM");
  total->SetVariable(aggregator);
  EXPECT_EQ(total->LabelText(), "Sum(zrsTUTAR)");
  total->SetKind(ztkAvg);
  EXPECT_EQ(LinesOf(total), std::vector<AnsiString>{"Avg(zrsTUTAR)"});
}

TEST_F(ZRTotalLabelTest, ATotalReadsItsLevelOfTheAggregatorWhilePrinting) {
  total->SetVariable(aggregator);
  report->Prepare();
  for (int value : {4, 1, 7})
    aggregator->Accumulate(0, Variant(value));
  const TZFormat& format = *aggregator->Format();
  struct Case {
    TZRTotalKind kind;
    AnsiString text;
  };
  for (const Case& c : {Case{ztkCount, "3"}, Case{ztkSum, format.FormatValue(Variant(12))},
                        Case{ztkMin, format.FormatValue(Variant(1))}, Case{ztkMax, format.FormatValue(Variant(7))},
                        Case{ztkAvg, format.FormatValue(Variant(4))}}) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    total->SetKind(c.kind);
    EXPECT_EQ(total->LabelText(), c.text);
  }
  report->Unprepare();
}

TEST_F(ZRTotalLabelTest, ATotalOverAVariableThatKeepsNoLevelsShowsItsValueOnly) {
  total->SetVariable(source);
  report->Prepare();
  total->SetKind(ztkCount);
  EXPECT_EQ(total->LabelText(), "");
  total->SetKind(ztkValue);
  // A field outside a data loop has no value.
  EXPECT_EQ(total->LabelText(), source->FormattedText());
  report->Unprepare();
}

TEST_F(ZRTotalLabelTest, TheLevelIsTheLabelsControllerOrNothingElse) {
  total->SetVariable(aggregator);
  total->SetLevel(report);
  EXPECT_EQ(total->Level(), report);
  EXPECT_EQ(total->LevelIndex(), 0);
  // Another component is refused without a word and the level stays.
  total->SetLevel(table());
  EXPECT_EQ(total->Level(), report);
  total->SetLevel(nullptr);
  EXPECT_EQ(total->Level(), report);
  EXPECT_EQ(total->Variable(), aggregator);
}

TEST_F(ZRTotalLabelTest, AVariableOfAnotherControllerIsDroppedWhenTheLevelIsSet) {
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRCustomController*>(report->FindBand(zbtController));
  ASSERT_NE(sub, nullptr);
  auto* inner = new TZRField(form.Host());
  inner->SetName("zrvIC");
  inner->AttachController(sub);
  total->SetVariable(inner);
  total->SetLevel(report);
  EXPECT_EQ(total->Level(), report);
  EXPECT_EQ(total->Variable(), nullptr);
}

TEST_F(ZRTotalLabelTest, WithoutAParentAnyLevelIsKeptAndAFreedLevelIsForgotten) {
  auto* loose = new TZRTotalLabel(form.Host());
  TComponent* other = table();
  loose->SetLevel(other);
  EXPECT_EQ(loose->Level(), other);
  other->Free();
  EXPECT_EQ(loose->Level(), nullptr);
}

TEST_F(ZRTotalLabelTest, PlacedOnABandAtDesignTimeATotalCountsOverTheBandsController) {
  form.Host()->SetDesigning(true);
  auto* placed = new TZRTotalLabel(form.Host());
  placed->SetParent(detail);
  EXPECT_EQ(placed->Level(), report);
}

// ---- Labels in a report run ---------------------------------------------------------------
// The data loop looks one record ahead: labels in a detail band still show
// the current record's running values, and the footer the whole run's.
TEST(ZRLabelRunTest, DetailLabelsShowRunningValuesAndFooterLabelsTheTotals) {
  FormFixture form;
  auto* table = new TRxMemoryData(form.Host());
  table->FieldDefs()->Add("AD", ftString, 4);
  table->FieldDefs()->Add("TUTAR", ftInteger);
  table->Open();
  for (const auto& [name, amount] : std::vector<std::pair<const char*, int>>{{"A", 4}, {"B", 1}, {"C", 7}}) {
    table->Append();
    table->FieldByName("AD")->SetAsString(name);
    table->FieldByName("TUTAR")->SetAsInteger(amount);
    table->Post();
  }
  table->First();
  auto* report = new TZReport(form.Host());
  report->SetName("ZReport1");
  report->SetParent(form.Host());
  report->SetWidth(30);
  report->SetHeight(12);
  report->SetShowProgress(false);
  report->Options()->SetOEMConvert(false);
  report->Options()->SetPaperType(zptSheet);
  for (TZRMargins* margins : {report->Margins()}) {
    margins->SetLeft(0);
    margins->SetTop(0);
    margins->SetRight(0);
    margins->SetBottom(0);
  }
  report->SetDataSet(table);
  auto field = [&](const char* name) {
    auto* variable = new TZRField(form.Host());
    variable->AttachController(report);
    variable->SetDataSet(table);
    variable->SetDataField(name);
    return variable;
  };
  auto* aggregator = new TZRAggregator(form.Host());
  aggregator->SetName("zrsTUTAR");
  aggregator->AttachController(report);
  aggregator->SetVariable(field("TUTAR"));
  for (TZRBandType kind : {zbtDetail, zbtFooter}) {
    report->Bands()->SetHas(kind, true);
    report->FindBand(kind)->SetWidth(30);
    report->FindBand(kind)->SetHeight(1);
  }
  auto place = [&](TZRCustomLabel* label, TZRBandType kind, int left, int width) {
    label->SetParent(report->FindBand(kind));
    label->SetLeft(left);
    label->SetWidth(width);
  };
  auto system = [&](TZRSystemData kind, const char* text, int left) {
    auto* label = new TZRSystemLabel(form.Host());
    label->SetDataKind(kind);
    label->SetText(text);
    place(label, zbtDetail, left, 2);
  };
  auto total = [&](TZRTotalKind kind, TZRBandType band, int left) {
    auto* label = new TZRTotalLabel(form.Host());
    place(label, band, left, 4);
    label->SetKind(kind);
    label->SetVariable(aggregator);
    label->SetLevel(report);
  };
  auto* name = new TZRLabel(form.Host());
  name->SetVariable(field("AD"));
  place(name, zbtDetail, 0, 4);
  system(zsdRecordNumber, "", 5);
  system(zsdRecordCount, "/", 8);
  total(ztkCount, zbtDetail, 12);
  total(ztkSum, zbtDetail, 16);
  total(ztkSum, zbtFooter, 0);
  total(ztkMin, zbtFooter, 5);
  total(ztkMax, zbtFooter, 10);
  total(ztkAvg, zbtFooter, 15);

  TZRPrinter document(report);
  report->BuildReport(false);
  ASSERT_EQ(document.PageCount(), 1);
  const TStringList& lines = document.Pages(0).Lines();
  EXPECT_EQ(lines.Strings(0), "A    1  /3  1   4");
  EXPECT_EQ(lines.Strings(1), "B    2  /3  2   5");
  EXPECT_EQ(lines.Strings(2), "C    3  /3  3   12");
  EXPECT_EQ(lines.Strings(3), "12   1    7    4");
  EXPECT_EQ(lines.Strings(4), "");
}

// ---- Design view -----------------------------------------------------------------------------
// The lines show one cell high each inside the frame; nothing is drawn where
// the text has no characters.
TEST_F(ZRLabelTest, TheDesignViewShowsTheLinesInsideTheFrame) {
  detail->SetHeight(3);
  TZRLabel* label = AddLabel(detail, 0, 8, "WW\r\nWW");
  label->SetHeight(2);
  label->Frame()->SetLeft(1);
  const TZRCharMetrics cell = label->GetCharMetrics();
  const int width = label->TControl::Width(), height = label->TControl::Height();
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  form.Host()->SetDesigning(true);  // labels show themselves on the design surface
  label->PaintTo(bitmap.Canvas(), 0, 0);
  // Look at it: DOZURI_ZRLABEL_SNAPSHOT=Z:\tmp\label.bmp
  if (const char* path = std::getenv("DOZURI_ZRLABEL_SNAPSHOT"))
    bitmap.SaveToFile(path);
  auto dark = [&bitmap](int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if ((bitmap.Canvas().GetPixel(x, y) & 0xFFFFFF) == 0)
          ++count;
    return count;
  };
  EXPECT_GT(dark(cell.Width + 2, 2, 3 * cell.Width, cell.Height - 1), 5);
  EXPECT_GT(dark(cell.Width + 2, cell.Height + 1, 3 * cell.Width, 2 * cell.Height - 1), 5);
  EXPECT_EQ(dark(2, 2, cell.Width - 1, height - 2), 0);
  EXPECT_EQ(dark(4 * cell.Width, 2, width - 2, height - 2), 0);
}

// ---- Streaming ------------------------------------------------------------------------------
class ZRLabelStreamTest : public ZRLabelTest {
protected:
  static void SetUpTestSuite() {
    RegisterZReportClasses();
    RegisterZRLabelClasses();
  }
};

// A layout keeps what differs from the defaults, a total's kind always,
// and the references to the variable and the level by name.
TEST_F(ZRLabelStreamTest, LabelsAreWrittenWithTheirPropertiesAndReadBack) {
  auto* field = new TZRField(form.Host());
  field->SetName("zrvAD");
  field->AttachController(report);
  field->SetDataField("AD");
  TZRLabel* plain = AddLabel(detail, 0, 8, "SADE");
  plain->SetName("Plain");
  TZRLabel* label = AddLabel(detail, 2, 10);
  label->SetName("Named");
  label->SetVariable(field);
  label->Alignment()->SetX(zawRight);
  label->SetAutoSize(zasHeight);
  label->SetWordWrap(true);
  label->SetFontStyles(TZRFontStyles{zfsBold, zfsUnderline});
  auto* system = AddLabel<TZRSystemLabel>(detail, 12, 6);
  system->SetName("Page");
  system->SetDataKind(zsdPageNumber);
  system->SetText("S.");
  auto* total = AddLabel<TZRTotalLabel>(detail, 20, 6);
  total->SetName("Total");
  total->SetLevel(report);
  const std::string text = ComponentText(form.Host());
  for (const char* line : {"object Named: TZRLabel", "Alignment.X = zawRight", "AutoSize = zasHeight",
                           "Variable = zrvAD", "WordWrap = True", "FontStyles = [zfsBold, zfsUnderline]",
                           "object Page: TZRSystemLabel", "DataKind = zsdPageNumber", "Text = 'S.'",
                           "object Total: TZRTotalLabel", "Kind = ztkSum", "Level = ZReport1",
                           "Caption = 'SADE'"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  const std::string plainPart = text.substr(text.find("object Plain"), text.find("object Named") - text.find("object Plain"));
  for (const char* absent : {"Alignment", "AutoSize", "WordWrap", "Align ", "Enabled", "Visible", "FontStyles",
                             "Variable", "Anchors"})
    EXPECT_EQ(plainPart.find(absent), std::string::npos) << absent << " in\n" << plainPart;

  FormFixture other;
  ReadComponentText(text, other.Host());
  auto* named = dynamic_cast<TZRLabel*>(other.Host()->FindComponent("Named"));
  auto* page = dynamic_cast<TZRSystemLabel*>(other.Host()->FindComponent("Page"));
  auto* sum = dynamic_cast<TZRTotalLabel*>(other.Host()->FindComponent("Total"));
  ASSERT_TRUE(named != nullptr && page != nullptr && sum != nullptr);
  EXPECT_EQ(named->Variable(), other.Host()->FindComponent("zrvAD"));
  EXPECT_EQ(named->Alignment()->X(), zawRight);
  EXPECT_EQ(named->AutoSize(), zasHeight);
  EXPECT_TRUE(named->WordWrap());
  EXPECT_EQ(named->FontStyles(), (TZRFontStyles{zfsBold, zfsUnderline}));
  EXPECT_EQ(named->Left(), 2);
  // Laid out as read: the field's name outside a run, at the right edge.
  EXPECT_EQ(LinesOf(named), std::vector<AnsiString>{"        AD"});
  EXPECT_EQ(page->DataKind(), zsdPageNumber);
  EXPECT_EQ(page->Text(), "S.");
  EXPECT_EQ(sum->Kind(), ztkSum);
  EXPECT_EQ(sum->Level(), other.Host()->FindComponent("ZReport1"));
  EXPECT_EQ(dynamic_cast<TZRLabel*>(other.Host()->FindComponent("Plain"))->Caption(), "SADE");
}

}  // namespace
