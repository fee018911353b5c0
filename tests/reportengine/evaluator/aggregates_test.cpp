// Aggregates through reset and steps. The aggregated value X is a variable of
// a local environment whose constant the test changes before each step, the
// way a report stores its page number.
#include <variant>
#include <vector>

#include "evaluatortesting.h"
#include "reportengine/evaluator/qrevenvironment.h"

namespace {

using StepValue = std::variant<int, double, const char*, bool>;

TQREvValue ValueOf(const StepValue& step) {
  if (auto* i = std::get_if<int>(&step))
    return TQREvValue::Integer(*i);
  if (auto* d = std::get_if<double>(&step))
    return TQREvValue::Float(*d);
  if (auto* s = std::get_if<const char*>(&step))
    return TQREvValue::String(*s);
  return TQREvValue::Boolean(std::get<bool>(step));
}

class Aggregates : public LocaleTest {
protected:
  Aggregates() {
    environment_.AddVariable("X", "0");
    environment_.PrepareVariables();
    x_ = environment_.FindConstant("X");
    evaluator_.LocalEnvironment = &environment_;
  }
  ~Aggregates() override {
    evaluator_.UnprepareExpression();
    environment_.UnprepareVariables();
  }

  void Prepare(const AnsiString& expression) {
    evaluator_.PrepareExpression(expression);
    evaluator_.ResetAggregates();
  }
  void Step(const StepValue& value) {
    TQREvEnvironment::StoreValue(x_, ValueOf(value));
    evaluator_.AggregateStep();
  }
  std::string Value() {
    TQREvValue value;
    evaluator_.EvaluateExpression(value);
    return Describe(value);
  }
  std::string Over(const AnsiString& expression, const std::vector<StepValue>& steps) {
    Prepare(expression);
    for (const StepValue& step : steps)
      Step(step);
    return Value();
  }

  TQREvEnvironment environment_;
  TQREvElement* x_ = nullptr;
  TQREvaluator evaluator_;
};
INSTANTIATE_LOCALES(Aggregates);

struct AggregateCase {
  const char* Expression;
  std::vector<StepValue> Steps;
  const char* Expected;
};

TEST_P(Aggregates, TotalsOverSteps) {
  const AggregateCase cases[] = {
      {"SUM(X)", {}, "integer 0"},
      {"SUM(X)", {1, 2, 3}, "integer 6"},
      {"SUM(X)", {1.5, 2.5}, "float 4"},
      {"SUM(X)", {1, 2.5}, "float 3.5"},
      {"SUM(X)", {1.5, 2}, "float 3.5"},
      {"SUM(X)", {1, true, 2}, "integer 3"},  // booleans are passed over
      {"SUM(X)", {1, "a", 2}, "error Wrong arguments for SUM"},
      {"SUM(X)", {"a"}, "error Wrong arguments for SUM"},
      {"SUM(X)*2", {4, 5}, "integer 18"},
      {"SUM(X, 1)", {4}, "error Wrong arguments for SUM"},
      {"SUM(FOO)", {1}, "error Unknown function : FOO"},
      {"AVERAGE(X)", {1, 2}, "float 1.5"},
      {"AVERAGE(X)", {}, "float 0"},
      {"AVERAGE(X)", {1, 2, 3, 4}, "float 2.5"},
      {"AVERAGE(X)", {"a"}, "error Wrong arguments for AVERAGE"},
      {"MIN(X)", {"b", "a", "c"}, "string 'a'"},
      {"MAX(X)", {"b", "a", "c"}, "string 'c'"},
      {"MAX(X)", {false, true}, "boolean True"},
      {"MIN(X)", {true, false}, "boolean False"},
      {"MAX(X)", {3, 7, 5}, "integer 7"},
      {"MIN(X)", {3, 7, 5}, "integer 3"},
      {"MAX(X)", {1, 2.5}, "float 2.5"},
      {"MAX(X)", {}, "integer 0"},
      {"MIN(X)", {2, "a", 1}, "integer 1"},  // a value that cannot be compared is passed over
      {"COUNT", {1, 2, 3}, "integer 3"},
      {"COUNT(1)", {1}, "error COUNT - Too many arguments"},
      {"COUNT + SUM(X)", {10, 20}, "integer 32"},
  };
  for (const AggregateCase& c : cases)
    EXPECT_EQ(Over(c.Expression, c.Steps), c.Expected) << c.Expression;
}

// An integer total past the 32-bit range goes on as a float instead of
// aborting the report run.
TEST_P(Aggregates, IntegerTotalsOverflowIntoFloats) {
  EXPECT_EQ(Over("SUM(X)", {2147483647, 1}), "float 2147483648");
  EXPECT_EQ(Over("SUM(X)", {-2147483647, -2, 1}), "float -2147483648");
  EXPECT_EQ(Over("AVERAGE(X)", {2147483647, 2147483647}), "float 2147483647");
}

TEST_P(Aggregates, CountCountsStepsNotEvaluations) {
  Prepare("COUNT");
  for (int i = 0; i < 3; ++i)
    Step(i);
  EXPECT_EQ(Value(), "integer 3");
  EXPECT_EQ(Value(), "integer 3");
}

TEST_P(Aggregates, ResetStartsTheTotalsAgain) {
  Prepare("SUM(X)");
  Step(1);
  Step(2);
  EXPECT_EQ(Value(), "integer 3");
  evaluator_.ResetAggregates();
  EXPECT_EQ(Value(), "integer 0");
  Step(5);
  EXPECT_EQ(Value(), "integer 5");
  Prepare("AVERAGE(X) + COUNT");
  Step(4);
  evaluator_.ResetAggregates();
  EXPECT_EQ(Value(), "float 0");
}

TEST_P(Aggregates, EveryArgumentAccumulatesEvenInTheBranchNotTaken) {
  Prepare("IF(FALSE, SUM(X), MAX(X))");
  Step(2);
  Step(5);
  EXPECT_EQ(Value(), "integer 5");
  Prepare("IF(TRUE, SUM(X), MAX(X))");
  Step(2);
  Step(5);
  EXPECT_EQ(Value(), "integer 7");
}

TEST_P(Aggregates, HasAggregatesFindsAggregatesAnywhere) {
  const std::pair<const char*, bool> cases[] = {
      {"1+2", false},        {"SUM(X)", true},           {"1 + COUNT", true},
      {"IF(TRUE, 1, MAX(X))", true}, {"STR(AVERAGE(X))", true}, {"MIN", true},
      {"X", false},  // aggregates inside a variable belong to the variable
  };
  for (const auto& [expression, expected] : cases) {
    evaluator_.PrepareExpression(expression);
    EXPECT_EQ(evaluator_.HasAggregates(), expected) << expression;
  }
}

}  // namespace
