// The report's detail loop: records from a data set or from OnNeedData,
// the empty-data output, cancelling, progress, the lists a controller builds
// (children, groups, band order), notify clients and query parameters.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "classlib/data/dbtables.h"
#include "classlib/data/params.h"
#include "classlib/system/datetime.h"
#include "classlib/system/numconv.h"
#include "controllertesting.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/report/qrprintable.h"

using namespace controller_test;

namespace {

class Controller : public ReportRun {
protected:
  TQRController* Own() { return dynamic_cast<TQRController*>(report->Controller()); }
};

TEST_F(Controller, TheReportsControllerIsADataSetControllerOwnedByTheReport) {
  ASSERT_NE(Own(), nullptr);
  EXPECT_EQ(Own()->OwnerObject(), report);
  EXPECT_EQ(Own()->Master(), report);
  TRxMemoryData* table = Table({"CUST"}, {});
  report->SetDataSet(table);
  EXPECT_EQ(Own()->DataSet(), table);
  table->Free();
  EXPECT_EQ(Own()->DataSet(), nullptr);
}

TEST_F(Controller, OnNeedDataIsAskedBeforeTheFirstRecordAndAfterEachOne) {
  int remaining = 3;
  report->OnNeedData = TQROnNeedDataEvent([&](TObject* sender, bool& more) {
    EXPECT_EQ(sender, report);
    more = remaining-- > 0;
    log.push_back(more ? "Need(yes)" : "Need(no)");
  });
  Log(Band(rbTitle), "Title");
  Log(Band(rbDetail), "Detail");
  Log(Band(rbSummary), "Summary");

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Need(yes)", "Title", "Detail", "Need(yes)", "Detail", "Need(yes)",
                                           "Detail", "Need(no)", "Summary"}));
  EXPECT_EQ(Own()->DetailNumber(), 3);
}

TEST_F(Controller, OnNeedDataAnsweringNoAtOnceEndsTheLevelWithoutHeaderOrFooter) {
  report->OnNeedData = TQROnNeedDataEvent([&](TObject*, bool& more) { more = false; });
  Log(Band(rbTitle), "Title");
  Log(Band(rbDetail), "Detail");
  Log(Band(rbSummary), "Summary");

  Run();

  EXPECT_TRUE(log.empty()) << log.front();
}

TEST_F(Controller, AnEmptyDataSetPrintsHeaderDetailAndFooterOnceOrNothing) {
  struct Case {
    bool printIfEmpty;
    std::vector<std::string> expected;
  };
  for (const Case& c : {Case{true, {"Title", "Detail", "Summary"}}, Case{false, {}}}) {
    SCOPED_TRACE(c.printIfEmpty);
    log.clear();
    test_support::FormFixture own;
    report = new TQuickRep(own.Host());
    report->SetParent(own.Host());
    report->SetShowProgress(false);
    auto* table = new TRxMemoryData(own.Host());
    table->FieldDefs()->Add("CUST", ftString, 20);
    table->Open();
    report->SetDataSet(table);
    report->SetPrintIfEmpty(c.printIfEmpty);
    Log(Band(rbTitle), "Title");
    Log(Band(rbDetail), "Detail");
    Log(Band(rbSummary), "Summary");

    Run();

    EXPECT_EQ(log, c.expected);
  }
}

TEST_F(Controller, TheEmptyOutputRunsTheChildLevelsAroundTheDetailBand) {
  report->SetDataSet(Table({"CUST"}, {}));
  Log(Band(rbTitle), "Title");
  Log(Band(rbDetail), "Detail");
  Log(Band(rbSummary), "Summary");
  TQRSubDetail* before = SubDetail();
  before->SetPrintBefore(true);
  Log(before, "Before");
  Log(SubDetail(), "After");

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Title", "Before", "Detail", "After", "Summary"}));
}

TEST_F(Controller, ATitleOrFirstColumnHeaderAbsorbsTheFirstForcedPageBreak) {
  // Three details that each start a page: the first stays on the page of
  // the title or column header the loop printed (else there would be four).
  for (TQRBandType opening : {rbTitle, rbColumnHeader}) {
    SCOPED_TRACE(opening);
    test_support::FormFixture own;
    report = new TQuickRep(own.Host());
    report->SetParent(own.Host());
    report->SetShowProgress(false);
    int left = 3;
    report->OnNeedData = TQROnNeedDataEvent([&](TObject*, bool& more) { more = left-- > 0; });
    Band(opening);
    Band(rbDetail)->SetForceNewPage(true);

    Run();

    EXPECT_EQ(Pages(), 3);
  }
}

TEST_F(Controller, AnOpeningBandThatPrintedNothingAbsorbsNoForcedPageBreak) {
  // Three details that each start a page. When no title or column header
  // went onto page 1, the first detail begins page 1 itself; the second and
  // third must still start pages of their own (three pages, not two).
  struct Case {
    const char* name;
    std::function<void(TQuickRep&)> opening;
  };
  const Case cases[] = {
      {"no title", [](TQuickRep&) {}},
      {"disabled title", [](TQuickRep& r) { r.CreateBand(rbTitle)->SetEnabled(false); }},
      {"title suppressed by BeforePrint",
       [](TQuickRep& r) {
         r.CreateBand(rbTitle)->BeforePrint = TQRBandBeforePrintEvent([](TQRCustomBand*, bool& print) { print = false; });
       }},
      {"column header suppressed by BeforePrint",
       [](TQuickRep& r) {
         r.CreateBand(rbColumnHeader)->BeforePrint =
             TQRBandBeforePrintEvent([](TQRCustomBand*, bool& print) { print = false; });
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FormFixture own;
    report = new TQuickRep(own.Host());
    report->SetParent(own.Host());
    report->SetShowProgress(false);
    int left = 3;
    report->OnNeedData = TQROnNeedDataEvent([&](TObject*, bool& more) { more = left-- > 0; });
    c.opening(*report);
    std::vector<int> pages;
    TQRCustomBand* detail = Band(rbDetail);
    detail->SetForceNewPage(true);
    detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { pages.push_back(report->PageCount()); });

    Run();

    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Pages(), 3);
  }
}

TEST_F(Controller, TheTitleAbsorbsOnlyABreakBeforeTheFirstDetailNeverALaterOne) {
  // A title, three details without breaks and a summary that asks for a
  // page of its own: the summary's break comes long after the title and
  // must start page 2.
  report->OnNeedData = TQROnNeedDataEvent([left = 3](TObject*, bool& more) mutable { more = left-- > 0; });
  Band(rbTitle);
  Band(rbDetail);
  TQRCustomBand* summary = Band(rbSummary);
  summary->SetForceNewPage(true);
  int summaryPage = 0;
  summary->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) { summaryPage = report->PageCount(); });

  Run();

  EXPECT_EQ(summaryPage, 2);
  EXPECT_EQ(Pages(), 2);
}

TEST_F(Controller, TheFooterGoesToANewPageOrColumnWhenItIsTallerThanTheRoomLeft) {
  // A summary taller than the room left after one detail moves on, even
  // when it is taller than a whole page (the band fit check alone would
  // print such a band where it stands); with no page begun yet the summary
  // starts page 1.
  struct Case {
    const char* name;
    bool detail;
    int columns;
    long double summaryHeight;  // mm
    std::pair<int, int> where;  // page, column of the summary
    int pages;
  };
  const Case cases[] = {
      {"no page begun", false, 1, 20, {1, 1}, 1},
      {"taller than the room left, one column", true, 1, 290, {2, 1}, 2},
      {"taller than the room left, two columns", true, 2, 290, {1, 2}, 1},
      {"fits below the detail", true, 1, 20, {1, 1}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FormFixture own;
    report = new TQuickRep(own.Host());
    report->SetParent(own.Host());
    report->SetShowProgress(false);
    report->Page()->SetColumns(c.columns);
    report->OnNeedData = TQROnNeedDataEvent([left = 1](TObject*, bool& more) mutable { more = left-- > 0; });
    if (c.detail)
      Band(rbDetail)->Size()->SetHeight(20);
    TQRCustomBand* summary = Band(rbSummary);
    summary->Size()->SetHeight(c.summaryHeight);
    std::pair<int, int> where{0, 0};
    summary->AfterPrint = TQRBandAfterPrintEvent(
        [&](TQRCustomBand*, bool) { where = {report->PageCount(), report->CurrentColumn()}; });

    Run();

    EXPECT_EQ(where, c.where);
    EXPECT_EQ(Pages(), c.pages);
  }
}

TEST_F(Controller, CancelStopsBeforeTheNextRecordWithoutGroupFootersOrSummary) {
  std::vector<Row> rows(5, Row{{"CUST", "A"}});
  TRxMemoryData* table = Table({"CUST"}, rows);
  report->SetDataSet(table);
  TQRGroup* group = Group("CUST");
  group->SetFooterBand(Band(rbGroupFooter));
  Log(group->FooterBand(), "GroupFooter");
  Log(Band(rbSummary), "Summary");
  int details = 0;
  Band(rbDetail)->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) {
    log.push_back("Detail");
    if (++details == 2)
      report->QRPrinter()->Cancel();
  });

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Detail", "Detail"}));
  EXPECT_EQ(Own()->DetailNumber(), 2);
}

TEST_F(Controller, TheReportsOwnCancelMarkAlsoStopsTheLoop) {
  // The report's Cancelled makes the run abort its job at the end anyway:
  // the loop stops at once rather than lay out records nobody will get.
  std::vector<Row> rows(5, Row{{"CUST", "A"}});
  report->SetDataSet(Table({"CUST"}, rows));
  Log(Band(rbSummary), "Summary");
  int details = 0;
  Band(rbDetail)->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) {
    log.push_back("Detail");
    if (++details == 2)
      report->SetCancelled(true);
  });

  Run();

  EXPECT_EQ(log, (std::vector<std::string>{"Detail", "Detail"}));
  EXPECT_EQ(Own()->DetailNumber(), 2);
}

TEST(ControllerProgress, IsWholePercentKeptWithinZeroAndHundred) {
  struct Case {
    int number, total, percent;
  };
  const Case cases[] = {
      {1, 3, 33},  {2, 3, 66},      {3, 3, 100},     {0, 10, 0},
      {5, -1, 0},  // a data set that does not know its count
      {7, 3, 100},  // one that yields more records than it said
      {5, 0, 0},   {2000000000, 2000000000, 100},  // no overflow of number x 100
  };
  for (const Case& c : cases)
    EXPECT_EQ(QRControllerProgress(c.number, c.total), c.percent) << c.number << " of " << c.total;
}

TEST_F(Controller, ProgressOfTheReportsDataSetEndsAtHundred) {
  std::vector<Row> rows(4, Row{{"CUST", "A"}});
  report->SetDataSet(Table({"CUST"}, rows));
  Band(rbDetail);
  std::vector<int> seen;
  Band(rbSummary)->BeforePrint = TQRBandBeforePrintEvent(
      [&](TQRCustomBand*, bool&) { seen.push_back(report->QRPrinter()->Progress()); });

  Run();

  EXPECT_EQ(Own()->RecordTotal(), 4);
  EXPECT_EQ(seen, std::vector<int>{100});
}

// A window that keeps the progress values posted to it.
class ProgressWindow : public TPanel {
public:
  using TPanel::TPanel;
  std::vector<int> values;

protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == QRM_PROGRESS)
      values.push_back(static_cast<int>(Message.WParam));
    TPanel::WndProc(Message);
  }
};

TEST_F(Controller, ProgressIsPostedOnlyWhenTheWholePercentChanges) {
  std::vector<Row> rows(1000, Row{{"CUST", "A"}});
  report->SetDataSet(Table({"CUST"}, rows));
  Band(rbDetail)->Size()->SetHeight(0);
  auto* window = new ProgressWindow(form.Host());
  window->SetParent(form.Host());
  window->Handle();
  Run();  // the next run's printer object takes over this one's target
  report->QRPrinter()->NotifyTarget = window;
  test_support::Pump();
  window->values.clear();

  Run();
  test_support::Pump();
  report->QRPrinter()->NotifyTarget = nullptr;

  ASSERT_FALSE(window->values.empty());
  EXPECT_LE(window->values.size(), 101u);
  EXPECT_EQ(window->values.back(), 100);
  EXPECT_TRUE(std::is_sorted(window->values.begin(), window->values.end()));
}

TEST_F(Controller, BuildListsTakesChildrenByPrintBeforeAndGroupsInCreationOrder) {
  TQRGroup* first = Group("1");
  TQRSubDetail* after = SubDetail();
  TQRSubDetail* before = SubDetail();
  before->SetPrintBefore(true);
  TQRGroup* second = Group("2");
  TQRGroup* elsewhere = Group("3", after);

  Own()->SetParentReport(report);
  Own()->BuildLists();

  EXPECT_EQ(Own()->GroupList(), (std::vector<TQRGroup*>{first, second}));
  EXPECT_EQ(Own()->PrintBeforeList(), (std::vector<TQRCustomController*>{before->Controller()}));
  EXPECT_EQ(Own()->PrintAfterList(), (std::vector<TQRCustomController*>{after->Controller()}));
  EXPECT_EQ(after->Controller()->GroupList(), (std::vector<TQRGroup*>{elsewhere}));
  EXPECT_EQ(after->Controller()->ParentReport(), report);
}

TEST_F(Controller, RegisterBandsListsEachLevelInPrintingOrder) {
  TQRCustomBand* title = Band(rbTitle);
  TQRCustomBand* detail = Band(rbDetail);
  TQRCustomBand* summary = Band(rbSummary);
  TQRGroup* outer = Group("1");
  TQRGroup* inner = Group("2");
  TQRCustomBand* outerFooter = Band(rbGroupFooter);
  TQRCustomBand* innerFooter = Band(rbGroupFooter);
  outer->SetFooterBand(outerFooter);
  inner->SetFooterBand(innerFooter);
  TQRSubDetail* before = SubDetail();
  before->SetPrintBefore(true);
  TQRSubDetail* after = SubDetail();
  after->Bands()->SetHasHeader(true);
  after->Bands()->SetHasFooter(true);

  report->LinkControllerBands();
  Own()->SetParentReport(report);
  Own()->BuildLists();
  TQRBandOrder order;
  Own()->RegisterBands(order);

  EXPECT_EQ(order.Bands(),
            (std::vector<TQRCustomBand*>{title, outer, inner, before, detail, after->HeaderBand(), after,
                                         after->FooterBand(), innerFooter, outerFooter, summary}));
}

TEST_F(Controller, ABandOrderTakesEachBandOnceWithItsChildren) {
  TQRCustomBand* detail = Band(rbDetail);
  detail->SetHasChild(true);
  TQRCustomBand* child = detail->ChildBand();
  ASSERT_NE(child, nullptr);
  TQRBandOrder order;
  order.Add(detail);
  order.Add(nullptr);
  order.Add(child);
  order.Add(detail);
  EXPECT_EQ(order.Bands(), (std::vector<TQRCustomBand*>{detail, child}));
}

// A printable that counts what its controller tells it.
class CountingClient : public TQRPrintable {
public:
  using TQRPrintable::TQRPrintable;
  void Notify(TObject* sender, int operation) override {
    if (operation == QRNotifyRecordAdvanced)
      senders.push_back(sender);
  }
  std::vector<TObject*> senders;
};

TEST_F(Controller, NotifyClientsTellsEveryClientInOrderAndPrepareClearsTheList) {
  test_support::Owned<CountingClient> a(new CountingClient(nullptr));
  test_support::Owned<CountingClient> b(new CountingClient(nullptr));
  Own()->AddNotifyClient(a.get());
  Own()->AddNotifyClient(report);  // no printable: not a client
  Own()->AddNotifyClient(b.get());
  Own()->NotifyClients(QRNotifyRecordAdvanced);
  EXPECT_EQ(a->senders, std::vector<TObject*>{Own()});
  EXPECT_EQ(b->senders, std::vector<TObject*>{Own()});
  EXPECT_EQ(Own()->NotifyList().size(), 2u);
  Own()->SetParentReport(report);
  Own()->Prepare();
  EXPECT_TRUE(Own()->NotifyList().empty());
}

TEST_F(Controller, TheDetailBandCountsItsControllersClientsOncePerRecord) {
  std::vector<Row> rows(3, Row{{"CUST", "A"}});
  report->SetDataSet(Table({"CUST"}, rows));
  TQRCustomBand* detail = Band(rbDetail);
  auto* client = new CountingClient(form.Host());
  // Clients register while the run prepares its printables.
  detail->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) {
    if (Own()->NotifyList().empty())
      Own()->AddNotifyClient(client);
  });

  Run();

  EXPECT_EQ(detail->NotifyController(), Own());
  EXPECT_EQ(client->senders.size(), 3u);
}

TEST(QueryParams, TakeResultsOfTheirKindAndKeepTheirValueOtherwise) {
  struct Case {
    TFieldType type;
    TQREvValue value;
    const char* expected;
  };
  const Case cases[] = {
      {ftString, TQREvValue::String("Ali"), "Ali"},
      {ftString, TQREvValue::Integer(5), "keep"},
      {ftInteger, TQREvValue::Integer(42), "42"},
      {ftSmallint, TQREvValue::Integer(7), "7"},
      {ftWord, TQREvValue::Integer(9), "9"},
      {ftInteger, TQREvValue::Float(4.5), "keep"},
      {ftBoolean, TQREvValue::Boolean(true), "True"},
      {ftFloat, TQREvValue::Float(2.5), "2.5"},
      {ftCurrency, TQREvValue::Float(3.25), "3.25"},
      {ftFloat, TQREvValue::Integer(2), "keep"},
      {ftDate, TQREvValue::Integer(2), "keep"},
      {ftInteger, TQREvValue::Error("x"), "keep"},
  };
  for (const Case& c : cases) {
    TParams params;
    TParam* param = params.CreateParam(c.type, "P", ptInput);
    param->SetAsString("keep");
    QRAssignQueryParam(*param, c.value);
    // Numbers are compared in the locale's own text.
    std::string expected = c.expected;
    if ((c.type == ftFloat || c.type == ftCurrency) && expected != "keep")
      expected = FloatToStr(std::stod(expected));
    EXPECT_EQ(param->AsString(), expected) << EvValueText(c.value);
  }
}

TEST(QueryParams, DatesComeFromStringsThroughTheSystemsConversions) {
  TParams params;
  TParam* date = params.CreateParam(ftDate, "D", ptInput);
  QRAssignQueryParam(*date, TQREvValue::String(DateToStr(EncodeDate(2026, 12, 11))));
  EXPECT_EQ(date->AsDateTime(), EncodeDate(2026, 12, 11));
  TParam* bad = params.CreateParam(ftDateTime, "T", ptInput);
  EXPECT_THROW(QRAssignQueryParam(*bad, TQREvValue::String("yarın")), Exception);
}

TEST_F(Controller, AQueryWithAParameterNamedInFunctionsIsRefreshedBeforeTheFirstRecord) {
  TRxMemoryData* host = Table({"CUST"}, {{{"CUST", "A"}}, {{"CUST", "B"}}});
  auto* query = new TQuery(form.Host());
  query->SetHostData(host);
  auto* sql = new TStringList;
  sql->Add("select * from CUSTOMERS where CUST = :custname");
  query->SetSQL(sql);
  sql->Free();
  ASSERT_EQ(query->ParamCount(), 1);
  query->ParamByName("custname")->SetDataType(ftString);
  query->Open();
  report->SetDataSet(query);
  report->Functions()->AddVariable("CUSTNAME", "'Veli'");
  std::vector<bool> activeAtDetail;
  Band(rbDetail)->BeforePrint =
      TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) { activeAtDetail.push_back(query->Active()); });

  Run();

  EXPECT_TRUE(Own()->UpdateSQLParams());
  EXPECT_EQ(query->ParamByName("custname")->AsString(), "Veli");
  EXPECT_EQ(activeAtDetail, (std::vector<bool>{true, true}));
}

TEST_F(Controller, AQueryWithoutSuchParametersIsLeftAlone) {
  TRxMemoryData* host = Table({"CUST"}, {{{"CUST", "A"}}});
  auto* query = new TQuery(form.Host());
  query->SetHostData(host);
  auto* sql = new TStringList;
  sql->Add("select * from CUSTOMERS where CUST = :other");
  query->SetSQL(sql);
  sql->Free();
  query->ParamByName("other")->SetDataType(ftString);
  query->ParamByName("other")->SetAsString("x");
  query->Open();
  report->SetDataSet(query);
  Band(rbDetail);

  Run();

  EXPECT_FALSE(Own()->UpdateSQLParams());
  EXPECT_EQ(query->ParamByName("other")->AsString(), "x");
}

TEST_F(Controller, MasterTakesOnlyAReportAControllerOrAControllerBand) {
  test_support::Owned<TQRController> child(new TQRController(nullptr));
  child->SetMaster(Band(rbDetail));
  EXPECT_EQ(child->Master(), nullptr);
  child->SetMaster(child.get());
  EXPECT_EQ(child->Master(), nullptr);
  child->SetMaster(Own());
  EXPECT_EQ(child->Master(), Own());
  TQRSubDetail* sub = SubDetail();
  child->SetMaster(sub);
  EXPECT_EQ(child->Master(), sub);
  sub->Free();
  EXPECT_EQ(child->Master(), nullptr);
}

// Makes the controller's once-per-record message handling callable.
class PumpingController : public TQRController {
public:
  using TQRController::TQRController;
  void HandleWaitingMessages() { ProcessPendingMessages(); }
};

TEST(ControllerMessages, AreHandledOnlyOnTheGuiThreadNeverOnAWorker) {
  constexpr UINT probe = WM_APP + 77;
  test_support::Owned<PumpingController> controller(new PumpingController(nullptr));
  std::vector<DWORD> handledOn;
  TMessageEvent saved = Application->OnMessage;
  Application->OnMessage = TMessageEvent([&](MSG& msg, bool& handled) {
    if (msg.message == probe) {
      handledOn.push_back(GetCurrentThreadId());
      handled = true;
    }
  });
  // A worker with a message of its own waiting: a loop running there (a
  // preview's pages) must leave the message loop alone.
  std::thread worker([&] {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its queue
    PostThreadMessageW(GetCurrentThreadId(), probe, 0, 0);
    controller->HandleWaitingMessages();
    PeekMessageW(&msg, nullptr, probe, probe, PM_REMOVE);
  });
  worker.join();
  EXPECT_TRUE(handledOn.empty());

  PostThreadMessageW(GetCurrentThreadId(), probe, 0, 0);
  controller->HandleWaitingMessages();
  Application->OnMessage = saved;
  EXPECT_EQ(handledOn, std::vector<DWORD>{GetCurrentThreadId()});
}

}  // namespace
