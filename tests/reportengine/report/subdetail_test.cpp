// Sub-details: a second record loop over a table of its own for every
// record of the master, before or after the master's detail band, with its
// own header and footer; the empty-data rules; refused cycles of masters;
// the band switches and the properties kept in the band's controller.
#include <gtest/gtest.h>

#include "classlib/data/dataset.h"
#include "classlib/forms/scripteddialogs.h"
#include "controllertesting.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/report/qrreportreg.h"
#include "tests/support/componenttext.h"

using namespace controller_test;

namespace {

class SubDetails : public ReportRun {
protected:
  // Orders 1, 2 and 3; items a and b of order 1 and c of order 3. The items
  // table shows the items of the current order.
  void MasterDetail() {
    orders = Table({"ID"}, {{{"ID", "1"}}, {{"ID", "2"}}, {{"ID", "3"}}});
    items = Table({"ORDERID", "NAME"}, {{{"ORDERID", "1"}, {"NAME", "a"}},
                                         {{"ORDERID", "1"}, {"NAME", "b"}},
                                         {{"ORDERID", "3"}, {"NAME", "c"}}});
    items->SetFiltered(true);
    auto follow = [this](TDataSet*) { items->SetFilter(("ORDERID = '" + Value(orders, "ID") + "'").c_str()); };
    follow(orders);
    orders->AfterScroll = TDataSetNotifyEvent(follow);
    report->SetDataSet(orders);
    Log(Band(rbDetail), "Order", [this] { return Value(orders, "ID"); });
    sub = SubDetail();
    sub->SetDataSet(items);
    sub->Bands()->SetHasHeader(true);
    sub->Bands()->SetHasFooter(true);
    Log(sub->HeaderBand(), "ItemsHeader");
    Log(sub, "Item", [this] { return Value(items, "NAME"); });
    Log(sub->FooterBand(), "ItemsFooter");
  }

  TRxMemoryData* orders = nullptr;
  TRxMemoryData* items = nullptr;
  TQRSubDetail* sub = nullptr;
};

TEST_F(SubDetails, PrintTheirRecordsAfterEachMasterRecord) {
  MasterDetail();
  sub->SetPrintIfEmpty(false);

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Order(1)", "ItemsHeader", "Item(a)", "Item(b)", "ItemsFooter",
                                           "Order(2)", "Order(3)", "ItemsHeader", "Item(c)", "ItemsFooter"}));
}

TEST_F(SubDetails, WithPrintBeforeTheirRecordsComeBeforeTheMasterRecord) {
  MasterDetail();
  sub->SetPrintBefore(true);
  sub->SetPrintIfEmpty(false);

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"ItemsHeader", "Item(a)", "Item(b)", "ItemsFooter", "Order(1)",
                                           "Order(2)", "ItemsHeader", "Item(c)", "ItemsFooter", "Order(3)"}));
}

TEST_F(SubDetails, AnEmptySetPrintsHeaderBandAndFooterOnceWhenPrintIfEmpty) {
  MasterDetail();
  ASSERT_TRUE(sub->PrintIfEmpty());

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Order(1)", "ItemsHeader", "Item(a)", "Item(b)", "ItemsFooter",
                                           "Order(2)", "ItemsHeader", "Item()", "ItemsFooter", "Order(3)",
                                           "ItemsHeader", "Item(c)", "ItemsFooter"}));
}

TEST_F(SubDetails, CountTheirRecordsAfreshForEveryMasterRecord) {
  MasterDetail();
  sub->SetPrintIfEmpty(false);
  std::vector<int> numbers;
  sub->AfterPrint = TQRBandAfterPrintEvent(
      [&](TQRCustomBand*, bool) { numbers.push_back(sub->Controller()->DetailNumber()); });

  Run();

  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 1}));
}

TEST_F(SubDetails, GroupOnASubDetailBreaksInsideItsLoop) {
  MasterDetail();
  sub->SetPrintIfEmpty(false);
  TQRGroup* group = Group("NAME", sub);
  Log(group, "ItemGroup", [this] { return Value(items, "NAME"); });

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Order(1)", "ItemsHeader", "ItemGroup(a)", "Item(a)", "ItemGroup(b)",
                                           "Item(b)", "ItemsFooter", "Order(2)", "Order(3)", "ItemsHeader",
                                           "ItemGroup(c)", "Item(c)", "ItemsFooter"}));
}

TEST_F(SubDetails, OnNeedDataFeedsASubDetailWithoutDataSetWithTheBandAsSender) {
  report->OnNeedData = TQROnNeedDataEvent([left = 2](TObject*, bool& more) mutable { more = left-- > 0; });
  Log(Band(rbDetail), "Order");
  sub = SubDetail();
  Log(sub, "Item");
  std::vector<TObject*> senders;
  int perOrder = 0;
  sub->SetOnNeedData(TQROnNeedDataEvent([&](TObject* sender, bool& more) {
    senders.push_back(sender);
    more = perOrder++ % 2 == 0;  // one item per order
  }));

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Order", "Item", "Order", "Item"}));
  EXPECT_EQ(senders, (std::vector<TObject*>(4, sub)));
}

TEST_F(SubDetails, ACycleOfMastersIsRefusedSilentlyAtRunTimeAndWithAMessageAtDesignTime) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TQRSubDetail* first = SubDetail();
  TQRSubDetail* second = SubDetail(first);
  TQRSubDetail* third = SubDetail(second);
  ASSERT_EQ(second->Master(), first);
  ASSERT_EQ(third->Master(), second);

  first->SetMaster(third);  // third -> second -> first
  EXPECT_EQ(first->Master(), report);
  EXPECT_EQ(first->Controller()->Master(), report);
  first->SetMaster(second);
  EXPECT_EQ(first->Master(), report);
  first->SetMaster(first);
  EXPECT_EQ(first->Master(), report);
  first->SetMaster(third->Controller());  // third's controller -> second -> first
  EXPECT_EQ(first->Master(), report);
  first->SetMaster(first->Controller());  // the band's own controller stands for it
  EXPECT_EQ(first->Master(), report);
  EXPECT_TRUE(dialogs.Records().empty());

  first->SetDesigning(true, false);
  dialogs.AnswerButton(mrOk);
  first->SetMaster(third);
  EXPECT_EQ(first->Master(), report);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Circular linking not allowed");
  first->SetDesigning(false, false);

  // A run over the refused layout ends.
  Run();
  EXPECT_EQ(Pages(), 1);
}

TEST_F(SubDetails, AFreedMasterIsClearedFromBandAndController) {
  TQRSubDetail* first = SubDetail();
  TQRSubDetail* second = SubDetail(first);
  first->Free();
  EXPECT_EQ(second->Master(), nullptr);
  EXPECT_EQ(second->Controller()->Master(), nullptr);
}

TEST_F(SubDetails, PropertiesLiveInTheControllerAndBandsFollowTheSwitches) {
  sub = SubDetail();
  EXPECT_EQ(sub->BandType(), rbSubDetail);
  EXPECT_EQ(sub->Master(), report);
  EXPECT_EQ(sub->Controller()->OwnerObject(), sub);
  EXPECT_EQ(sub->Controller()->Detail(), sub);
  EXPECT_FALSE(sub->PrintBefore());
  EXPECT_TRUE(sub->PrintIfEmpty());

  TRxMemoryData* table = Table({"X"}, {});
  sub->SetDataSet(table);
  EXPECT_EQ(sub->Controller()->DataSet(), table);
  sub->SetPrintBefore(true);
  EXPECT_TRUE(sub->Controller()->PrintBefore());

  EXPECT_FALSE(sub->Bands()->HasHeader());
  sub->Bands()->SetHasHeader(true);
  ASSERT_NE(sub->HeaderBand(), nullptr);
  EXPECT_EQ(sub->HeaderBand()->BandType(), rbGroupHeader);
  EXPECT_EQ(sub->Controller()->Header(), sub->HeaderBand());
  sub->Bands()->SetHasFooter(true);
  ASSERT_NE(sub->FooterBand(), nullptr);
  EXPECT_EQ(sub->FooterBand()->BandType(), rbGroupFooter);

  sub->Bands()->SetHasHeader(false);
  EXPECT_EQ(sub->HeaderBand(), nullptr);
  sub->FooterBand()->Free();
  EXPECT_FALSE(sub->Bands()->HasFooter());
  table->Free();
  EXPECT_EQ(sub->DataSet(), nullptr);
}

// A controller band that publishes a value under its own name.
class NamedValueBand : public TQRSubDetail {
public:
  using TQRSubDetail::TQRSubDetail;
  void GetLocalExpression(AnsiString& Text) override { Text = "42"; }
};

TEST_F(SubDetails, ALocalExpressionFollowsTheBandsName) {
  auto* band = new NamedValueBand(form.Host());
  band->SetName("Items");
  band->SetParent(report);
  TQREvEnvironment* functions = report->Functions();
  EXPECT_TRUE(band->LocalVarCreated());
  EXPECT_GE(functions->IndexOf("ITEMS"), 0);
  band->SetName("Lines");
  EXPECT_LT(functions->IndexOf("ITEMS"), 0);
  EXPECT_GE(functions->IndexOf("LINES"), 0);
  band->Free();
  EXPECT_LT(functions->IndexOf("LINES"), 0);
}

TEST_F(SubDetails, TheControllerFindsTheFunctionOfItsBandsNameAndStoresAnErrorThere) {
  TQREvEnvironment* functions = report->Functions();
  functions->AddVariable("LINES", "1");
  sub = SubDetail();
  sub->SetName("Lines");
  functions->PrepareVariables();
  sub->Controller()->SetParentReport(report);
  sub->Controller()->Prepare();
  ASSERT_NE(sub->Controller()->OwnerConstant(), nullptr);
  TQREvValue value;
  functions->VariableValue("LINES", value);
  EXPECT_EQ(value.ValueKind, evInteger);

  sub->Controller()->UpdateConstant();

  functions->VariableValue("LINES", value);
  EXPECT_EQ(value.ValueKind, evError);
  sub->Controller()->Unprepare();
  functions->UnprepareVariables();
}

TEST_F(SubDetails, ABandWithoutLocalExpressionLeavesAFunctionOfItsNameAlone) {
  report->Functions()->AddVariable("ITEMS", "1");
  sub = SubDetail();
  sub->SetName("Items");
  sub->SetName("Lines");
  sub->Free();
  EXPECT_GE(report->Functions()->IndexOf("ITEMS"), 0);
}

// A layout with a sub-detail over a table of its own, its header and
// footer, and a group on the sub-detail with a footer.
const char* const kSubDetailLayout = R"(object Rapor: TQuickRep
  object Lines: TRxMemoryData
  end
  object LinesHeader: TQRBand
    BandType = rbGroupHeader
  end
  object LinesBand: TQRSubDetail
    DataSet = Lines
    HeaderBand = LinesHeader
    FooterBand = LinesFooter
    PrintBefore = True
    PrintIfEmpty = False
  end
  object LinesFooter: TQRBand
    BandType = rbGroupFooter
  end
  object NameGroup: TQRGroup
    Expression = 'NAME'
    FooterBand = NameFooter
    Master = LinesBand
    ReprintOnNewPage = True
  end
  object NameFooter: TQRBand
    BandType = rbGroupFooter
  end
end
)";

TEST_F(SubDetails, ALayoutKeepsSubDetailsAndGroupsWithTheirLinks) {
  RegisterQuickRepClasses();
  test_support::ReadComponentText(kSubDetailLayout, report);
  auto* lines = dynamic_cast<TQRSubDetail*>(report->FindComponent("LinesBand"));
  auto* group = dynamic_cast<TQRGroup*>(report->FindComponent("NameGroup"));
  ASSERT_TRUE(lines != nullptr && group != nullptr);
  EXPECT_EQ(lines->DataSet(), report->FindComponent("Lines"));
  EXPECT_EQ(lines->HeaderBand(), report->FindComponent("LinesHeader"));
  EXPECT_EQ(lines->FooterBand(), report->FindComponent("LinesFooter"));
  EXPECT_TRUE(lines->PrintBefore());
  EXPECT_FALSE(lines->PrintIfEmpty());
  EXPECT_EQ(lines->Master(), report);
  EXPECT_EQ(group->Expression(), "NAME");
  EXPECT_EQ(group->FooterBand(), report->FindComponent("NameFooter"));
  EXPECT_EQ(group->Master(), lines);
  EXPECT_TRUE(group->ReprintOnNewPage());
  EXPECT_EQ(group->BandType(), rbGroupHeader);

  // Run once: the group, owned by the report like its sub-detail, breaks
  // inside the sub-detail's loop.
  items = dynamic_cast<TRxMemoryData*>(lines->DataSet());
  items->FieldDefs()->Add("NAME", ftString, 20);
  items->Open();
  for (const char* name : {"a", "a", "b"}) {
    items->Append();
    items->FieldByName("NAME")->SetAsString(name);
    items->Post();
  }
  report->OnNeedData = TQROnNeedDataEvent([left = 1](TObject*, bool& more) mutable { more = left-- > 0; });
  Log(Band(rbDetail), "Order");
  Log(group, "NameGroup", [this] { return Value(items, "NAME"); });
  Log(lines, "Line", [this] { return Value(items, "NAME"); });
  Log(group->FooterBand(), "NameFooter", [this] { return Value(items, "NAME"); });
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"NameGroup(a)", "Line(a)", "Line(a)", "NameFooter(a)", "NameGroup(b)",
                                           "Line(b)", "NameFooter(b)", "Order"}));

  // Written again, the same links and values come back; the band switches
  // are never stored.
  std::string text = test_support::ComponentText(report);
  EXPECT_EQ(text.find("HasHeader"), std::string::npos);
  EXPECT_NE(text.find("Master = LinesBand"), std::string::npos) << text;
  test_support::FormFixture other;
  auto* copy = new TQuickRep(other.Host());
  copy->SetParent(other.Host());
  test_support::ReadComponentText(text, copy);
  auto* copiedLines = dynamic_cast<TQRSubDetail*>(copy->FindComponent("LinesBand"));
  auto* copiedGroup = dynamic_cast<TQRGroup*>(copy->FindComponent("NameGroup"));
  ASSERT_TRUE(copiedLines != nullptr && copiedGroup != nullptr);
  EXPECT_EQ(copiedLines->HeaderBand(), copy->FindComponent("LinesHeader"));
  EXPECT_EQ(copiedLines->DataSet(), copy->FindComponent("Lines"));
  EXPECT_TRUE(copiedLines->PrintBefore());
  EXPECT_FALSE(copiedLines->PrintIfEmpty());
  EXPECT_EQ(copiedGroup->Master(), copiedLines);
  EXPECT_EQ(copiedGroup->FooterBand(), copy->FindComponent("NameFooter"));
  EXPECT_EQ(copiedGroup->Expression(), "NAME");
}

// Two sub-details that name each other as master.
const char* const kMasterCircleLayout = R"(object Rapor: TQuickRep
  object First: TQRSubDetail
    Master = Second
  end
  object Second: TQRSubDetail
    Master = First
  end
end
)";

TEST_F(SubDetails, ACircleOfMastersFromALayoutIsRefusedAndTheRunEnds) {
  RegisterQuickRepClasses();
  test_support::ReadComponentText(kMasterCircleLayout, report);
  auto* first = dynamic_cast<TQRSubDetail*>(report->FindComponent("First"));
  auto* second = dynamic_cast<TQRSubDetail*>(report->FindComponent("Second"));
  ASSERT_TRUE(first != nullptr && second != nullptr);
  EXPECT_FALSE(first->Master() == second && second->Master() == first);
  EXPECT_FALSE(QRMasterChainReaches(first->Master(), first));
  EXPECT_FALSE(QRMasterChainReaches(second->Master(), second));
  int firstRecords = 0, secondRecords = 0;
  first->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { ++firstRecords; });
  second->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { ++secondRecords; });
  report->OnNeedData = TQROnNeedDataEvent([left = 2](TObject*, bool& more) mutable { more = left-- > 0; });
  Band(rbDetail);

  Run();

  // Each prints its empty output under its master's records: the one under
  // the report twice, the one under it once for each of those.
  EXPECT_EQ(firstRecords + secondRecords, 4);
  EXPECT_EQ(Pages(), 1);
}

}  // namespace
