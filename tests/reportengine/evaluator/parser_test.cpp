// Parsing and operators: precedence, literals, the parser's splitting rules
// and the error texts, under the Turkish and the US locale.
#include <string>

#include "evaluatortesting.h"
#include "reportengine/evaluator/qrevelement.h"

namespace {

class ExpressionParsing : public LocaleTest {};
INSTANTIATE_LOCALES(ExpressionParsing);

TEST_P(ExpressionParsing, ArithmeticAndPrecedence) {
  ExpectCases({
      {"1+2*3", "integer 7"},
      {"2*3+4*5", "integer 26"},
      {"10-2*3", "integer 4"},
      {"(1+2)*3", "integer 9"},
      {"10-4+3", "integer 9"},  // right-recursive with the signs swapped: 10-(4-3)
      {"1-2-3", "integer -4"},
      {"12/3*2", "float 8"},    // 12/(3/2)
      {"8/2/2", "float 2"},     // 8/(2*2)
      {"7/2", "float 3.5"},
      {"6/3", "float 2"},
      {"2.5+1", "float 3.5"},
      {"1.5 * 2", "float 3"},
      {"1e3", "float 1000"},
      {"-3", "integer -3"},
      {"-2*3", "integer -6"},
      {"1 or 2", "integer 3"},
      {"6 and 3", "integer 2"},
      {"2147483647", "integer 2147483647"},
      {"2147483648", "float 2147483648"},
      {"12345678901", "float 12345678901"},
      {"  42  ", "integer 42"},
  });
}

TEST_P(ExpressionParsing, ArithmeticErrors) {
  ExpectCases({
      {"1/0", "error Cannot divide by 0"},
      {"1.5/0", "error Cannot divide by 0"},
      {"1,5", "error Illegal character in numeric contant \"1,5\""},
      {"7 DIV 2", "error Illegal character in numeric contant \"7 DIV 2\""},
      {"1.2.3", "error Illegal character in numeric contant \"1.2.3\""},
      {"1 < 2 < 3", "error Illegal character in numeric contant \"2 < 3\""},  // relations do not chain
  });
}

// Integer overflow is an error value instead of an exception that would end
// the report run.
TEST_P(ExpressionParsing, IntegerOverflowIsAnErrorValue) {
  ExpectCases({
      {"2147483647+1", "error Integer overflow"},
      {"-2147483647-2", "error Integer overflow"},
      {"65536*65536", "error Integer overflow"},
      {"2147483647+1.0", "float 2147483648"},
      {"-2147483647-1", "integer -2147483648"},
  });
}

// A sign at the first non-blank character of a sum is a unary sign, never a
// split point, and the sign swap after "-" leaves it alone.
TEST_P(ExpressionParsing, UnarySigns) {
  ExpectCases({
      {"3--2", "integer 5"},
      {"10-+2", "integer 8"},
      {"3 - -2", "integer 5"},
      {"1 + -2", "integer -1"},
      {"1+-2", "integer -1"},
      {"1--2-3", "integer 0"},
      {"5-(-2)+1", "integer 8"},
      {"+4", "integer 4"},
      {"a*-b", "error Unknown function : A*"},
      {"2*-3", "error Illegal character in numeric contant \"2*\""},
  });
}

TEST_P(ExpressionParsing, ParseErrorTexts) {
  ExpectCases({
      {"(1+2", "error Missing )"},
      {"'abc", "error Missing '"},
      {"'", "error Missing '"},
      {"[abc", "error Missing ]"},
      {"not 1", "error Invalid use of NOT"},
      {"nothing", "error Invalid use of NOT"},  // any name starting with "not" is NOT
      {"FOO", "error Unknown function : FOO"},
      {"foo", "error Unknown function : FOO"},
      {"foo(1)", "error Unknown function : FOO"},
      {"F(1", "error Unknown function : "},
      {"IF (TRUE,1,2)", "error Unknown function : IF "},
      {"   ", "error Error in expression :  "},
      {"#", "error Error in expression : #"},
      {"_x", "error Error in expression : _x"},
      {"()", "error Error in expression : "},
      {"FOO + BAR", "error Unknown function : FOO"},  // the left error wins
      {"1 + BAR", "error Unknown function : BAR"},
  });
}

TEST_P(ExpressionParsing, StringsAndComparisons) {
  ExpectCases({
      {"", "string ' '"},
      {"'it''s'", "string 'it''s'"},  // no escape: the doubled quote stays
      {"'a' + 'b' + 'c'", "string 'abc'"},
      {"'a+b' + '(c'", "string 'a+b(c'"},
      {"5 + 'A'", "string '5A'"},
      {"'A' + 5", "string 'A5'"},
      {"'abc' < 'abd'", "boolean True"},
      {"'B' < 'a'", "boolean True"},
      {"'ab' < 'abc'", "boolean True"},
      {"'ab' = 'ab '", "boolean False"},
      {"'ab' <> 'ab'", "boolean False"},
      {"'a' = 1", "boolean False"},
      {"1 <> 2", "boolean True"},
      {"2 >= 2", "boolean True"},
      {"2 <= 1", "boolean False"},
      {"2.5 > 2", "boolean True"},
      {"3 > 2.5", "boolean True"},
      {"'a' - 'b'", "error Cannot subtract string expressions"},
      {"'a' * 'b'", "error Cannot multiply string expressions"},
      {"'a' / 'b'", "error Cannot divide string expressions"},
      {"'a' and 'b'", "error Operator AND is not compatible with string expressions"},
  });
}

TEST_P(ExpressionParsing, Booleans) {
  ExpectCases({
      {"TRUE and FALSE", "boolean False"},
      {"TRUE or FALSE", "boolean True"},
      {"TRUE = 'True'", "boolean True"},
      {"TRUE <> FALSE", "boolean True"},
      {"not TRUE", "boolean False"},
      {"NOT FALSE", "boolean True"},
      {"not (1 = 1)", "boolean False"},
      {"not not TRUE", "boolean True"},
      {"TRUE or 1", "error Operator OR is not compatible with string expressions"},
      {"1.5 or 2", "error Operator OR is not compatible with numeric expressions"},
      {"1.5 and 2", "error Operator AND is not compatible with numeric expressions"},
      {"TRUE < FALSE", "error Operator < is not compatible with boolean expressions"},
      {"TRUE <= FALSE", "error Operator <= is not compatible with boolean expressions"},
      {"TRUE > FALSE", "error Operator > is not compatible with boolean expressions"},
      {"TRUE >= FALSE", "error Operator >= is not compatible with boolean expressions"},
      {"TRUE + TRUE", "error Cannot add boolean expressions"},
      {"TRUE - TRUE", "error Cannot subtract boolean expressions"},
      {"TRUE * TRUE", "error Cannot multiply boolean expressions"},
      {"TRUE / TRUE", "error Cannot divide boolean expressions"},
  });
}

// Expression text writes decimals with "." in every locale; texts made from
// floats use the locale's separator.
TEST_P(ExpressionParsing, FloatsConcatenateWithTheLocaleSeparator) {
  EXPECT_EQ(EvaluateText("1.25"), "float 1.25");
  EXPECT_EQ(EvaluateText("'x' + 1.5"), Decimal("string 'x1.5'"));
  EXPECT_EQ(EvaluateText("2.5 = '2.5'"), IsTurkish() ? "boolean False" : "boolean True");
}

TEST_P(ExpressionParsing, TextsAreCutTo255Characters) {
  std::string a(200, 'a'), b(100, 'b');
  std::string value = EvaluateText("'" + a + "' + '" + b + "'");
  EXPECT_EQ(value, "string '" + a + std::string(55, 'b') + "'");
  EXPECT_EQ(EvaluateText("'" + std::string(300, 'c') + "'"), "string '" + std::string(255, 'c') + "'");
}

TEST(ExpressionNesting, ModerateNestingAndLongChainsEvaluate) {
  std::string nested = std::string(50, '(') + "1" + std::string(50, ')');
  EXPECT_EQ(EvaluateText(nested), "integer 1");
  std::string chain = "1";
  for (int i = 1; i < 100; ++i)
    chain += "+1";
  EXPECT_EQ(EvaluateText(chain), "integer 100");
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i)
    text += piece;
  return text;
}

// Text from a damaged layout must not exhaust the stack.
TEST(ExpressionNesting, DeepNestingBecomesAnErrorValue) {
  std::string nested = std::string(5000, '(') + "1" + std::string(5000, ')');
  EXPECT_EQ(EvaluateText(nested), std::string("error ") + ExpressionTooComplexText);
  // NOT turns the inner error into its own.
  EXPECT_EQ(EvaluateText(Repeated("not ", 2000) + "TRUE"), "error Invalid use of NOT");
  EXPECT_EQ(EvaluateText(Repeated("1+", 5000) + "1"), std::string("error ") + ExpressionTooComplexText);
}

TEST(ExpressionEvaluator, EvaluatingBeforePrepareRaises) {
  TQREvaluator evaluator;
  TQREvValue value;
  try {
    evaluator.EvaluateExpression(value);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Evaluator not prepared");
  }
}

TEST(ExpressionEvaluator, UnprepareFreesTheSequenceAndPrepareReplacesIt) {
  TQREvaluator evaluator;
  EXPECT_FALSE(evaluator.IsPrepared());
  EXPECT_EQ(EvaluateWith(evaluator, "1+1"), "integer 2");
  EXPECT_TRUE(evaluator.IsPrepared());
  ASSERT_NE(evaluator.Sequence(), nullptr);
  EXPECT_EQ(evaluator.Sequence()->Count(), 3);  // operator, then its two operands
  EXPECT_EQ(EvaluateWith(evaluator, "'x'"), "string 'x'");
  EXPECT_EQ(evaluator.Sequence()->Count(), 1);
  evaluator.UnprepareExpression();
  EXPECT_FALSE(evaluator.IsPrepared());
  EXPECT_EQ(evaluator.Sequence(), nullptr);
  TQREvValue value;
  EXPECT_THROW(evaluator.EvaluateExpression(value), Exception);
}

TEST(ExpressionEvaluator, TheSequenceIsInPrefixOrder) {
  TQREvaluator evaluator;
  evaluator.PrepareExpression("1+2*3");
  TQRFiFo* sequence = evaluator.Sequence();
  ASSERT_EQ(sequence->Count(), 5);
  auto* plus = dynamic_cast<TQREvElementOperator*>(sequence->Items(0));
  auto* times = dynamic_cast<TQREvElementOperator*>(sequence->Items(2));
  ASSERT_NE(plus, nullptr);
  ASSERT_NE(times, nullptr);
  EXPECT_EQ(plus->OperatorCode, 6);
  EXPECT_EQ(times->OperatorCode, 9);
  EXPECT_NE(dynamic_cast<TQREvElementConstant*>(sequence->Items(1)), nullptr);
}

TEST(ExpressionEvaluator, EvaluatesAgainWithoutParsing) {
  TQREvaluator evaluator;
  evaluator.PrepareExpression("'a' + STR(2*3)");
  for (int i = 0; i < 3; ++i) {
    TQREvValue value;
    evaluator.EvaluateExpression(value);
    EXPECT_EQ(Describe(value), "string 'a6'");
  }
}

}  // namespace
