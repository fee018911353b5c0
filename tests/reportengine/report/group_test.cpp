// Groups inside the report's record loop: headers where the value of the
// expression changes, footers while the last record of the group is current,
// nested groups breaking together, headers repeated on a new page, and the
// comparison of values.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/classes/lists.h"
#include "controllertesting.h"
#include "reportengine/evaluator/qrevvalue.h"

using namespace controller_test;

namespace {

class Groups : public ReportRun {};

TEST_F(Groups, BreakWhereTheCustomerChangesAndCloseOnTheLastRecordOfEach) {
  TRxMemoryData* table = Table({"CUST"}, {{{"CUST", "A"}}, {{"CUST", "A"}}, {{"CUST", "B"}}});
  report->SetDataSet(table);
  auto cust = [table] { return Value(table, "CUST"); };
  TQRGroup* group = Group("CUST");
  TQRCustomBand* footer = Band(rbGroupFooter);
  group->SetFooterBand(footer);
  Log(group, "GroupHeader", cust);
  Log(Band(rbDetail), "Detail", cust);
  Log(footer, "GroupFooter", cust);

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"GroupHeader(A)", "Detail(A)", "Detail(A)", "GroupFooter(A)",
                                           "GroupHeader(B)", "Detail(B)", "GroupFooter(B)"}));
  EXPECT_FALSE(group->InGroup());
}

TEST_F(Groups, AnInnerGroupClosesAndReopensWhenTheOuterOneChangesEvenWithTheSameValue) {
  TRxMemoryData* table = Table({"COUNTRY", "CITY"}, {{{"COUNTRY", "X"}, {"CITY", "Bursa"}},
                                                     {{"COUNTRY", "X"}, {"CITY", "Bursa"}},
                                                     {{"COUNTRY", "Y"}, {"CITY", "Bursa"}}});
  report->SetDataSet(table);
  auto country = [table] { return Value(table, "COUNTRY"); };
  auto city = [table] { return Value(table, "CITY"); };
  TQRGroup* outer = Group("COUNTRY");
  TQRGroup* inner = Group("CITY");
  outer->SetFooterBand(Band(rbGroupFooter));
  inner->SetFooterBand(Band(rbGroupFooter));
  Log(outer, "OuterHeader", country);
  Log(inner, "InnerHeader", city);
  Log(Band(rbDetail), "Detail", country);
  Log(inner->FooterBand(), "InnerFooter", city);
  Log(outer->FooterBand(), "OuterFooter", country);

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{
                     "OuterHeader(X)", "InnerHeader(Bursa)", "Detail(X)", "Detail(X)", "InnerFooter(Bursa)",
                     "OuterFooter(X)", "OuterHeader(Y)", "InnerHeader(Bursa)", "Detail(Y)", "InnerFooter(Bursa)",
                     "OuterFooter(Y)"}));
}

TEST_F(Groups, AChangeSeenAfterTheLastRecordPrintsTheFooterWithTheLastRecordStillCurrent) {
  // The group's value changes on the last record itself (the record is
  // edited while it prints), so the check after the last record sees a
  // change. Past the end the last record is still the current one: the
  // footer must not step back to the record before it.
  TRxMemoryData* table = Table({"CUST", "NAME"}, {{{"CUST", "A"}, {"NAME", "1"}},
                                                  {{"CUST", "A"}, {"NAME", "2"}},
                                                  {{"CUST", "B"}, {"NAME", "3"}}});
  report->SetDataSet(table);
  auto name = [table] { return Value(table, "NAME"); };
  TQRGroup* group = Group("CUST");
  group->SetFooterBand(Band(rbGroupFooter));
  Log(group->FooterBand(), "GroupFooter", name);
  TQRCustomBand* detail = Band(rbDetail);
  Log(detail, "Detail", name);
  detail->AfterPrint = TQRBandAfterPrintEvent([table](TQRCustomBand*, bool) {
    if (Value(table, "NAME") == "3") {
      table->Edit();
      table->FieldByName("CUST")->SetAsString("C");
      table->Post();
    }
  });

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Detail(1)", "Detail(2)", "GroupFooter(2)", "Detail(3)", "GroupFooter(3)"}));
  EXPECT_FALSE(group->InGroup());
}

TEST_F(Groups, AnExpressionThatFailsBreaksOnlyOnTheFirstRecordAndTheRunGoesOn) {
  TRxMemoryData* table = Table({"CUST"}, {{{"CUST", "A"}}, {{"CUST", "B"}}, {{"CUST", "C"}}});
  report->SetDataSet(table);
  // INT of a float beyond the integer range is an error value, never an
  // exception that ends the run.
  TQRGroup* group = Group("INT(1E300)");
  group->SetFooterBand(Band(rbGroupFooter));
  Log(group, "GroupHeader");
  Log(Band(rbDetail), "Detail");
  Log(group->FooterBand(), "GroupFooter");

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"GroupHeader", "Detail", "Detail", "Detail", "GroupFooter"}));
  EXPECT_EQ(group->LastValue().ValueKind, evError);
  EXPECT_EQ(Pages(), 1);
}

TEST_F(Groups, AnOpenGroupRepeatsItsHeaderBelowTheColumnHeaderOfTheNextPage) {
  std::vector<Row> rows(80, Row{{"CUST", "A"}});
  report->SetDataSet(Table({"CUST"}, rows));
  TQRGroup* group = Group("CUST");
  group->SetReprintOnNewPage(true);
  auto page = [this] { return std::to_string(report->PageCount()); };
  LogAfter(Band(rbColumnHeader), "ColumnHeader", page);
  LogAfter(group, "GroupHeader", page);
  TQRCustomBand* detail = Band(rbDetail);
  detail->Size()->SetHeight(detail->Size()->Height() * 2);
  LogAfter(detail, "Detail", page);

  Run();

  ASSERT_GE(Pages(), 2);
  std::vector<std::string> headers;
  std::copy_if(log.begin(), log.end(), std::back_inserter(headers),
               [](const std::string& entry) { return entry.find("Header") != std::string::npos; });
  std::vector<std::string> expected;
  for (int p = 1; p <= Pages(); ++p) {
    expected.push_back("ColumnHeader(" + std::to_string(p) + ")");
    expected.push_back("GroupHeader(" + std::to_string(p) + ")");
  }
  EXPECT_EQ(headers, expected);
  // The repeated header stands right before the first detail of its page.
  auto second = std::find(log.begin(), log.end(), "GroupHeader(2)");
  ASSERT_NE(second, log.end());
  EXPECT_EQ(*(second - 1), "ColumnHeader(2)");
  EXPECT_EQ(*(second + 1), "Detail(2)");
}

TEST_F(Groups, AnOuterGroupRepeatingOnANewPageTakesTheInnerGroupAlongButNotTheOtherWayRound) {
  struct Case {
    const char* name;
    bool outerRepeats, innerRepeats;
    std::vector<std::string> laterPage;  // headers on every page after the first
  };
  const Case cases[] = {
      {"outer repeats", true, false, {"Outer", "Inner"}},
      {"inner repeats", false, true, {"Inner"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.clear();
    test_support::FormFixture own;
    report = new TQuickRep(own.Host());
    report->SetParent(own.Host());
    report->SetShowProgress(false);
    std::vector<Row> rows(80, Row{{"COUNTRY", "X"}, {"CITY", "Bursa"}});
    report->SetDataSet(Table({"COUNTRY", "CITY"}, rows));
    // Groups are found among the components of the report's form.
    auto group = [&](const char* expression) {
      auto* g = new TQRGroup(own.Host());
      g->SetParent(report);
      g->SetExpression(expression);
      return g;
    };
    TQRGroup* outer = group("COUNTRY");
    TQRGroup* inner = group("CITY");
    outer->SetReprintOnNewPage(c.outerRepeats);
    inner->SetReprintOnNewPage(c.innerRepeats);
    outer->SetFooterBand(Band(rbGroupFooter));
    inner->SetFooterBand(Band(rbGroupFooter));
    auto page = [this] { return std::to_string(report->PageCount()); };
    LogAfter(outer, "Outer", page);
    LogAfter(inner, "Inner", page);
    LogAfter(outer->FooterBand(), "OuterFooter", page);
    LogAfter(inner->FooterBand(), "InnerFooter", page);
    TQRCustomBand* detail = Band(rbDetail);
    detail->Size()->SetHeight(detail->Size()->Height() * 2);

    Run();

    ASSERT_GE(Pages(), 2);
    std::vector<std::string> expected{"Outer(1)", "Inner(1)"};
    for (int p = 2; p <= Pages(); ++p)
      for (const std::string& header : c.laterPage)
        expected.push_back(header + "(" + std::to_string(p) + ")");
    // Each group closes once, inner first, on the last page.
    std::string last = std::to_string(Pages());
    expected.push_back("InnerFooter(" + last + ")");
    expected.push_back("OuterFooter(" + last + ")");
    EXPECT_EQ(log, expected);
  }
}

TEST_F(Groups, WithoutReprintOnNewPageTheHeaderPrintsOnce) {
  std::vector<Row> rows(80, Row{{"CUST", "A"}});
  report->SetDataSet(Table({"CUST"}, rows));
  TQRGroup* group = Group("CUST");
  Log(group, "GroupHeader");
  TQRCustomBand* detail = Band(rbDetail);
  detail->Size()->SetHeight(detail->Size()->Height() * 2);

  Run();

  ASSERT_GE(Pages(), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "GroupHeader"), 1);
}

TEST_F(Groups, AFooterBandDeletedDirectlyLeavesTheBandOrderAndTheNextRun) {
  std::vector<Row> rows(2, Row{{"CUST", "A"}});
  report->SetDataSet(Table({"CUST"}, rows));
  TQRGroup* group = Group("CUST");
  TQRCustomBand* footer = Band(rbGroupFooter);
  group->SetFooterBand(footer);
  Log(Band(rbDetail), "Detail");
  Log(group, "GroupHeader");

  delete footer;  // without Free, so the band is not marked as going

  EXPECT_EQ(group->FooterBand(), nullptr);
  for (int i = 0; i < report->BandList()->Count(); ++i)
    EXPECT_NE(report->BandList()->Items(i), footer);
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"GroupHeader", "Detail", "Detail"}));
}

TEST(GroupValues, ChangeByKindAndValueAndNeverOnAnError) {
  struct Case {
    TQREvValue last, current;
    bool changed;
  };
  const Case cases[] = {
      {TQREvValue::Integer(1), TQREvValue::Integer(1), false},
      {TQREvValue::Integer(1), TQREvValue::Integer(2), true},
      {TQREvValue::Integer(1), TQREvValue::Float(1), true},  // another kind
      {TQREvValue::Float(1.5), TQREvValue::Float(1.5), false},
      {TQREvValue::Float(1.5), TQREvValue::Float(1.25), true},
      {TQREvValue::String("ab"), TQREvValue::String("ab"), false},
      {TQREvValue::String("ab"), TQREvValue::String("AB"), true},  // byte for byte
      {TQREvValue::String("ab"), TQREvValue::String("ab "), true},  // length counts
      {TQREvValue::Boolean(true), TQREvValue::Boolean(true), false},
      {TQREvValue::Boolean(true), TQREvValue::Boolean(false), true},
      {TQREvValue::Error("x"), TQREvValue::Error("y"), false},
      {TQREvValue::String("a"), TQREvValue::Error("a"), true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(QRGroupValueChanged(c.last, c.current), c.changed)
        << EvKindName(c.last.ValueKind) << " " << EvValueText(c.last) << " -> " << EvKindName(c.current.ValueKind)
        << " " << EvValueText(c.current);
}

TEST_F(Groups, MasterIsOnlyAReportOrAControllerBandAndAFooterBecomesAGroupFooter) {
  TQRGroup* group = Group("CUST");
  EXPECT_EQ(group->Master(), report);  // placed on the report without one
  TQRCustomBand* plain = Band(rbDetail);
  group->SetMaster(plain);
  EXPECT_EQ(group->Master(), report);
  TQRSubDetail* sub = SubDetail();
  group->SetMaster(sub);
  EXPECT_EQ(group->Master(), sub);

  TQRCustomBand* footer = Band(rbSummary);
  group->SetFooterBand(footer);
  EXPECT_EQ(footer->BandType(), rbGroupFooter);
  footer->Free();
  EXPECT_EQ(group->FooterBand(), nullptr);
  sub->Free();
  EXPECT_EQ(group->Master(), nullptr);
}

}  // namespace
