// The text report control base: character and pixel bounds, print-time
// bounds, the parent rules, alignment in the parent, the print flag and the
// character frame.
#include <gtest/gtest.h>

#include "tests/support/componenttext.h"
#include "tests/support/formfixture.h"
#include "tests/textreport/output/zrtestreport.h"
#include "textreport/core/zrconst.h"
#include "textreport/engine/zrcontrol.h"

namespace {

using namespace test_support;
using zr_test::ErrorOf;

// A report stand-in: its own report, a controller, with a document of its
// size and a fixed 8 x 16 character cell.
class TestReportControl : public TZReportControl {
public:
  explicit TestReportControl(TComponent* owner) : TZReportControl(owner), report(40, 10) {
    MakeOwnReport();
    document = std::make_unique<TZRPrinter>(&report);
  }
  bool IsReport() const override { return true; }
  bool IsController() const override { return true; }
  TZRPrinter* Document() const override { return document.get(); }
  TZRCharMetrics MeasureCharCell() const override { return fixedCell ? TZRCharMetrics{8, 16} : TZReportControl::MeasureCharCell(); }
  bool IsMinimized() const override { return minimized; }

  zr_test::TestReport report;
  std::unique_ptr<TZRPrinter> document;
  bool fixedCell = true;
  bool minimized = false;
  std::pair<int, int> restoreSize{0, 0};
  std::vector<std::pair<TZRStructureNotice, TZReportControl*>> notices;

protected:
  void StructureNotice(TZRStructureNotice code, TZReportControl* sender) override { notices.push_back({code, sender}); }
  void KeepRestoreSize(int width, int height) override { restoreSize = {width, height}; }
};

class TestBand : public TZReportControl {
public:
  using TZReportControl::TZReportControl;
  bool IsBand() const override { return true; }
};

class ZRControlTest : public testing::Test {
protected:
  ZRControlTest() {
    report = new TestReportControl(form.Host());
    report->SetParent(form.Host());
    band = new TestBand(form.Host());
    band->SetParent(report);
    band->SetWidth(40);
    band->SetHeight(5);
    label = new TZReportControl(form.Host());
    label->SetParent(band);
  }
  // The page lines of a document written by Print.
  std::vector<AnsiString> Lines() {
    std::vector<AnsiString> lines;
    for (int i = 0; i < report->document->Pages(0).Lines().Count(); ++i)
      lines.push_back(report->document->Pages(0).Lines().Strings(i));
    return lines;
  }

  FormFixture form;
  TestReportControl* report = nullptr;
  TestBand* band = nullptr;
  TZReportControl* label = nullptr;
};

TEST_F(ZRControlTest, CharacterBoundsMakeThePixelBounds) {
  label->SetLeft(3);
  label->SetTop(1);
  label->SetWidth(10);
  label->SetHeight(2);
  EXPECT_EQ(label->TControl::Left(), 24);
  EXPECT_EQ(label->TControl::Top(), 16);
  EXPECT_EQ(label->TControl::Width(), 81);
  EXPECT_EQ(label->TControl::Height(), 33);
  // Pixels from the design surface become characters.
  label->SetBounds(40, 32, 161, 17);
  EXPECT_EQ(label->Left(), 5);
  EXPECT_EQ(label->Top(), 2);
  EXPECT_EQ(label->Width(), 20);
  EXPECT_EQ(label->Height(), 1);
  EXPECT_EQ(label->GetCharBounds(4), 24);
  EXPECT_EQ(label->GetCharBounds(5), 2);
  // Without a report window the cell is 7 x 14.
  TZReportControl loose(nullptr);
  EXPECT_EQ(loose.GetCharMetrics().Width, 7);
  EXPECT_EQ(loose.GetCharMetrics().Height, 14);
}

// Layout files carry the bounds in characters, every one of them, and read
// them back as such whatever the character cell.
TEST_F(ZRControlTest, BoundsAreStreamedInCharacters) {
  label->SetName("Label1");
  label->SetLeft(3);
  label->SetWidth(10);
  const std::string text = ComponentText(label);
  for (const char* line : {"Left = 3\r\n", "Top = 0\r\n", "Width = 10\r\n", "Height = 1\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  auto* copy = new TZReportControl(form.Host());
  copy->SetParent(band);
  std::string renamed = text;
  renamed.replace(renamed.find("Label1"), 6, "Label2");
  ReadComponentText(renamed, copy);
  EXPECT_EQ(copy->Left(), 3);
  EXPECT_EQ(copy->Width(), 10);
  EXPECT_EQ(copy->TControl::Left(), 24);
}

TEST_F(ZRControlTest, SizesAreAtLeastOneAtDesignTimeAndZeroWhilePrinting) {
  label->SetWidth(0);
  EXPECT_EQ(label->Width(), 1);
  label->SetHeight(-3);
  EXPECT_EQ(label->Height(), 1);
  label->Prepare();
  label->FormatContent();
  label->SetWidth(0);
  EXPECT_EQ(label->Width(), 0);
  label->SetLeft(7);
  label->Unprepare();
  EXPECT_EQ(label->Width(), 1);
  EXPECT_EQ(label->Left(), 0);  // the design bounds never saw the print-time change
}

TEST_F(ZRControlTest, ParentRules) {
  EXPECT_EQ(ErrorOf([&] { label->SetParent(report); }),
            "A component of class TZReportControl can only belong to report bands");
  EXPECT_EQ(label->ParentControl(), band);
  auto* other = new TZReportControl(form.Host());
  EXPECT_EQ(ErrorOf([&] { other->SetParent(form.Host()); }),
            "A component of class TZReportControl can only belong to report or report bands");
  EXPECT_EQ(other->Report(), nullptr);
  EXPECT_EQ(label->Report(), report);
  EXPECT_EQ(band->Report(), report);
  // A renamed control tells its report.
  report->notices.clear();
  label->SetName("Label1");
  ASSERT_EQ(report->notices.size(), 1u);
  EXPECT_EQ(report->notices[0].first, zsnRenamed);
  EXPECT_EQ(report->notices[0].second, label);
}

// The report's window is its page in cells; minimized it is a 32 x 32
// picture, and a size set meanwhile is kept for the restore.
TEST_F(ZRControlTest, TheReportsPixelBounds) {
  report->SetWidth(40);
  report->SetHeight(10);
  EXPECT_EQ(report->TControl::Width(), 321);
  EXPECT_EQ(report->TControl::Height(), 161);
  report->minimized = true;
  report->SetWidth(50);
  EXPECT_EQ(report->TControl::Width(), 32);
  EXPECT_EQ(report->TControl::Height(), 32);
  EXPECT_EQ(report->restoreSize, std::make_pair(50, 10));
  // Pixels from the design surface move it but do not size it.
  report->SetBounds(5, 6, 500, 500);
  EXPECT_EQ(report->Width(), 50);
  report->minimized = false;
  report->SetBounds(5, 6, 161, 33);
  EXPECT_EQ(report->Width(), 20);
  EXPECT_EQ(report->Height(), 2);
  EXPECT_EQ(report->TControl::Left(), 5);
}

// Without a fixed cell the report measures its font: its average width and
// line height once it has a window, 7 x 14 before.
TEST_F(ZRControlTest, TheCellIsTheReportFontsAverageWidthAndHeight) {
  auto* loose = new TestReportControl(form.Host());
  loose->fixedCell = false;
  EXPECT_EQ(loose->GetCharMetrics().Width, 7);
  EXPECT_EQ(loose->GetCharMetrics().Height, 14);
  label->SetLeft(2);
  label->SetWidth(3);
  report->fixedCell = false;
  report->Font()->SetName("Courier New");
  report->Font()->SetSize(20);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, report->Font()->Handle());
  TEXTMETRICW text{};
  GetTextMetricsW(screen, &text);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  ASSERT_GT(text.tmAveCharWidth, 7);
  EXPECT_EQ(report->GetCharMetrics().Width, text.tmAveCharWidth);
  EXPECT_EQ(report->GetCharMetrics().Height, text.tmHeight);
  // A new report font lays the labels out again on the new cell.
  EXPECT_EQ(label->TControl::Left(), 2 * text.tmAveCharWidth);
  EXPECT_EQ(label->TControl::Width(), 3 * text.tmAveCharWidth + 1);
}

// Every control of the report takes the report's font; its own styles show
// where a screen font can show them.
TEST_F(ZRControlTest, ControlsTakeTheReportsFontWithTheirStyles) {
  label->SetFontStyles(TZRFontStyles{zfsBold, zfsUnderline, zfsSuperScript});
  report->Font()->SetName("Courier New");
  report->Font()->SetSize(14);
  report->Font()->SetStyle(TFontStyles{fsItalic});
  EXPECT_EQ(label->Font()->Size(), 14);
  EXPECT_EQ(label->Canvas()->Font().Size(), 14);
  EXPECT_EQ(label->Canvas()->Font().Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(band->Canvas()->Font().Style(), TFontStyles{});
  EXPECT_EQ(band->Font()->Name(), "Courier New");
  // The report's own font keeps its style.
  EXPECT_EQ(report->Font()->Style(), TFontStyles{fsItalic});
}

struct AlignCase {
  TZRAlign align;
  int left, top, width, height;
};

// A band of 40 x 5 with a frame of 1, 1, 2, 1 (client 37 x 3) and a label of
// 10 x 2 at 4, 0.
TEST_F(ZRControlTest, AlignInsideTheParentsFrame) {
  band->Frame()->SetLeft(1);
  band->Frame()->SetTop(1);
  band->Frame()->SetRight(2);
  band->Frame()->SetBottom(1);
  const AlignCase cases[] = {
      {zalNone, 4, 0, 10, 2},   {zalTop, 1, 1, 37, 2},    {zalBottom, 1, 2, 37, 2}, {zalWidth, 1, 0, 37, 2},
      {zalLeft, 1, 1, 10, 3},   {zalRight, 28, 1, 10, 3}, {zalHeight, 4, 1, 10, 3},
  };
  for (const AlignCase& c : cases) {
    auto* control = new TZReportControl(form.Host());
    control->SetParent(band);
    control->SetLeft(4);
    control->SetWidth(10);
    control->SetHeight(2);
    control->SetAlign(c.align);
    EXPECT_EQ(control->Left(), c.left) << c.align;
    EXPECT_EQ(control->Top(), c.top) << c.align;
    EXPECT_EQ(control->Width(), c.width) << c.align;
    EXPECT_EQ(control->Height(), c.height) << c.align;
  }
}

// While printing, alignment works on the print-time bounds.
TEST_F(ZRControlTest, AlignWhilePrintingLeavesTheDesignAlone) {
  label->SetWidth(10);
  label->Prepare();
  label->ApplyPixelBounds();
  EXPECT_EQ(label->Width(), 10);
  label->SetAlign(zalRight);
  EXPECT_EQ(label->Left(), 30);
  label->Unprepare();
  EXPECT_EQ(label->Left(), 0);
}

TEST_F(ZRControlTest, AlignInTheParent) {
  label->SetWidth(10);
  label->SetAlign(zalRight);
  EXPECT_EQ(label->Left(), 30);
  band->Frame()->SetLeft(1);
  band->Frame()->SetRight(2);
  label->SetAlign(zalTop);
  EXPECT_EQ(label->Left(), 1);
  EXPECT_EQ(label->Width(), 37);
  EXPECT_EQ(label->Top(), 0);
  label->SetHeight(2);
  label->SetAlign(zalBottom);
  EXPECT_EQ(label->Top(), 3);
}

TEST_F(ZRControlTest, ThePrintFlagFollowsEnabledVisibleAndBeforePrint) {
  label->SetVisible(false);
  label->DoBeforePrint();
  EXPECT_FALSE(label->PrintFlag());
  label->BeforePrint = [](TObject*, bool&) {};
  label->DoBeforePrint();
  EXPECT_TRUE(label->PrintFlag());
  label->BeforePrint = [](TObject*, bool& doPrint) { doPrint = false; };
  label->DoBeforePrint();
  EXPECT_FALSE(label->PrintFlag());
  label->SetEnabled(false);
  label->BeforePrint = [](TObject*, bool&) {};
  label->DoBeforePrint();
  EXPECT_FALSE(label->PrintFlag());
  label->SetEnabled(true);
  label->BeforePrint = [](TObject*, bool&) { throw Exception("handler failed"); };
  EXPECT_THROW(label->DoBeforePrint(), Exception);
  EXPECT_FALSE(label->PrintFlag());
}

struct FrameCase {
  const char* name;
  int left, top, right, bottom;  // the sides
  int x, width, height;          // the label in a band of 40 x 5
  std::vector<const char*> lines;
};

// Frames of labels printed at the top of a page; a label is cut to its band.
// AfterPrint follows a pass that printed, and never on a design surface,
// where BeforePrint is not asked either.
TEST_F(ZRControlTest, AfterPrintFollowsAPrintedPassOnly) {
  int afterPrints = 0, beforePrints = 0;
  label->AfterPrint = [&](TObject* sender) {
    EXPECT_EQ(sender, label);
    ++afterPrints;
  };
  label->BeforePrint = [&](TObject*, bool& doPrint) {
    ++beforePrints;
    doPrint = beforePrints == 1;
  };
  label->DoBeforePrint();
  label->DoAfterPrint();
  EXPECT_EQ(afterPrints, 1);
  label->DoBeforePrint();
  label->DoAfterPrint();
  EXPECT_EQ(afterPrints, 1);
  label->SetDesigning(true);
  label->SetVisible(true);
  label->DoBeforePrint();
  EXPECT_TRUE(label->PrintFlag());
  label->DoAfterPrint();
  EXPECT_EQ(beforePrints, 2);
  EXPECT_EQ(afterPrints, 1);
}

// The structure notice is the window message WM_USER + 100 with the code in
// WParam and the control in LParam.
TEST_F(ZRControlTest, StructureNoticesAreWindowMessages) {
  report->notices.clear();
  report->Perform(1124, 3, reinterpret_cast<LPARAM>(band));
  ASSERT_EQ(report->notices.size(), 1u);
  EXPECT_EQ(report->notices[0].first, zsnBandsReordered);
  EXPECT_EQ(report->notices[0].second, band);
}

TEST_F(ZRControlTest, FramesOfEachShape) {
  const FrameCase cases[] = {
      {"all four sides", 1, 1, 1, 1, 0, 5, 3, {"+---+", "|   |", "+---+", ""}},
      {"top and bottom", 0, 1, 0, 1, 0, 5, 3, {"-----", "", "-----", ""}},
      {"left and right", 1, 0, 1, 0, 0, 5, 2, {"|   |", "|   |", ""}},
      {"cut at the band's right", 1, 1, 1, 1, 37, 5, 3, {"                                     +--", "                                     |", "                                     +--"}},
      {"cut at the band's bottom", 1, 1, 1, 1, 0, 5, 7, {"+---+", "|   |", "|   |", "|   |", "|   |", "", ""}},
  };
  for (const FrameCase& c : cases) {
    auto document = std::make_unique<TZRPrinter>(&report->report);
    document->BeginDoc();
    document->NewPage();
    std::swap(report->document, document);
    auto* control = new TZReportControl(form.Host());
    control->SetParent(band);
    control->SetLeft(c.x);
    control->SetWidth(c.width);
    control->SetHeight(c.height);
    control->Frame()->SetLeft(c.left);
    control->Frame()->SetTop(c.top);
    control->Frame()->SetRight(c.right);
    control->Frame()->SetBottom(c.bottom);
    control->Print(0, 0);
    for (size_t i = 0; i < c.lines.size(); ++i)
      EXPECT_EQ(Lines()[i], c.lines[i]) << c.name << ", line " << i;
    std::swap(report->document, document);
  }
}

TEST_F(ZRControlTest, FramesAreDrawnWithCharacters) {
  report->document->BeginDoc();
  report->document->NewPage();
  label->SetLeft(2);
  label->SetTop(1);
  label->SetWidth(5);
  label->SetHeight(3);
  for (auto side : {&TZRFrame::SetLeft, &TZRFrame::SetTop, &TZRFrame::SetRight, &TZRFrame::SetBottom})
    (label->Frame()->*side)(1);
  label->Print(0, 0);
  EXPECT_EQ(Lines()[1], "  +---+");
  EXPECT_EQ(Lines()[2], "  |   |");
  EXPECT_EQ(Lines()[3], "  +---+");
  // Cut by the band's bottom: no bottom line, and the sides stop at the band.
  label->SetTop(3);
  label->SetHeight(4);
  label->Print(0, 5);
  EXPECT_EQ(Lines()[8], "  +---+");
  EXPECT_EQ(Lines()[9], "  |   |");
}

}  // namespace
