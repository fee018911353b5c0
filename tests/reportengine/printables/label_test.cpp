// The label printable: its defaults, the caption that follows the name, the
// label's own use of the line layout (word wrap, no word wrap, a word wider
// than the label, paragraphs), AutoSize and its anchors, the stored font
// size, OnPrint, and the lines it puts on a page with and without
// AutoStretch.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/printables/qrprintablesreg.h"
#include "reportengine/printables/qrsysdata.h"
#include "tests/reportengine/printables/label_runfixture.h"
#include "tests/reportengine/printables/shape_pagefixture.h"
#include "tests/support/componenttext.h"

using namespace printables_test;

namespace {

using Lines = std::vector<AnsiString>;

Lines LinesOf(TStrings* strings) {
  Lines lines;
  for (int i = 0; i < strings->Count(); ++i)
    lines.push_back(strings->Strings(i));
  return lines;
}

// One unit per character; a line is 10 high.
template <class T>
void MeasureByCharacters(T* label, int unit = 1) {
  label->TextWidthOverride = [unit](const AnsiString& s) { return static_cast<int>(s.size()) * unit; };
  label->LineHeightOverride = [] { return 10; };
}

// The texts put on a page, in page order.
std::vector<std::string> PageTexts(TMetafile& page) { return TextsOfPage(page); }

// The text alignment in force when the page's first text is output.
UINT TextAlignAtFirstText(TMetafile& page) {
  struct Scan {
    UINT align = TA_LEFT;
    bool done = false;
  } scan;
  EnumEnhMetaFile(
      nullptr, page.Handle(),
      [](HDC, HANDLETABLE*, const ENHMETARECORD* raw, int, LPARAM data) -> int {
        auto* s = reinterpret_cast<Scan*>(data);
        if (raw->iType == EMR_SETTEXTALIGN && !s->done)
          s->align = reinterpret_cast<const EMRSETTEXTALIGN*>(raw)->iMode;
        if (raw->iType == EMR_EXTTEXTOUTW)
          s->done = true;
        return 1;
      },
      &scan, nullptr);
  return scan.align;
}

// The height in 0.1 mm the label's printing gives one line on this printer.
long double PrintLineHeight(TQRPrinter& printer, TQRCustomLabel& label) {
  TCanvas& canvas = printer.CurrentCanvas();
  canvas.Font().Assign(label.Font());
  return canvas.TextHeight("W") / printer.YFactor();
}

TEST(QRLabel, StartsAutoSizedWrappingOpaqueWithoutCaption) {
  test_support::Owned<TQRLabel> label(new TQRLabel(nullptr));
  EXPECT_TRUE(label->AutoSize());
  EXPECT_FALSE(label->AutoStretch());
  EXPECT_TRUE(label->WordWrap());
  EXPECT_FALSE(label->Transparent());
  EXPECT_TRUE(label->IsCaptionBased());
  EXPECT_EQ(label->Caption(), "");
  EXPECT_EQ(label->StoredFontSize(), 0);
  EXPECT_STREQ(label->ClassName().c_str(), "TQRLabel");
}

TEST(QRLabel, CaptionFollowsTheNameUntilItIsSetOtherwise) {
  test_support::Owned<TQRLabel> label(new TQRLabel(nullptr));
  label->SetName("QRLabel1");
  EXPECT_EQ(label->Caption(), "QRLabel1");
  label->SetName("Baslik");
  EXPECT_EQ(label->Caption(), "Baslik");
  EXPECT_EQ(label->OutputText(), "Baslik");
  label->SetCaption("Fiyat");
  label->SetName("Fiyat2");
  EXPECT_EQ(label->Caption(), "Fiyat");
}

class LabelOnReport : public ::testing::Test {
protected:
  template <class T>
  T* AddLabel(int left, int width) {
    auto* label = new T(page.form.Host());
    label->SetParent(page.report);
    MeasureByCharacters(label);
    label->SetBounds(left, 10, width, 30);
    return label;
  }
  PageFixture page;
};

TEST_F(LabelOnReport, LaysItsCaptionOutInItsWidth) {
  struct Case {
    const char* name;
    AnsiString caption;
    int width;
    bool wordWrap;
    Lines lines;
  } cases[] = {
      {"word wrap breaks before the word that does not fit", "one two three", 8, true, {"one two ", "three"}},
      {"without word wrap only the first line", "one two three", 8, false, {"one two "}},
      {"a word wider than the label is cut, then an empty line", "abcdefghijk", 5, true, {"abcd", ""}},
      {"CR LF starts a new paragraph whatever the width", "bir\r\niki", 40, true, {"bir", "iki"}},
      {"a hyphen may end a line", "ince-uzun", 5, true, {"ince-", "uzun"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* label = AddLabel<TQRLabel>(0, c.width);
    label->SetAutoSize(false);
    label->SetWordWrap(c.wordWrap);
    label->SetCaption(c.caption);
    EXPECT_EQ(LinesOf(label->LaidOutLines()), c.lines);
    EXPECT_TRUE(label->IsLaidOut());
    // A caption label on a report is at least one line plus one high.
    EXPECT_GE(label->Height(), 11);
  }
}

TEST_F(LabelOnReport, WordWrapChangesTheLayoutOnlyAtTheNextFormat) {
  auto* label = AddLabel<TQRLabel>(0, 8);
  label->SetAutoSize(false);
  label->SetCaption("one two three");
  label->SetWordWrap(false);
  EXPECT_EQ(LinesOf(label->LaidOutLines()), (Lines{"one two ", "three"}));
  label->FormatLines();
  EXPECT_EQ(LinesOf(label->LaidOutLines()), (Lines{"one two "}));
}

TEST_F(LabelOnReport, AutoSizeFitsTheWidthAndKeepsTheAnchorOfTheAlignment) {
  struct Case {
    const char* name;
    TAlignment alignment;
    int left;
  } cases[] = {
      {"left keeps the left edge", taLeftJustify, 100},
      {"right keeps the right edge", taRightJustify, 100 + 40 - 30},
      {"centred keeps the centre", taCenter, 100 + (40 - 30) / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* label = AddLabel<TQRLabel>(100, 40);
    MeasureByCharacters(label, 3);
    label->SetAlignment(c.alignment);
    label->SetCaption("abcdefghij");
    EXPECT_EQ(label->Width(), 30);
    EXPECT_EQ(label->Left(), c.left);
    EXPECT_EQ(LinesOf(label->LaidOutLines()), (Lines{"abcdefghij"}));
  }
}

TEST_F(LabelOnReport, AnAutoSizedRightAlignedLabelKeepsItsRightEdgeAsItsCaptionGrows) {
  auto* label = AddLabel<TQRLabel>(200, 20);
  label->SetAlignment(taRightJustify);
  label->SetCaption("abc");
  int right = label->Left() + label->Width();
  label->SetCaption("abcdefghijklmnop");
  EXPECT_EQ(label->Width(), 16);
  EXPECT_EQ(label->Left() + label->Width(), right);
}

TEST_F(LabelOnReport, AutoSizeCountsTheDrawnLeftAndRightFrameLines) {
  auto* label = AddLabel<TQRLabel>(0, 40);
  label->Frame()->SetWidth(2);
  label->Frame()->SetDrawLeft(true);
  label->Frame()->SetDrawRight(true);
  label->Frame()->SetDrawTop(true);
  label->SetCaption("abcde");
  EXPECT_EQ(label->Width(), 5 + 2 + 2);
}

TEST_F(LabelOnReport, AMemoLaysOutEachLineAndMeasuresItsHeight) {
  auto* memo = AddLabel<TQRMemo>(0, 8);
  memo->SetAutoSize(false);
  TStringList lines;
  lines.SetText("one two three\r\nfour");
  memo->SetLines(&lines);
  EXPECT_FALSE(memo->IsCaptionBased());
  int height = 0;
  memo->MeasureHeight(height);
  EXPECT_EQ(LinesOf(memo->LaidOutLines()), (Lines{"one two ", "three", "four"}));
  EXPECT_EQ(height, 3 * 10);
  // Auto-sized, the lines stand as they are.
  memo->SetAutoSize(true);
  memo->FormatLines();
  EXPECT_EQ(LinesOf(memo->LaidOutLines()), (Lines{"one two three", "four"}));
}

TEST_F(LabelOnReport, AnEmptyMemoShowsItsNameOnTheDesignSurfaceOnly) {
  auto* memo = AddLabel<TQRMemo>(0, 80);
  memo->SetName("QRMemo1");
  memo->FormatLines();
  EXPECT_EQ(memo->LaidOutLines()->Count(), 0);
  memo->SetDesigning(true);
  memo->FormatLines();
  EXPECT_EQ(LinesOf(memo->LaidOutLines()), (Lines{"QRMemo1"}));
}

TEST(QRLabelStreaming, TheStoredFontSizeWinsOverTheStoredFont) {
  test_support::Owned<TQRLabel> written(new TQRLabel(nullptr));
  written->SetName("Fiyat");
  written->Font()->SetSize(14);
  std::string text = test_support::ComponentText(written.get());
  EXPECT_NE(text.find("FontSize = 14"), std::string::npos) << text;

  test_support::Owned<TQRLabel> read(new TQRLabel(nullptr));
  test_support::ReadComponentText(
      "object Fiyat: TQRLabel\n  Caption = 'Fiyat'\n  Font.Height = -27\n  ParentFont = False\n"
      "  FontSize = 12\nend\n",
      read.get());
  EXPECT_EQ(read->StoredFontSize(), 12);
  EXPECT_EQ(read->Font()->Size(), 12);
  EXPECT_EQ(read->Caption(), "Fiyat");
}

TEST(QRLabelStreaming, PublishesItsPropertiesAndDefaults) {
  test_support::Owned<TQRLabel> label(new TQRLabel(nullptr));
  label->SetName("L");
  label->SetCaption("Toplam");
  label->SetAutoStretch(true);
  label->SetWordWrap(false);
  std::string text = test_support::ComponentText(label.get());
  for (const char* expected : {"Caption = 'Toplam'", "AutoStretch = True", "WordWrap = False", "AutoSize = True"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_EQ(text.find("Transparent"), std::string::npos) << text;

  test_support::Owned<TQRLabel> copy(new TQRLabel(nullptr));
  test_support::ReadComponentText(text, copy.get());
  EXPECT_EQ(copy->Caption(), "Toplam");
  EXPECT_TRUE(copy->AutoStretch());
  EXPECT_FALSE(copy->WordWrap());
}

// ---- On the page ----

TEST_F(LabelOnReport, OnPrintPrintsTheNewTextAndLeavesCaptionAndOutputTextAsTheyWere) {
  auto* label = page.Add<TQRLabel>(100, 100, 400, 60);
  label->SetCaption("Eski");
  AnsiString seen;
  label->OnPrint = [&](TObject*, AnsiString& value) {
    seen = value;
    value = "Yeni metin";
  };
  auto emf = page.PrintPage(*label);
  EXPECT_EQ(seen, "Eski");
  EXPECT_EQ(PageTexts(*emf), (std::vector<std::string>{"Yeni metin"}));
  EXPECT_EQ(label->Caption(), "Eski");
  EXPECT_EQ(label->OutputText(), "Eski");
}

TEST(QRLabelOnPage, TheTextAnchorFollowsTheAlignmentAtEachPageResolution) {
  struct Case {
    TAlignment alignment;
    long double anchor;  // 0.1 mm from the page's left
    UINT flag;
  } cases[] = {{taLeftJustify, 100, TA_LEFT}, {taRightJustify, 100 + 400, TA_RIGHT}, {taCenter, 100 + 200, TA_CENTER}};
  for (int pagePixelsPerInch : {96, 600}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(static_cast<int>(c.alignment));
      SCOPED_TRACE(pagePixelsPerInch);
      PageFixture page(96, pagePixelsPerInch);
      auto* label = page.Add<TQRLabel>();
      label->SetAutoSize(false);
      label->Size()->SetLeft(100);
      label->Size()->SetTop(100);
      label->Size()->SetWidth(400);
      label->Size()->SetHeight(60);
      label->SetAlignment(c.alignment);
      label->SetCaption("Hizali");
      auto emf = page.PrintPage(*label);
      auto records = RecordsOf(*emf);
      auto texts = RecordsOfType(records, {EMR_EXTTEXTOUTW});
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0].Point.x, page.printer.DeviceX(c.anchor));
      EXPECT_EQ(TextAlignAtFirstText(*emf) & (TA_LEFT | TA_RIGHT | TA_CENTER), c.flag);
    }
  }
}

// The right edge stays where it was when OnPrint makes the text longer.
TEST(QRLabelOnPage, AnAutoSizedRightAlignedLabelKeepsItsRightEdgeWhenOnPrintLengthensIt) {
  PageFixture page;
  auto* label = page.Add<TQRLabel>();
  label->SetAlignment(taRightJustify);
  label->SetCaption("ab");
  label->Size()->SetLeft(800);
  label->Size()->SetTop(100);
  long double right = 800 + label->Size()->NativeValue(TQRPrintableSize::WidthIndex);
  label->OnPrint = [](TObject*, AnsiString& value) { value = "çok daha uzun bir metin"; };
  auto emf = page.PrintPage(*label);
  auto texts = RecordsOfType(RecordsOf(*emf), {EMR_EXTTEXTOUTW});
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NEAR(texts[0].Point.x, page.printer.DeviceX(right), 1);
  EXPECT_EQ(TextAlignAtFirstText(*emf) & (TA_LEFT | TA_RIGHT | TA_CENTER), static_cast<UINT>(TA_RIGHT));
}

// A memo of Count lines "Satır 1".."Satır N", AutoSize off, wide enough.
TQRMemo* NumberedMemo(PageFixture& page, int count) {
  auto* memo = page.Add<TQRMemo>(100, 100, 1200, 100);
  memo->SetAutoSize(false);
  TStringList lines;
  for (int i = 1; i <= count; ++i)
    lines.Add("Satır " + std::to_string(i));
  memo->SetLines(&lines);
  return memo;
}

std::vector<std::string> Numbered(int from, int to) {
  std::vector<std::string> texts;
  for (int i = from; i <= to; ++i)
    texts.push_back("Satır " + std::to_string(i));
  return texts;
}

TEST_F(LabelOnReport, WithoutAutoStretchOnlyTheLinesThatFitPrint) {
  TQRMemo* memo = NumberedMemo(page, 5);
  auto emf = page.PrintPage([&] {
    memo->Size()->SetHeight(2.5L * PrintLineHeight(page.printer, *memo));
    memo->Print(0, 0);
  });
  EXPECT_EQ(PageTexts(*emf), Numbered(1, 2));
  EXPECT_TRUE(memo->AllLinesPrinted());
  EXPECT_TRUE(memo->PrintFinished());
}

TEST_F(LabelOnReport, WithAutoStretchAnUnfinishedLabelResumesAtItsNextLine) {
  TQRMemo* memo = NumberedMemo(page, 5);
  memo->SetAutoStretch(true);
  std::vector<std::string> all;
  auto emf = page.PrintPage([&] {
    memo->Size()->SetHeight(2.5L * PrintLineHeight(page.printer, *memo));
    memo->Print(0, 0);
    EXPECT_FALSE(memo->PrintFinished());
    EXPECT_EQ(memo->NextLineIndex(), 2);
    memo->Print(0, 1000);
    EXPECT_FALSE(memo->PrintFinished());
    memo->Print(0, 2000);
    EXPECT_TRUE(memo->PrintFinished());
  });
  EXPECT_EQ(PageTexts(*emf), Numbered(1, 5));
}

// A run that ends with the label unfinished (cancelled on a page, say)
// does not make the next run start in the middle of the text.
TEST_F(LabelOnReport, ANewRunStartsAtTheFirstLineEvenAfterAnUnfinishedOne) {
  TQRMemo* memo = NumberedMemo(page, 5);
  memo->SetAutoStretch(true);
  auto emf = page.PrintPage([&] {
    memo->Size()->SetHeight(2.5L * PrintLineHeight(page.printer, *memo));
    memo->Print(0, 0);
    EXPECT_FALSE(memo->PrintFinished());
    // The run ends here; the next one prints the label once more.
    memo->Unprepare();
    memo->Prepare();
    EXPECT_TRUE(memo->PrintFinished());
    memo->SetAutoStretch(false);
    memo->Print(0, 1000);
  });
  std::vector<std::string> expected = Numbered(1, 2);
  expected.insert(expected.end(), {"Satır 1", "Satır 2"});
  EXPECT_EQ(PageTexts(*emf), expected);
}

// A label lower than one line that cannot grow its band would never print
// a line and never finish; resumed, it prints one line each time.
// A handler that enlarges the font makes the label measure its lines again:
// fewer of them fit its height.
TEST_F(LabelOnReport, AFontChangedByOnPrintMeasuresTheLinesAgain) {
  TQRMemo* memo = NumberedMemo(page, 3);
  memo->Font()->SetSize(10);
  memo->OnPrint = [&](TObject*, AnsiString&) { memo->Font()->SetSize(20); };
  auto emf = page.PrintPage([&] {
    memo->Size()->SetHeight(2.5L * PrintLineHeight(page.printer, *memo));
    memo->Print(0, 0);
  });
  EXPECT_EQ(PageTexts(*emf), Numbered(1, 1));
}

TEST_F(LabelOnReport, AStretchingLabelLowerThanOneLineStillFinishes) {
  TQRMemo* memo = NumberedMemo(page, 3);
  memo->SetAutoStretch(true);
  int passes = 0;
  auto emf = page.PrintPage([&] {
    memo->Size()->SetHeight(PrintLineHeight(page.printer, *memo) / 3);
    do {
      memo->Print(0, passes * 500);
    } while (!memo->PrintFinished() && ++passes < 10);
  });
  EXPECT_TRUE(memo->PrintFinished());
  EXPECT_EQ(PageTexts(*emf), Numbered(1, 3));
}

TEST_F(LabelOnReport, AMemoPrintsWithoutCaptionAndShowsItsNameAfterwards) {
  TQRMemo* memo = NumberedMemo(page, 1);
  memo->SetName("Aciklama");
  auto emf = page.PrintPage([&] {
    memo->Print(0, 0);
    EXPECT_EQ(memo->Caption(), "Aciklama");
  });
  EXPECT_EQ(PageTexts(*emf), Numbered(1, 1));
}

TEST_F(LabelOnReport, AnOpaqueLabelFillsItsAreaWithItsColour) {
  auto* label = page.Add<TQRLabel>(100, 100, 300, 100);
  label->SetAutoSize(false);
  label->SetColor(clYellow);
  label->SetCaption("");
  auto emf = page.PrintPage(*label);
  auto bitmap = PageFixture::Played(*emf);
  RECT inside{page.printer.DeviceX(120), page.printer.DeviceY(120), page.printer.DeviceX(380),
              page.printer.DeviceY(180)};
  int area = (inside.right - inside.left) * (inside.bottom - inside.top);
  EXPECT_EQ(PageFixture::CountColor(*bitmap, inside, clYellow), area);
}

TEST(QRLabelOnPage, ATransparentLabelLeavesThePageAsItIs) {
  PageFixture page;
  auto* label = page.Add<TQRLabel>(100, 100, 300, 100);
  label->SetAutoSize(false);
  label->SetColor(clYellow);
  label->SetTransparent(true);
  auto emf = page.PrintPage(*label);
  auto bitmap = PageFixture::Played(*emf);
  RECT inside{page.printer.DeviceX(120), page.printer.DeviceY(120), page.printer.DeviceX(380),
              page.printer.DeviceY(180)};
  EXPECT_EQ(PageFixture::CountColor(*bitmap, inside, clYellow), 0);
}

}  // namespace

// ---- Streaming as a layout holds them ----

namespace {

// A layout's text printables come back by class name with their published
// properties; a memo's lines and a system data's kind included.
TEST(QRLabelStreaming, EveryTextPrintableIsRegisteredAndReadBackFromALayout) {
  RegisterQRPrintableClasses();
  for (const char* name : {"TQRLabel", "TQRMemo", "TQRDBText", "TQRExpr", "TQRSysData"})
    EXPECT_NE(GetClass(name), nullptr) << name;

  test_support::Owned<TPanel> root(new TPanel(nullptr));
  root->SetName("Yerlesim");
  test_support::ReadComponentText(
      "object Yerlesim: TPanel\n"
      "  object Not1: TQRMemo\n    Lines.Strings = (\n      'bir'\n      'iki')\n    AutoStretch = True\n"
      "    FontSize = 9\n  end\n"
      "  object Alan1: TQRDBText\n    DataField = 'FIYAT'\n    Mask = '#,##0.00'\n    FontSize = 8\n  end\n"
      "  object Toplam1: TQRExpr\n    ResetAfterPrint = True\n    Expression = 'SUM(FIYAT)'\n    Mask = '0.00'\n"
      "    FontSize = 10\n  end\n"
      "  object Sayfa1: TQRSysData\n    Data = qrsPageNumber\n    Text = 'Sayfa '\n    FontSize = 10\n  end\n"
      "end\n",
      root.get());
  auto* memo = dynamic_cast<TQRMemo*>(root->FindComponent("Not1"));
  auto* field = dynamic_cast<TQRDBText*>(root->FindComponent("Alan1"));
  auto* expr = dynamic_cast<TQRExpr*>(root->FindComponent("Toplam1"));
  auto* data = dynamic_cast<TQRSysData*>(root->FindComponent("Sayfa1"));
  ASSERT_NE(memo, nullptr);
  ASSERT_NE(field, nullptr);
  ASSERT_NE(expr, nullptr);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(memo->Lines()->Text(), "bir\r\niki\r\n");
  EXPECT_TRUE(memo->AutoStretch());
  EXPECT_EQ(memo->Font()->Size(), 9);
  EXPECT_EQ(field->DataField(), "FIYAT");
  EXPECT_EQ(field->Mask(), "#,##0.00");
  EXPECT_EQ(field->Caption(), "FIYAT");
  EXPECT_EQ(expr->Expression(), "SUM(FIYAT)");
  EXPECT_EQ(expr->Mask(), "0.00");
  EXPECT_TRUE(expr->ResetAfterPrint());
  EXPECT_EQ(data->Data(), qrsPageNumber);
  EXPECT_EQ(data->Caption(), "Sayfa (Page#)");
}

}  // namespace

// ---- Design surface ----

namespace {

TEST_F(LabelOnReport, OnTheDesignSurfaceALabelFillsItsColourAndDrawsItsText) {
  auto* label = new TQRLabel(page.form.Host());
  label->SetParent(page.report);
  label->SetBounds(20, 20, 160, 40);
  label->SetAutoSize(false);
  label->SetColor(clAqua);
  label->SetCaption("");
  qrreport_test::Picture empty(*page.report, 400, 300);
  label->SetCaption("WWWWWW");
  qrreport_test::Picture written(*page.report, 400, 300);
  RECT area{24, 24, 176, 56};
  EXPECT_EQ(empty.DarkIn(area), 0);
  EXPECT_GT(written.DarkIn(area), 20);
  EXPECT_EQ(empty.At(150, 50), clAqua);
}

}  // namespace

// ---- Export ----

namespace {

// An export run draws no page: a coloured label hands the filter its
// filled area, and each line goes as a picture where it prints.
TEST(QRLabelExport, AnExportRunHandsTheFillAndEachLineToTheFilter) {
  ReportRun run;
  run.table->FieldDefs()->Add("NO", ftInteger);
  run.Open();
  for (int i = 1; i <= 2; ++i) {
    run.table->Append();
    run.table->FieldByName("NO")->SetAsInteger(i);
    run.table->Post();
  }
  auto* coloured = run.Add<TQRLabel>(run.detail, 20, 2, 120, 16);
  coloured->SetAutoSize(false);
  coloured->SetColor(clYellow);
  coloured->SetCaption("Sarı");
  auto* plain = run.Add<TQRLabel>(run.detail, 200, 2, 120, 16);
  plain->SetAutoSize(false);
  plain->SetCaption("Beyaz");
  run.report->Prepare();
  ASSERT_NE(run.report->QRPrinter(), nullptr);
  RecordingFilter filter;
  run.report->QRPrinter()->ExportHandler(&filter);
  // Per record: the yellow fill, its line, the white label's line.
  ASSERT_EQ(filter.Graphics.size(), 6u);
  for (const RecordingFilter::Graphic& g : filter.Graphics)
    EXPECT_EQ(g.ClassName, "TMetafile");
  long double left = coloured->Size()->NativeValue(TQRPrintableSize::LeftIndex);
  for (int record = 0; record < 2; ++record) {
    const auto& fill = filter.Graphics[record * 3];
    const auto& line = filter.Graphics[record * 3 + 1];
    const auto& white = filter.Graphics[record * 3 + 2];
    EXPECT_EQ(fill.X, line.X);
    EXPECT_EQ(fill.Y, line.Y);
    EXPECT_GT(fill.Height, line.Height);
    EXPECT_GT(white.X, line.X);
    EXPECT_EQ(white.Y, line.Y);
    EXPECT_NEAR(static_cast<double>(white.X - line.X),
                static_cast<double>(plain->Size()->NativeValue(TQRPrintableSize::LeftIndex) - left), 0.01);
  }
  EXPECT_GT(filter.Graphics[3].Y, filter.Graphics[0].Y);
}

}  // namespace
