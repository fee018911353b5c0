// Variable environments: variables, references, recursion, the report's
// stored constants, GlobalVariables and streaming of "Strings" then "DATA".
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/lists.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "evaluatortesting.h"
#include "reportengine/evaluator/qrevenvironment.h"

namespace {

// An environment prepared for the test's lifetime and an evaluator that sees it.
class Environment : public testing::Test {
protected:
  ~Environment() override {
    evaluator_.UnprepareExpression();
    while (environment_.PrepareDepth() > 0)
      environment_.UnprepareVariables();
  }
  std::string Evaluate(const AnsiString& expression) {
    evaluator_.LocalEnvironment = &environment_;
    return EvaluateWith(evaluator_, expression);
  }

  TQREvEnvironment environment_;
  TQREvaluator evaluator_;
};

TEST_F(Environment, VariablesEvaluateTheirOwnExpressions) {
  environment_.AddVariable("price", "2.5");
  environment_.AddVariable("Qty", "4");
  environment_.PrepareVariables();
  EXPECT_EQ(environment_[0], "PRICE");
  EXPECT_EQ(Evaluate("PRICE * qty"), "float 10");
  EXPECT_EQ(Evaluate("[Qty] + 1"), "integer 5");
}

TEST_F(Environment, AnExistingNameKeepsItsOldExpression) {
  environment_.AddVariable("Y", "1");
  environment_.AddVariable("y", "2");
  environment_.PrepareVariables();
  EXPECT_EQ(environment_.Count(), 1);
  EXPECT_EQ(Evaluate("Y"), "integer 1");
}

TEST_F(Environment, AVariableAddedWhilePreparedIsPreparedAtOnce) {
  environment_.PrepareVariables();
  environment_.AddVariable("Z", "2*3");
  EXPECT_EQ(Evaluate("Z"), "integer 6");
}

TEST_F(Environment, VariablesReferToOneAnother) {
  environment_.AddVariable("A", "B + 1");
  environment_.AddVariable("B", "10");
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("A * 2"), "integer 22");
}

TEST_F(Environment, RecursionGivesAnErrorValue) {
  environment_.AddVariable("X", "X+1");
  environment_.AddVariable("P", "Q");
  environment_.AddVariable("Q", "'q' + P");
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("X"), "error Recursive calls not allowed");
  EXPECT_EQ(Evaluate("P"), "error Recursive calls not allowed");
  // The flag is cleared after each evaluation.
  EXPECT_EQ(Evaluate("X"), "error Recursive calls not allowed");
}

TEST_F(Environment, AVeryLongChainOfVariablesIsAnErrorValue) {
  const int length = TQREvEmbeddedFunction::MaxNesting + 5;
  for (int i = 0; i < length; ++i)
    environment_.AddVariable("V" + std::to_string(i), i + 1 < length ? "V" + std::to_string(i + 1) : "1");
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("V0"), std::string("error ") + ExpressionTooComplexText);
  EXPECT_EQ(Evaluate("V10"), "integer 1");
}

TEST_F(Environment, AChainOfLargeVariablesIsAnErrorValue) {
  std::string big = "1";
  for (int i = 0; i < 300; ++i)
    big += "+1";  // 601 elements
  environment_.AddVariable("A", "B");
  environment_.AddVariable("B", "C + " + big);
  environment_.AddVariable("C", "D + " + big);
  environment_.AddVariable("D", "E + " + big);
  environment_.AddVariable("E", big);
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("C"), "integer 903");
  EXPECT_EQ(Evaluate("A"), std::string("error ") + ExpressionTooComplexText);
}

TEST_F(Environment, UnknownNamesFallBackToTheGlobalVariables) {
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("TYPEOF(AppStartDate)"), "string 'STRING'");
  EXPECT_EQ(Evaluate("TYPEOF(APPSTARTTIME)"), "string 'STRING'");
  EXPECT_EQ(Evaluate("TYPEOF(AppName)"), "string 'STRING'");
  EXPECT_EQ(Evaluate("NOSUCHNAME"), "error Unknown function : NOSUCHNAME");
}

TEST_F(Environment, LocalVariablesComeBeforeGlobalOnes) {
  environment_.AddVariable("AppName", "'mine'");
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("AppName"), "string 'mine'");
}

TEST_F(Environment, UsingAnUnpreparedEnvironmentRaises) {
  environment_.AddVariable("X", "1");
  evaluator_.LocalEnvironment = &environment_;
  evaluator_.PrepareExpression("X");
  TQREvValue value;
  EXPECT_THROW(evaluator_.EvaluateExpression(value), Exception);
}

TEST_F(Environment, StoredConstantsChangeInPlace) {
  environment_.AddVariable("PAGENUMBER", "0");
  environment_.AddVariable("COLUMNNUMBER", "0");
  environment_.AddVariable("REPORTTITLE", "''");
  EXPECT_EQ(environment_.FindConstant("PAGENUMBER"), nullptr);  // not prepared yet
  environment_.PrepareVariables();
  TQREvElement* page = environment_.FindConstant("PageNumber");
  TQREvElement* title = environment_.FindConstant("REPORTTITLE");
  ASSERT_NE(page, nullptr);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(environment_.FindConstant("MISSING"), nullptr);
  TQREvEnvironment::StoreString(title, "Stok");
  TQREvEnvironment::StoreInteger(page, 3);
  EXPECT_EQ(Evaluate("REPORTTITLE + ' ' + STR(PAGENUMBER)"), "string 'Stok 3'");
  // The wrong kind of element is left alone.
  TQREvEnvironment::StoreString(page, "x");
  TQREvEnvironment::StoreValue(title, TQREvValue::Integer(5));
  EXPECT_EQ(Evaluate("REPORTTITLE + ' ' + STR(PAGENUMBER)"), "string 'Stok 3'");
  TQREvEnvironment::StoreValue(title, TQREvValue::String("Fiyat"));
  TQREvEnvironment::StoreValue(environment_.FindConstant("COLUMNNUMBER"), TQREvValue::Float(1.5));
  EXPECT_EQ(Evaluate("REPORTTITLE"), "string 'Fiyat'");
  EXPECT_EQ(Evaluate("COLUMNNUMBER * 2"), "float 3");
}

TEST_F(Environment, VariableValueAnswersByName) {
  environment_.AddVariable("X", "6*7");
  environment_.PrepareVariables();
  TQREvValue value;
  environment_.VariableValue("x", value);
  EXPECT_EQ(Describe(value), "integer 42");
  environment_.VariableValue("Y", value);
  EXPECT_EQ(Describe(value), "error Unknown function : Y");
}

TEST_F(Environment, RemoveAndClearFreeVariables) {
  environment_.AddVariable("A", "1");
  environment_.AddVariable("B", "2");
  environment_.RemoveVariable("a");
  environment_.RemoveVariable("missing");
  ASSERT_EQ(environment_.Count(), 1);
  EXPECT_EQ(environment_[0], "B");
  environment_.PrepareVariables();
  environment_.Clear();
  EXPECT_EQ(environment_.Count(), 0);
  EXPECT_EQ(Evaluate("B"), "error Unknown function : B");
}

TEST_F(Environment, PreparesAreCounted) {
  environment_.AddVariable("A", "1");
  environment_.PrepareVariables();
  environment_.PrepareVariables();
  environment_.UnprepareVariables();
  EXPECT_TRUE(environment_.Variable(0)->OwnEvaluator->IsPrepared());
  environment_.UnprepareVariables();
  EXPECT_FALSE(environment_.Variable(0)->OwnEvaluator->IsPrepared());
  EXPECT_EQ(environment_.PrepareDepth(), 0);
}

TEST_F(Environment, VariableDataSetsAreOwnedOnlyWhenMadeHere) {
  TList* own = environment_.VariableDataSets();
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->Count(), 0);
  EXPECT_EQ(environment_.VariableDataSets(), own);
  TList given;
  environment_.SetVariableDataSets(&given);
  EXPECT_EQ(environment_.VariableDataSets(), &given);
  environment_.AddVariable("A", "1");
  environment_.PrepareVariables();
  EXPECT_EQ(environment_.Variable(0)->OwnEvaluator->SourceDataSets, &given);
  environment_.UnprepareVariables();
  environment_.SetVariableDataSets(nullptr);
}

TEST_F(Environment, AssignCopiesVariablesNotPointers) {
  auto source = std::make_unique<TQREvEnvironment>();
  source->AddVariable("A", "40+2");
  environment_.Assign(source.get());
  ASSERT_EQ(environment_.Count(), 1);
  EXPECT_NE(environment_.Variable(0), source->Variable(0));
  source.reset();
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("A"), "integer 42");
}

TEST_F(Environment, ALineWithoutAVariableIsUnknown) {
  environment_.Add("ORPHAN");  // a stored name whose expression is missing
  environment_.PrepareVariables();
  EXPECT_EQ(Evaluate("ORPHAN"), "error Unknown function : ORPHAN");
  EXPECT_EQ(environment_.FindConstant("ORPHAN"), nullptr);
}

// ---- Streaming -----------------------------------------------------------------------

class TFunctionsHolder : public TComponent {
  DECLARE_CLASS(TFunctionsHolder, TComponent)

public:
  explicit TFunctionsHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TQREvEnvironment* GetFunctions() { return &FFunctions; }
  void SetFunctions(TQREvEnvironment* Value) { FFunctions.Assign(Value); }

  TQREvEnvironment FFunctions;
};

BEGIN_PUBLISHED(TFunctionsHolder)
PROPERTY(Functions, GetFunctions, SetFunctions),
END_PUBLISHED

std::string Written(TFunctionsHolder& holder) {
  TStringStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(&holder);
  }
  return stream.DataString();
}

std::string ShortString(const std::string& text) {
  return std::string(1, static_cast<char>(text.size())) + text;
}

TEST(EnvironmentStreaming, WritesTheNamesThenTheExpressions) {
  TFunctionsHolder holder(nullptr);
  holder.SetName("Report");
  holder.FFunctions.AddVariable("PageNumber", "0");
  holder.FFunctions.AddVariable("Title", "'Stok'");
  std::string bytes = Written(holder);
  std::string names = ShortString("Functions.Strings") + "\x01" + "\x06" + ShortString("PAGENUMBER") + "\x06" +
                      ShortString("TITLE") + '\0';
  std::string expressions = ShortString("Functions.DATA") + "\x01" + "\x06" + ShortString("0") + "\x06" +
                            ShortString("'Stok'") + '\0';
  size_t namesAt = bytes.find(names), expressionsAt = bytes.find(expressions);
  ASSERT_NE(namesAt, std::string::npos);
  ASSERT_NE(expressionsAt, std::string::npos);
  EXPECT_LT(namesAt, expressionsAt);
}

TEST(EnvironmentStreaming, AnEmptyEnvironmentWritesNothing) {
  TFunctionsHolder holder(nullptr);
  holder.SetName("Report");
  EXPECT_EQ(Written(holder).find("Functions."), std::string::npos);
}

TEST(EnvironmentStreaming, ReadsVariablesBackReplacingWhatWasThere) {
  TFunctionsHolder holder(nullptr);
  holder.SetName("Report");
  holder.FFunctions.AddVariable("A", "B * 2");
  holder.FFunctions.AddVariable("B", "21");
  TStringStream stream(Written(holder));

  TFunctionsHolder copy(nullptr);
  copy.FFunctions.AddVariable("STALE", "1");
  TReader reader(stream);
  reader.ReadRootComponent(&copy);
  ASSERT_EQ(copy.FFunctions.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(copy.FFunctions[i], holder.FFunctions[i]);
    ASSERT_NE(copy.FFunctions.Variable(i), nullptr);
    EXPECT_EQ(copy.FFunctions.Variable(i)->ExpressionText, holder.FFunctions.Variable(i)->ExpressionText);
  }
  copy.FFunctions.PrepareVariables();
  TQREvValue value;
  copy.FFunctions.VariableValue("A", value);
  EXPECT_EQ(Describe(value), "integer 42");
  copy.FFunctions.UnprepareVariables();
}

// A stored environment whose lists do not match: expressions beyond the
// names are dropped, names beyond the expressions have no variable.
std::string StoredEnvironment(std::initializer_list<const char*> names, std::initializer_list<const char*> expressions) {
  std::string bytes = "TPF0" + ShortString("TFunctionsHolder") + ShortString("Report");
  bytes += ShortString("Functions.Strings") + "\x01";
  for (const char* name : names)
    bytes += "\x06" + ShortString(name);
  bytes += '\0';
  bytes += ShortString("Functions.DATA") + "\x01";
  for (const char* expression : expressions)
    bytes += "\x06" + ShortString(expression);
  bytes += std::string("\0\0\0", 3);  // end of the list, of the properties, of the children
  return bytes;
}

TEST(EnvironmentStreaming, MismatchedListsReadSafely) {
  TFunctionsHolder holder(nullptr);
  {
    TStringStream stream(StoredEnvironment({"A"}, {"1", "2", "3"}));
    TReader reader(stream);
    reader.ReadRootComponent(&holder);
  }
  ASSERT_EQ(holder.FFunctions.Count(), 1);
  EXPECT_EQ(holder.FFunctions.Variable(0)->ExpressionText, "1");

  TFunctionsHolder other(nullptr);
  {
    TStringStream stream(StoredEnvironment({"A", "B"}, {"7"}));
    TReader reader(stream);
    reader.ReadRootComponent(&other);
  }
  ASSERT_EQ(other.FFunctions.Count(), 2);
  EXPECT_EQ(other.FFunctions.Variable(1), nullptr);
  other.FFunctions.PrepareVariables();
  TQREvValue value;
  other.FFunctions.VariableValue("A", value);
  EXPECT_EQ(Describe(value), "integer 7");
  other.FFunctions.VariableValue("B", value);
  EXPECT_EQ(Describe(value), "error Unknown function : B");
  other.FFunctions.UnprepareVariables();
}

}  // namespace
