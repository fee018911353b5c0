// The text report control base: character and pixel bounds, print-time
// bounds, the parent rules, alignment in the parent, the print flag and the
// character frame.
#include <gtest/gtest.h>

#include "tests/support/formfixture.h"
#include "tests/textreport/output/zrtestreport.h"
#include "textreport/core/zrconst.h"
#include "textreport/engine/zrcontrol.h"

namespace {

using namespace test_support;

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

  zr_test::TestReport report;
  std::unique_ptr<TZRPrinter> document;
  bool fixedCell = true;
  std::vector<std::pair<TZRStructureNotice, TZReportControl*>> notices;

protected:
  void StructureNotice(TZRStructureNotice code, TZReportControl* sender) override { notices.push_back({code, sender}); }
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
  std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const EZRError& e) {
      return e.Message;
    }
    return "(no error)";
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
