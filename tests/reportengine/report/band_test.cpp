// Bands: their kinds and names, defaults and streamed properties, the
// report's band switches, child bands, links with their circle refusal
// (also from a layout's text), height with links, growth, the design
// layout on the report, and a page footer's child printing as a footer.
#include <gtest/gtest.h>

#include <string>

#include "classlib/classes/lists.h"
#include "classlib/forms/scripteddialogs.h"
#include "quickreptesting.h"
#include "reportengine/report/qrreportreg.h"
#include "tests/support/componenttext.h"

using namespace quickrep_test;

namespace {

TEST(QRBandNames, EveryKindHasItsDisplayNameAndStem) {
  struct Case {
    TQRBandType kind;
    const char* display;
    const char* stem;
  };
  const Case cases[] = {
      {rbTitle, "Title", "TitleBand"},
      {rbPageHeader, "Page Header", "PageHeaderBand"},
      {rbDetail, "Detail", "DetailBand"},
      {rbPageFooter, "Page Footer", "PageFooterBand"},
      {rbSummary, "Summary", "SummaryBand"},
      {rbGroupHeader, "Group Header", "GroupHeaderBand"},
      {rbGroupFooter, "Group Footer", "GroupFooterBand"},
      {rbSubDetail, "Sub Detail", "SubDetailBand"},
      {rbColumnHeader, "Column Header", "ColumnHeaderBand"},
      {rbOverlay, "Overlay", "OverlayBand"},
      {rbChild, "Child", "ChildBand"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QRBandTypeName(c.kind), c.display);
    EXPECT_EQ(QRBandNameStem(c.kind), c.stem);
  }
  EXPECT_EQ(QRBandTypeName(static_cast<TQRBandType>(11)), "");
}

class Bands : public ReportPage {};

TEST_F(Bands, ABandStartsEnabledWhiteFortyPixelsHighWithItsDefaultsUnwritten) {
  TQRCustomBand* band = report->CreateBand(rbDetail);
  EXPECT_TRUE(band->Enabled());
  EXPECT_EQ(band->Color(), clWhite);
  EXPECT_EQ(band->Height(), 40);
  EXPECT_EQ(band->LoadedHeight(), 40);
  EXPECT_FALSE(band->HasChild());
  EXPECT_EQ(band->LinkBand(), nullptr);
  for (const char* name : {"AfterPrint", "AlignToBottom", "BeforePrint", "Color", "Enabled", "TransparentBand",
                           "Font", "ParentFont", "ForceNewColumn", "ForceNewPage", "HasChild", "LinkBand", "Size",
                           "PreCaluculateBandHeight", "KeepOnOnePage", "Frame", "BandType"})
    EXPECT_TRUE(IsPublishedProp(band, name)) << name;
  std::string text = test_support::ComponentText(band);
  for (const char* unwritten : {"Enabled", "HasChild", "ForceNewPage", "KeepOnOnePage", "AlignToBottom", "Color"})
    EXPECT_EQ(text.find(std::string("\n  ") + unwritten + " ="), std::string::npos) << unwritten << "\n" << text;
  EXPECT_NE(text.find("BandType = rbDetail"), std::string::npos);
  band->SetForceNewPage(true);
  band->SetPreCaluculateBandHeight(true);
  text = test_support::ComponentText(band);
  EXPECT_NE(text.find("ForceNewPage = True"), std::string::npos);
  EXPECT_NE(text.find("PreCaluculateBandHeight = True"), std::string::npos);
}

TEST_F(Bands, NewBandsAreNamedAfterTheirKindWithTheFirstFreeNumber) {
  EXPECT_EQ(report->CreateBand(rbDetail)->Name(), "DetailBand1");
  EXPECT_EQ(report->CreateBand(rbDetail)->Name(), "DetailBand2");
  EXPECT_EQ(report->CreateBand(rbColumnHeader)->Name(), "ColumnHeaderBand1");
}

TEST_F(Bands, SwitchesMakeAndFreeBandsAndIndexFiveNamesNone) {
  TQuickRepBands* switches = report->Bands();
  EXPECT_FALSE(switches->HasTitle());
  switches->SetHasTitle(true);
  switches->SetHasDetail(true);
  ASSERT_TRUE(switches->HasTitle());
  EXPECT_EQ(switches->TitleBand()->BandType(), rbTitle);
  EXPECT_EQ(switches->BandOf(4), switches->DetailBand());
  EXPECT_FALSE(switches->HasBand(5));
  EXPECT_EQ(switches->BandOf(5), nullptr);
  switches->SetHasTitle(false);
  EXPECT_FALSE(switches->HasTitle());
  EXPECT_EQ(report->BandList()->Count(), 1);
  EXPECT_EQ(test_support::ComponentText(report).find("HasDetail"), std::string::npos) << "switches are not stored";
}

TEST_F(Bands, HasChildMakesAChildAndFreeingItHandsOnTheGrandchild) {
  TQRCustomBand* band = report->CreateBand(rbDetail);
  band->SetHasChild(true);
  auto* child = dynamic_cast<TQRChildBand*>(band->ChildBand());
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->ParentBand(), band);
  EXPECT_EQ(child->Parent(), report);
  child->SetHasChild(true);
  auto* grandChild = dynamic_cast<TQRChildBand*>(child->ChildBand());
  ASSERT_NE(grandChild, nullptr);
  band->SetHasChild(false);
  EXPECT_EQ(band->ChildBand(), grandChild);
  EXPECT_EQ(grandChild->ParentBand(), band);
  EXPECT_EQ(report->BandList()->Count(), 2);
}

TEST_F(Bands, CircularLinksAreRefusedWithAMessageOnlyAtDesignTime) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TQRCustomBand* a = report->CreateBand(rbDetail);
  TQRCustomBand* b = report->CreateBand(rbSummary);
  TQRCustomBand* c = report->CreateBand(rbTitle);
  a->SetLinkBand(b);
  b->SetLinkBand(c);
  c->SetLinkBand(a);
  EXPECT_EQ(c->LinkBand(), nullptr);
  a->SetLinkBand(a);
  EXPECT_EQ(a->LinkBand(), b);
  EXPECT_TRUE(dialogs.Records().empty()) << "silent at run time";

  a->SetHasChild(true);
  auto* child = dynamic_cast<TQRChildBand*>(a->ChildBand());
  ASSERT_NE(child, nullptr);
  child->SetHasChild(true);
  auto* grandChild = dynamic_cast<TQRChildBand*>(child->ChildBand());
  child->SetParentBand(grandChild);
  EXPECT_EQ(child->ParentBand(), a);

  c->SetDesigning(true, false);
  dialogs.AnswerButton(mrOk);
  c->SetLinkBand(a);
  EXPECT_EQ(c->LinkBand(), nullptr);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Circular linking not allowed");
}

// A layout whose bands link and hang from each other in circles.
const char* const kCircularLayout = R"(object Rapor: TQuickRep
  object BandA: TQRBand
    LinkBand = BandB
    BandType = rbDetail
  end
  object BandB: TQRBand
    LinkBand = BandA
    BandType = rbSummary
  end
  object ChildA: TQRChildBand
    ParentBand = ChildB
  end
  object ChildB: TQRChildBand
    ParentBand = ChildA
  end
end
)";

TEST(QRBandLayout, CirclesFromALayoutAreRefusedAndTheRunEnds) {
  RegisterQuickRepClasses();
  test_support::FormFixture form;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  auto* report = new TQuickRep(form.Host());
  report->SetParent(form.Host());
  report->SetShowProgress(false);
  test_support::ReadComponentText(kCircularLayout, report);
  auto* a = dynamic_cast<TQRCustomBand*>(report->FindComponent("BandA"));
  auto* b = dynamic_cast<TQRCustomBand*>(report->FindComponent("BandB"));
  auto* childA = dynamic_cast<TQRChildBand*>(report->FindComponent("ChildA"));
  auto* childB = dynamic_cast<TQRChildBand*>(report->FindComponent("ChildB"));
  ASSERT_TRUE(a && b && childA && childB);
  EXPECT_FALSE(a->LinkBand() == b && b->LinkBand() == a);
  EXPECT_FALSE(childA->ParentBand() == childB && childB->ParentBand() == childA);
  EXPECT_EQ(report->BandList()->Count(), 4);
  int records = 3;
  report->OnNeedData = TQROnNeedDataEvent([&](TObject*, bool& more) { more = records-- > 0; });
  int details = 0;
  a->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { ++details; });
  report->Prepare();
  EXPECT_EQ(details, 3);
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(Bands, HeightWithLinksAddsTheLinkedBandsAndTheirPixels) {
  report->SetUnits(Native);
  TQRCustomBand* a = report->CreateBand(rbDetail);
  TQRCustomBand* b = report->CreateBand(rbSummary);
  a->Size()->SetHeight(100);
  b->Size()->SetHeight(200);
  EXPECT_EQ(a->HeightWithLinks(true), 100);
  a->SetLinkBand(b);
  EXPECT_EQ(a->HeightWithLinks(false), 100);
  EXPECT_EQ(a->HeightWithLinks(true), 100 + 200 + b->Height());
}

TEST_F(Bands, ExpandBandGrowsOnlyWhileThereIsRoom) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  struct Step {
    bool hasExpanded;
    long double amount;
    bool result;
    long double newExpanded;
    long double expandedAfter;
  };
  std::vector<std::string> failures;
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand* band, bool) {
    // Printed at the top of page 1's body: 2870 - 300 = 2570 left below it.
    band->SetExpanded(0);
    const Step steps[] = {
        {false, 50, false, 50, 50},     // grows
        {false, 30, true, 50, 50},      // another printable already grew further
        {true, 30, false, 80, 80},      // grows on
        {false, 5000, false, -1, 80},   // no room: nothing changes
    };
    for (const Step& s : steps) {
      long double newExpanded = -1;
      bool has = s.hasExpanded;
      bool result = band->ExpandBand(newExpanded, has, s.amount);
      if (result != s.result || newExpanded != s.newExpanded || band->Expanded() != s.expandedAfter)
        failures.push_back(std::to_string(static_cast<double>(s.amount)));
    }
    band->SetExpanded(0);
  });
  Records(1);
  report->Prepare();
  EXPECT_TRUE(failures.empty()) << failures.front();
}

TEST_F(Bands, TheDesignLayoutStacksBandsAtPageAndColumnWidths) {
  report->SetUnits(Pixels);
  report->Page()->SetColumns(2);
  report->Page()->SetColumnSpace(10);
  TQRCustomBand* detail = report->CreateBand(rbDetail);
  TQRCustomBand* header = report->CreateBand(rbPageHeader);
  TQRCustomBand* title = report->CreateBand(rbTitle);
  report->Bands()->SetHasTitle(true);
  int left = static_cast<int>(report->Page()->LeftMargin() + 0.5L);
  int top = static_cast<int>(report->Page()->TopMargin() + 0.5L);
  int pageWidth = report->Width() - static_cast<int>(report->Page()->LeftMargin() + report->Page()->RightMargin() + 0.5L);
  // Order: page header, title, detail.
  EXPECT_EQ(report->BandList()->IndexOf(header), 0);
  EXPECT_EQ(report->BandList()->IndexOf(title), 1);
  EXPECT_EQ(report->BandList()->IndexOf(detail), 2);
  EXPECT_EQ(header->Top(), top);
  EXPECT_EQ(title->Top(), top + header->Height());
  EXPECT_EQ(detail->Top(), title->Top() + title->Height());
  for (TQRCustomBand* band : {header, title, detail})
    EXPECT_EQ(band->Left(), left);
  EXPECT_EQ(header->Width(), pageWidth);
  EXPECT_EQ(detail->Width(), (pageWidth - 10) / 2);
  // Only the height is the user's.
  detail->SetBounds(5, 0, 20, 70);
  EXPECT_EQ(detail->Height(), 70);
  EXPECT_EQ(detail->Left(), left);
  EXPECT_EQ(detail->Width(), (pageWidth - 10) / 2);
  EXPECT_EQ(detail->Top(), title->Top() + title->Height());
}

TEST_F(Bands, APageFootersChildPrintsAsAPageFooter) {
  TQRCustomBand* footer = Band(rbPageFooter, 10, "PF");
  Band(rbDetail, 20, "D");
  footer->SetHasChild(true);
  TQRCustomBand* child = footer->ChildBand();
  ASSERT_NE(child, nullptr);
  child->Size()->SetHeight(15);
  std::vector<TQRBandType> kinds;
  child->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand* band, bool&) { kinds.push_back(band->BandType()); });
  int footerY = -1;
  child->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { footerY = report->CurrentY(); });
  Records(1);
  report->Prepare();
  EXPECT_EQ(kinds, (std::vector<TQRBandType>{rbPageFooter}));
  EXPECT_EQ(child->BandType(), rbChild);
  // Footer and child fill the space above the bottom margin exactly.
  EXPECT_EQ(footerY, 2970 - 100);
}

TEST_F(Bands, ADisabledBandPrintsNothingAndABeforePrintCanSkipOne) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  Band(rbSummary, 20, "S");
  Records(3);
  int calls = 0;
  detail->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool& print) { print = ++calls != 2; });
  report->Prepare();
  EXPECT_EQ(ByPage()[1], (std::vector<std::string>{"D", "D", "S"}));
  printedBands.clear();
  Records(3);
  detail->BeforePrint = nullptr;
  detail->SetEnabled(false);
  report->Prepare();
  EXPECT_EQ(ByPage()[1], (std::vector<std::string>{"S"}));
}

TEST_F(Bands, AStoredHeightIsKeptWhenTheLayoutHasNoSizeValues) {
  RegisterQuickRepClasses();
  test_support::Owned<TQRBand> band(new TQRBand(nullptr));
  test_support::ReadComponentText("object B: TQRBand\n  Height = 75\n  BandType = rbDetail\nend\n", band.get());
  EXPECT_EQ(band->LoadedHeight(), 75);
  EXPECT_EQ(band->Height(), 75);
}

}  // namespace

namespace {

// A printable whose data needs 567 pixels.
class Stretchy : public TQRPrintable {
public:
  using TQRPrintable::TQRPrintable;
  bool StretchesWithData() override { return stretches; }
  void MeasureHeight(int& height) override { height = 567; }
  bool stretches = true;
};

TEST_F(Bands, TheHeightPreCalculationMeasuresStretchingPrintablesOnly) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  auto* stretchy = new Stretchy(form.Host());
  stretchy->SetParent(detail);
  stretchy->SetBounds(0, 10, 50, 20);
  report->SetUnits(Native);
  long double bandPixels = detail->Height();
  // Bottom of the measured data, plus the band's space below the control.
  long double wanted = (10 + 567) / 0.37795L + (bandPixels - 10 - 20 + 1) / 0.37795L;
  EXPECT_NEAR(static_cast<double>(detail->PreCalculateHeight()), static_cast<double>(wanted), 1e-6);
  stretchy->stretches = false;
  EXPECT_EQ(detail->PreCalculateHeight(), detail->Size()->Height());
}

TEST_F(Bands, KeepOnOnePageStartsANewPageWhenTheMeasuredBandWouldNotFit) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  auto* stretchy = new Stretchy(form.Host());
  stretchy->SetParent(detail);
  stretchy->SetBounds(0, 10, 50, 20);
  detail->SetKeepOnOnePage(true);
  std::vector<std::string> tooLow;
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand* band, bool) {
    int top = report->CurrentY() - 200;
    if (top + band->PreCalculateHeight() > 2970 - 100)
      tooLow.push_back(std::to_string(top));
    printedBands.push_back({"D", report->PageCount(), 1, 0, report->CurrentY()});
  });
  Records(10);
  report->Prepare();
  EXPECT_TRUE(tooLow.empty()) << tooLow.front();
  EXPECT_EQ(Pages(), 2) << "ten 20 mm details alone fit on one page";
  EXPECT_EQ(printedBands.size(), 10u);
}

}  // namespace

namespace {

// An expression client on the report: it joins the controller's notify list
// when the run prepares it and counts the steps it is told to take.
class CountingClient : public TQRPrintable {
public:
  explicit CountingClient(TComponent* owner) : TQRPrintable(owner) {}
  void Prepare() override {
    TQRPrintable::Prepare();
    if (auto* report = dynamic_cast<TCustomQuickRep*>(Parent()))
      report->AddNotifyClient(this);
  }
  void Notify(TObject* sender, int operation) override {
    TQRPrintable::Notify(sender, operation);
    if (operation == 0)
      ++steps;
  }
  int steps = 0;
};

// A disabled detail band prints nothing but its records still count; a
// detail that BeforePrint declines does not count.
TEST_F(Bands, ADisabledDetailStillCountsItsRecordsAndADeclinedOneDoesNot) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  auto* client = new CountingClient(form.Host());
  client->SetParent(report);
  struct Case {
    bool enabled;
    bool declineSecond;
    int printed;
    int counted;
  };
  for (const Case& c : {Case{true, false, 3, 3}, Case{false, false, 0, 3}, Case{true, true, 2, 2}}) {
    detail->SetEnabled(c.enabled);
    int calls = 0;
    detail->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool& print) {
      if (++calls == 2 && c.declineSecond)
        print = false;
    });
    printedBands.clear();
    client->steps = 0;
    Records(3);
    report->Prepare();
    EXPECT_EQ(static_cast<int>(printedBands.size()), c.printed) << "enabled " << c.enabled;
    EXPECT_EQ(client->steps, c.counted) << "enabled " << c.enabled << ", declined " << c.declineSecond;
  }
}

}  // namespace
