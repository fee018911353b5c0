// Text report variables over an in-memory table: field values, aggregates
// over every kind of number, the look-ahead step back and forward, an
// aggregator over a master's variable, circular references, formatted
// texts and the design-time renaming of aggregators.
#include <gtest/gtest.h>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "tests/support/formfixture.h"
#include "textreport/core/zrconst.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace {

using namespace test_support;

class ZRVariablesTest : public testing::Test {
protected:
  ZRVariablesTest() {
    report = new TZReport(form.Host());
    report->SetName("ZReport1");
    report->SetParent(form.Host());
    table = new TRxMemoryData(form.Host());
    table->SetName("Table");
    table->FieldDefs()->Add("INT", ftInteger);
    table->FieldDefs()->Add("SMALL", ftSmallint);
    table->FieldDefs()->Add("BIG", ftLargeint);
    table->FieldDefs()->Add("FLOAT", ftFloat);
    table->FieldDefs()->Add("MONEY", ftCurrency);
    table->FieldDefs()->Add("BCD", ftBCD);
    table->FieldDefs()->Add("NAME", ftString, 10);
    table->Open();
    report->SetDataSet(table);
  }

  void AddRow(int value, const char* name) {
    table->Append();
    for (const char* field : {"INT", "SMALL", "BIG", "FLOAT", "MONEY", "BCD"})
      table->FieldByName(field)->SetAsInteger(value);
    table->FieldByName("NAME")->SetAsString(name);
    table->Post();
  }

  TZRField* Field(const char* name, const char* dataField, TZRCustomController* controller = nullptr) {
    auto* field = new TZRField(form.Host());
    field->SetName(name);
    field->AttachController(controller != nullptr ? controller : report);
    field->SetDataField(dataField);
    return field;
  }

  TZRAggregator* Aggregator(const char* name, TZRVariable* source, TZRCustomController* controller = nullptr) {
    auto* aggregator = new TZRAggregator(form.Host());
    aggregator->SetName(name);
    aggregator->AttachController(controller != nullptr ? controller : report);
    aggregator->SetVariable(source);
    return aggregator;
  }

  // Walks the table the way a controller's loop moves its variables: the
  // data start, then for every record a move to the next one, the step
  // back to print the current record (when there is a next one) and the
  // step forward again. Seen receives what each printed record shows.
  void Walk(const std::function<void()>& seen) {
    report->Prepare();
    table->First();
    report->ResetVariables();
    if (table->IsEmpty()) {
      report->Unprepare();
      return;
    }
    report->MoveVariables();
    for (;;) {
      table->Next();
      const bool more = !table->Eof();
      if (more)
        report->MoveVariables();
      if (more) {
        table->Prior();
        report->StepVariablesBack();
      }
      seen();
      if (!more)
        break;
      table->Next();
      report->StepVariablesForward();
    }
  }

  FormFixture form;
  TZReport* report = nullptr;
  TRxMemoryData* table = nullptr;
};

TEST_F(ZRVariablesTest, AggregatesOverEveryKindOfNumber) {
  AddRow(2, "a");
  AddRow(3, "b");
  AddRow(5, "c");
  for (const char* name : {"INT", "SMALL", "BIG", "FLOAT", "MONEY", "BCD"}) {
    SCOPED_TRACE(name);
    TZRAggregator* total = Aggregator("zrsTotal", Field("zrvValue", name));
    Walk([] {});
    ASSERT_EQ(total->LevelCount(), 1);
    const TZRAggregateLevel& level = total->Level(0);
    EXPECT_EQ(level.Count, 3);
    EXPECT_EQ(level.Sum.AsInteger(), 10);
    EXPECT_EQ(level.Min.AsInteger(), 2);
    EXPECT_EQ(level.Max.AsInteger(), 5);
    EXPECT_DOUBLE_EQ(total->Average(0).AsDouble(), 10.0 / 3.0);
    total->Variable()->Free();
    total->Free();
  }
}

TEST_F(ZRVariablesTest, CurrencySumsKeepTheirFourDecimals) {
  for (std::int64_t scaled : {1LL, 12345678912LL, 1000LL}) {
    table->Append();
    table->FieldByName("BCD")->SetAsCurrency(Currency::FromScaled(scaled));
    table->Post();
  }
  TZRAggregator* total = Aggregator("zrsTotal", Field("zrvBcd", "BCD"));
  Walk([] {});
  const Variant& sum = total->Level(0).Sum;
  EXPECT_EQ(sum.VarType(), varCurrency);
  EXPECT_EQ(sum.AsCurrency().Scaled(), 12345679913LL);
}

TEST_F(ZRVariablesTest, MissingValuesCountButAreNeitherSummedNorCompared) {
  AddRow(4, "a");
  table->Append();
  table->FieldByName("NAME")->SetAsString("bos");
  table->Post();
  AddRow(7, "c");
  TZRAggregator* total = Aggregator("zrsTotal", Field("zrvInt", "INT"));
  TZRAggregator* names = Aggregator("zrsNames", Field("zrvName", "NAME"));
  Walk([] {});
  EXPECT_EQ(total->Level(0).Count, 3);
  EXPECT_EQ(total->Level(0).Sum.AsInteger(), 11);
  EXPECT_EQ(total->Level(0).Min.AsInteger(), 4);
  EXPECT_EQ(total->Level(0).Max.AsInteger(), 7);
  // Texts are not summed, but have a least and a greatest.
  EXPECT_EQ(names->Level(0).Sum.AsInteger(), 0);
  EXPECT_EQ(names->Level(0).Min.AsString(), "a");
  EXPECT_EQ(names->Level(0).Max.AsString(), "c");
}

TEST_F(ZRVariablesTest, EveryPrintedRecordShowsItsOwnValueAndTheCountSoFar) {
  AddRow(2, "a");
  AddRow(3, "b");
  AddRow(5, "c");
  TZRField* value = Field("zrvInt", "INT");
  TZRAggregator* total = Aggregator("zrsInt", value);
  std::vector<std::string> printed;
  Walk([&] {
    printed.push_back(value->GetValue().AsString() + " " + std::to_string(total->Level(0).Count) + " " +
                      total->Level(0).Sum.AsString() + " " + total->GetValue().AsString());
  });
  EXPECT_EQ(printed, (std::vector<std::string>{"2 1 2 2", "3 2 5 3", "5 3 10 5"}));
  // After the step back the record ahead is the previous value.
  report->Prepare();
  table->First();
  report->ResetVariables();
  report->MoveVariables();
  table->Next();
  report->MoveVariables();
  EXPECT_EQ(value->GetValue().AsInteger(), 3);
  EXPECT_EQ(value->PreviousValue().AsInteger(), 2);
  report->StepVariablesBack();
  EXPECT_EQ(value->GetValue().AsInteger(), 2);
  EXPECT_EQ(value->PreviousValue().AsInteger(), 3);
  EXPECT_EQ(total->Level(0).Count, 1);
  EXPECT_EQ(total->PrevLevel(0).Count, 2);
  report->StepVariablesForward();
  EXPECT_EQ(value->GetValue().AsInteger(), 3);
  EXPECT_EQ(total->Level(0).Count, 2);
  report->Unprepare();
}

TEST_F(ZRVariablesTest, ANewRunStartsAfresh) {
  AddRow(2, "a");
  AddRow(3, "b");
  TZRAggregator* total = Aggregator("zrsInt", Field("zrvInt", "INT"));
  Walk([] {});
  Walk([] {});
  EXPECT_EQ(total->Level(0).Count, 2);
  EXPECT_EQ(total->Level(0).Sum.AsInteger(), 5);
}

TEST_F(ZRVariablesTest, AnAggregatorOverAMastersVariableLeavesItAlone) {
  AddRow(1, "a");
  AddRow(2, "b");
  TZRCustomBand* detail = CreateBand(report, zbtDetail);
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(report->FindBand(zbtController));
  TZRField* master = Field("zrvInt", "INT");
  TZRAggregator* total = Aggregator("zrsInt", master, sub);

  report->Prepare();
  table->First();
  report->ResetVariables();
  report->MoveVariables();
  table->Next();
  report->MoveVariables();
  ASSERT_EQ(master->GetValue().AsInteger(), 2);
  // The sub-detail runs three times over while the master stays on its record.
  sub->ResetVariables();
  for (int i = 0; i < 3; ++i)
    sub->MoveVariables();
  EXPECT_EQ(total->Level(0).Count, 3);
  EXPECT_EQ(total->Level(0).Sum.AsInteger(), 6);
  EXPECT_EQ(master->GetValue().AsInteger(), 2);
  EXPECT_EQ(master->PreviousValue().AsInteger(), 1);
  report->Unprepare();
}

TEST_F(ZRVariablesTest, AVariableThatNeedsItselfIsRefused) {
  AddRow(1, "a");
  TZRAggregator* first = Aggregator("zrsFirst", nullptr);
  TZRAggregator* second = Aggregator("zrsSecond", first);
  first->SetVariable(second);
  report->Prepare();
  table->First();
  report->ResetVariables();
  try {
    report->MoveVariables();
    ADD_FAILURE() << "no error";
  } catch (const EZRError& e) {
    EXPECT_EQ(e.Message, "Illegal circular reference to 'zrsFirst'");
  }
  // Nothing is left half calculated.
  EXPECT_EQ(first->State(), TZRVariableState::Stale);
  EXPECT_EQ(second->State(), TZRVariableState::Stale);
  report->Unprepare();
}

TEST_F(ZRVariablesTest, AFieldWithoutAnOpenDataSetOrAFieldIsEmpty) {
  AddRow(1, "a");
  TZRField* missing = Field("zrvYok", "YOK");
  TZRField* unprepared = Field("zrvInt", "INT");
  EXPECT_TRUE(VarIsEmpty(unprepared->GetValue()));  // not prepared
  report->Prepare();
  report->MoveVariables();
  EXPECT_TRUE(VarIsEmpty(missing->GetValue()));
  EXPECT_EQ(missing->FormattedText(), "");
  EXPECT_EQ(unprepared->GetValue().AsInteger(), 1);
  report->Unprepare();
  table->Close();
  report->Prepare();
  report->MoveVariables();
  EXPECT_TRUE(VarIsEmpty(unprepared->GetValue()));
  EXPECT_EQ(unprepared->FieldIndex(), -1);
  report->Unprepare();
}

TEST_F(ZRVariablesTest, FormattedTexts) {
  AddRow(42, "a");
  TZRField* value = Field("zrvInt", "INT");
  TZRAggregator* total = Aggregator("zrsInt", value);
  TZRAggregator* alone = Aggregator("zrsAlone", nullptr);
  // Outside a run the design view shows field names.
  EXPECT_EQ(value->FormattedText(), "INT");
  EXPECT_EQ(total->FormattedText(), "$(INT)");
  EXPECT_EQ(alone->FormattedText(), "");
  report->Prepare();
  table->First();
  report->ResetVariables();
  report->MoveVariables();
  EXPECT_EQ(value->FormattedText(), "42");
  EXPECT_EQ(total->FormattedText(), "$(42)");
  report->Unprepare();
}

TEST_F(ZRVariablesTest, AtDesignTimeAnAggregatorsNameFollowsItsSource) {
  form.Host()->SetDesigning(true);
  TZRField* amount = Field("zrvMONEY", "MONEY");
  TZRField* count = Field("zrvINT", "INT");
  count->Format()->SetDigits(3);
  auto* other = new TZRVariable(form.Host());
  other->SetName("zrvOther");

  TZRAggregator* total = Aggregator("zrsumMONEY", amount);
  EXPECT_EQ(total->Name(), "zrsumMONEY");  // a first source renames nothing
  total->SetVariable(count);
  EXPECT_EQ(total->Name(), "zrsumINT");
  EXPECT_EQ(total->Format()->Digits(), 3);
  total->SetVariable(other);
  EXPECT_EQ(total->Name(), "zrsumOther");
  // A taken name gets the first free counter.
  auto* taken = new TComponent(form.Host());
  taken->SetName("zrsumMONEY");
  total->SetVariable(amount);
  EXPECT_EQ(total->Name(), "zrsumMONEY0");
  // A name that does not end with the old source's key stays.
  total->SetName("Toplam");
  total->SetVariable(count);
  EXPECT_EQ(total->Name(), "Toplam");
  // Not at run time.
  form.Host()->SetDesigning(false);
  total->SetName("zrsumINT");
  total->SetVariable(amount);
  EXPECT_EQ(total->Name(), "zrsumINT");
}

TEST_F(ZRVariablesTest, FreedSourcesAndControllersAreForgotten) {
  TZRField* value = Field("zrvInt", "INT");
  TZRAggregator* total = Aggregator("zrsInt", value);
  ASSERT_EQ(report->VariableList().size(), 2u);
  value->Free();
  EXPECT_EQ(total->Variable(), nullptr);
  EXPECT_EQ(report->VariableList(), (std::vector<TZRVariable*>{total}));
  table->Free();
  EXPECT_EQ(report->DataSet(), nullptr);
  report->Free();
  // The report freed its variables with it.
  EXPECT_EQ(form.Host()->FindComponent("zrsInt"), nullptr);
}

}  // namespace
