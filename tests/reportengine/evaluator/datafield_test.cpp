// Data-field elements over the fields of the source data sets.
#include <memory>

#include "classlib/classes/lists.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/system/datetime.h"
#include "evaluatortesting.h"
#include "reportengine/evaluator/qrevenvironment.h"

namespace {

class DataFields : public LocaleTest {
protected:
  DataFields() {
    items_->SetName("Items");
    TFieldDefs* defs = items_->FieldDefs();
    defs->Add("Name", ftString, 20);
    defs->Add("Qty", ftInteger);
    defs->Add("Price", ftFloat);
    defs->Add("Amount", ftCurrency);
    defs->Add("Done", ftBoolean);
    defs->Add("Day", ftDate);
    defs->Add("Big", ftLargeint);
    defs->Add("A-B", ftInteger);
    defs->Add("A+B", ftInteger);
    items_->Open();
    AddItem("kalem", 3, 2.5, true, 7);
    AddItem("silgi", 5, 1.25, false, 70);
    items_->First();

    other_->SetName("Other");
    other_->FieldDefs()->Add("Qty", ftInteger);
    other_->FieldDefs()->Add("Code", ftString, 10);
    other_->Open();
    other_->Append();
    other_->FieldByName("Qty")->SetAsInteger(99);
    other_->FieldByName("Code")->SetAsString("K-1");
    other_->Post();

    dataSets_.Add(items_.get());
    dataSets_.Add(other_.get());
    evaluator_.SourceDataSets = &dataSets_;
  }

  void AddItem(const char* name, int qty, double price, bool done, int ab) {
    items_->Append();
    items_->FieldByName("Name")->SetAsString(name);
    items_->FieldByName("Qty")->SetAsInteger(qty);
    items_->FieldByName("Price")->SetAsFloat(price);
    items_->FieldByName("Amount")->SetAsFloat(price * qty);
    items_->FieldByName("Done")->SetAsBoolean(done);
    items_->FieldByName("Day")->SetAsDateTime(EncodeDate(2026, 12, 10));
    items_->FieldByName("A-B")->SetAsInteger(ab);
    items_->FieldByName("A+B")->SetAsInteger(ab + 1);
    items_->Post();
  }

  std::string Evaluate(const AnsiString& expression) { return EvaluateWith(evaluator_, expression); }
  std::string Value() {
    TQREvValue value;
    evaluator_.EvaluateExpression(value);
    return Describe(value);
  }

  std::unique_ptr<TRxMemoryData> items_ = std::make_unique<TRxMemoryData>(nullptr);
  std::unique_ptr<TRxMemoryData> other_ = std::make_unique<TRxMemoryData>(nullptr);
  TList dataSets_;
  TQREvaluator evaluator_;
};
INSTANTIATE_LOCALES(DataFields);

TEST_P(DataFields, FieldsGiveValuesOfTheirKind) {
  EXPECT_EQ(Evaluate("[Name]"), "string 'kalem'");
  EXPECT_EQ(Evaluate("NAME"), "string 'kalem'");
  EXPECT_EQ(Evaluate("Qty * 2"), "integer 6");
  EXPECT_EQ(Evaluate("PRICE"), "float 2.5");
  EXPECT_EQ(Evaluate("Amount"), "float 7.5");
  EXPECT_EQ(Evaluate("not DONE"), "boolean False");
  EXPECT_EQ(Evaluate("Day"), IsTurkish() ? "string '10.12.2026'" : "string '12/10/2026'");
  EXPECT_EQ(Evaluate("Big"), "error Field Big is of unknown type");
}

TEST_P(DataFields, NamesAreSearchedInListOrderOrInTheNamedDataSet) {
  EXPECT_EQ(Evaluate("QTY"), "integer 3");
  EXPECT_EQ(Evaluate("Items.Qty"), "integer 3");
  EXPECT_EQ(Evaluate("[other.qty]"), "integer 99");
  EXPECT_EQ(Evaluate("Code"), "string 'K-1'");
  EXPECT_EQ(Evaluate("Items.Code"), "error Unknown function : ITEMS.CODE");
  EXPECT_EQ(Evaluate("Nope.Qty"), "error Unknown function : NOPE.QTY");
}

TEST_P(DataFields, BracketsHoldNamesWithOperators) {
  EXPECT_EQ(Evaluate("[A-B]"), "integer 7");
  // After a minus the bracketed name has its signs swapped, as the parser
  // always did: this reads the field A+B.
  EXPECT_EQ(Evaluate("100-[A-B]"), "integer 92");
}

TEST_P(DataFields, TheSamePreparedExpressionFollowsTheCursor) {
  evaluator_.PrepareExpression("[Name] + ' x' + STR(Qty)");
  EXPECT_EQ(Value(), "string 'kalem x3'");
  items_->Next();
  EXPECT_EQ(Value(), "string 'silgi x5'");
}

TEST_P(DataFields, DefaultFieldsAreFetchedAgainAfterReopening) {
  evaluator_.PrepareExpression("Qty + 1");
  EXPECT_EQ(Value(), "integer 4");
  items_->Close();
  EXPECT_EQ(Value().rfind("error ", 0), 0u);  // a closed data set gives an error value
  items_->Open();
  items_->Append();
  items_->FieldByName("Qty")->SetAsInteger(41);
  items_->Post();
  EXPECT_EQ(Value(), "integer 42");
}

TEST_P(DataFields, AggregatesTotalAFieldOverRecords) {
  evaluator_.PrepareExpression("SUM(Qty * Price)");
  evaluator_.ResetAggregates();
  for (items_->First(); !items_->Eof(); items_->Next())
    evaluator_.AggregateStep();
  EXPECT_EQ(Value(), "float 13.75");
}

TEST_P(DataFields, VariablesSeeTheEnvironmentsDataSets) {
  TQREvEnvironment functions;
  functions.SetVariableDataSets(&dataSets_);
  functions.AddVariable("TOTAL", "Qty * Price");
  functions.PrepareVariables();
  evaluator_.LocalEnvironment = &functions;
  EXPECT_EQ(Evaluate("TOTAL"), "float 7.5");
  evaluator_.UnprepareExpression();
  functions.UnprepareVariables();
}

TEST_P(DataFields, WithoutDataSetsNamesAreVariables) {
  evaluator_.SourceDataSets = nullptr;
  EXPECT_EQ(Evaluate("Qty"), "error Unknown function : QTY");
}

}  // namespace
