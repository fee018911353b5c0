// The expression printable: its caption between runs, the text of each
// kind of value through its mask (money masks safe), an empty expression,
// and aggregation over the printed detail records of a report run with and
// without ResetAfterPrint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/system/formatsettings.h"
#include "reportengine/evaluator/qrexpr.h"
#include "reportengine/evaluator/qrevvalue.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/report/qrcontroller.h"
#include "reportengine/report/qrsubdetail.h"
#include "tests/reportengine/printables/label_runfixture.h"
#include "tests/reportengine/printables/shape_pagefixture.h"

using namespace printables_test;

namespace {

TEST(QRExpr, ShowsItsExpressionOrNoneInBrackets) {
  test_support::Owned<TQRExpr> expr(new TQRExpr(nullptr));
  EXPECT_EQ(expr->Caption(), "(none)");
  expr->SetExpression("SUM(TUTAR)");
  EXPECT_EQ(expr->Caption(), "SUM(TUTAR)");
  expr->SetMask("0.00");
  EXPECT_EQ(expr->Caption(), "SUM(TUTAR)");
  expr->SetExpression("");
  EXPECT_EQ(expr->Caption(), "(none)");
  EXPECT_NE(expr->ExprEvaluator(), nullptr);
}

TEST(QRExpr, ValuesPrintThroughTheMaskByTheirKind) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  const AnsiString invalid = "' invalid or incompatible with argument";
  struct Case {
    const char* what;
    TQREvValue value;
    AnsiString mask;
    AnsiString text;
  } cases[] = {
      {"integer", TQREvValue::Integer(1234), "#,##0", "1.234"},
      {"integer without mask", TQREvValue::Integer(-5), "", "-5"},
      {"float", TQREvValue::Float(12.5), "0.00", "12,50"},
      {"float without mask", TQREvValue::Float(0.25), "", "0,25"},
      {"money", TQREvValue::Float(12.5), "%m", "12,50 TL"},
      {"money in a text", TQREvValue::Float(1234.5), "Tutar: %m", "Tutar: 1.234,50 TL"},
      {"money with a percent sign", TQREvValue::Float(3), "%m %%", "3,00 TL %"},
      {"money and a second specifier", TQREvValue::Float(12.5), "%m %s", "Format '%m %s" + invalid},
      {"another specifier before money", TQREvValue::Float(12.5), "%d%m", "Format '%d%m" + invalid},
      {"money twice", TQREvValue::Float(12.5), "%m%m", "Format '%m%m" + invalid},
      {"an integer ignores a money mask's specifier", TQREvValue::Integer(7), "0", "7"},
      {"string", TQREvValue::String("Şeker"), "0.00", "Şeker"},
      {"boolean", TQREvValue::Boolean(true), "", "True"},
      {"false", TQREvValue::Boolean(false), "", "False"},
      {"error", TQREvValue::Error("Unknown function : FOO"), "", "Unknown function : FOO"},
  };
  for (const Case& c : cases) {
    test_support::Owned<TQRExpr> expr(new TQRExpr(nullptr));
    expr->SetMask(c.mask);
    AnsiString text;
    EXPECT_NO_THROW(text = expr->ValueText(c.value)) << c.what;
    EXPECT_EQ(text, c.text) << c.what;
  }
}

// The texts a run printed, all pages together.
std::vector<std::string> AllTexts(const std::vector<std::vector<std::string>>& pages) {
  std::vector<std::string> texts;
  for (const auto& page : pages)
    texts.insert(texts.end(), page.begin(), page.end());
  return texts;
}

class ExprRun : public ::testing::Test {
protected:
  void SetUp() override {
    run.table->FieldDefs()->Add("TUTAR", ftInteger);
    run.Open();
    for (int amount : {10, 20, 30}) {
      run.table->Append();
      run.table->FieldByName("TUTAR")->SetAsInteger(amount);
      run.table->Post();
    }
  }
  ReportRun run;
};

TEST_F(ExprRun, ASumOnTheDetailBandIsARunningTotalOrPerRecordWithResetAfterPrint) {
  struct Case {
    bool reset;
    std::vector<std::string> texts;
  } cases[] = {{false, {"10", "30", "60"}}, {true, {"10", "20", "30"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reset);
    auto* expr = run.Add<TQRExpr>(run.detail, 10, 5, 200, 20);
    expr->SetExpression("SUM(TUTAR)");
    expr->SetResetAfterPrint(c.reset);
    EXPECT_EQ(AllTexts(run.Run()), c.texts);
    EXPECT_EQ(expr->Caption(), "SUM(TUTAR)");
    expr->Free();
  }
}

// Counts the notices it hears.
class CountingExpr : public TQRExpr {
public:
  explicit CountingExpr(TComponent* owner) : TQRExpr(owner) {}
  void Notify(TObject* Sender, int Operation) override {
    TQRExpr::Notify(Sender, Operation);
    if (Operation == QRNotifyRecordAdvanced)
      ++notices;
  }
  int notices = 0;
};

TEST_F(ExprRun, AnExpressionHearsEachPrintedDetailAndLeavesTheNotifyListWithTheRun) {
  auto* expr = run.Add<CountingExpr>(run.detail, 10, 5, 200, 20);
  expr->SetExpression("SUM(TUTAR)");
  run.Run();
  EXPECT_EQ(expr->notices, 3);
  run.report->Controller()->NotifyClients(QRNotifyRecordAdvanced);
  EXPECT_EQ(expr->notices, 3);
}

TEST_F(ExprRun, ASumInTheSummaryCountsEveryPrintedDetail) {
  run.report->Bands()->SetHasSummary(true);
  auto* detail = run.Add<TQRExpr>(run.detail, 10, 5, 200, 20);
  detail->SetExpression("TUTAR");
  auto* total = run.Add<TQRExpr>(run.report->Bands()->SummaryBand(), 10, 5, 200, 20);
  total->SetExpression("SUM(TUTAR)");
  total->SetMask("#,##0.00");
  FormatSettingsScope turkish(TurkishFormatSettings());
  EXPECT_EQ(AllTexts(run.Run()), (std::vector<std::string>{"10", "20", "30", "60,00"}));
}

TEST(QRExprOnPage, AnEmptyExpressionPrintsOneSpace) {
  PageFixture page;
  auto* expr = page.Add<TQRExpr>(100, 100, 400, 60);
  AnsiString printed = "<not printed>";
  expr->OnPrint = [&](TObject*, AnsiString& value) { printed = value; };
  page.PrintPage(*expr);
  EXPECT_EQ(printed, " ");
  EXPECT_EQ(expr->Caption(), "(none)");
}

TEST(QRExprOnPage, AnExpressionErrorPrintsItsMessageInsteadOfStoppingThePrint) {
  PageFixture page;
  auto* expr = page.Add<TQRExpr>(100, 100, 400, 60);
  expr->SetExpression("1 + 2.5");
  expr->SetMask("%m %s");
  AnsiString printed;
  expr->OnPrint = [&](TObject*, AnsiString& value) { printed = value; };
  EXPECT_NO_THROW(page.PrintPage(*expr));
  EXPECT_EQ(printed, "Format '%m %s' invalid or incompatible with argument");
}

}  // namespace

namespace {

// An expression whose Master is a sub-detail counts the sub-detail's
// printed records; without a Master it counts the report's details.
TEST(QRExprRun, AMasterSubDetailMakesTheAggregateCountItsRecords) {
  ReportRun run;
  run.table->FieldDefs()->Add("NO", ftInteger);
  run.Open();
  for (int i = 1; i <= 3; ++i) {
    run.table->Append();
    run.table->FieldByName("NO")->SetAsInteger(i);
    run.table->Post();
  }
  auto* lines = new TRxMemoryData(run.form.Host());
  lines->FieldDefs()->Add("ADET", ftInteger);
  lines->Open();
  for (int amount : {1, 2}) {
    lines->Append();
    lines->FieldByName("ADET")->SetAsInteger(amount);
    lines->Post();
  }
  auto* sub = new TQRSubDetail(run.form.Host());
  sub->SetParent(run.report);
  sub->SetMaster(run.report);
  sub->SetDataSet(lines);
  run.report->Bands()->SetHasSummary(true);
  TQRCustomBand* summary = run.report->Bands()->SummaryBand();
  auto* perLine = run.Add<TQRExpr>(summary, 10, 5, 200, 20);
  perLine->SetExpression("SUM(ADET)");
  perLine->SetMaster(sub);
  auto* perRecord = run.Add<TQRExpr>(summary, 250, 5, 200, 20);
  perRecord->SetExpression("COUNT");
  std::vector<std::string> texts = AllTexts(run.Run());
  EXPECT_EQ(texts, (std::vector<std::string>{"9", "3"}));
}

}  // namespace
