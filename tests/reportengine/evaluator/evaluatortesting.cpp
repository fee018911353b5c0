#include "evaluatortesting.h"

#include <cstdio>

std::string Describe(const TQREvValue& value) {
  switch (value.ValueKind) {
    case evInteger:
      return "integer " + std::to_string(value.IntValue);
    case evFloat: {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.15g", value.FloatValue);
      return std::string("float ") + buffer;
    }
    case evString:
      return "string '" + value.StrValue + "'";
    case evBoolean:
      return value.BoolValue ? "boolean True" : "boolean False";
    case evError:
      break;
  }
  return "error " + value.StrValue;
}

std::string EvaluateWith(TQREvaluator& evaluator, const AnsiString& expression) {
  evaluator.PrepareExpression(expression);
  TQREvValue value;
  evaluator.EvaluateExpression(value);
  return Describe(value);
}

std::string EvaluateText(const AnsiString& expression) {
  TQREvaluator evaluator;
  return EvaluateWith(evaluator, expression);
}

void PrintTo(const ExpressionCase& c, std::ostream* os) {
  *os << c.Expression << " -> " << c.Expected;
}

TFormatSettings SettingsOf(TestLocale locale) {
  return locale == TestLocale::Turkish ? TurkishFormatSettings() : USFormatSettings();
}

std::string LocaleName(const testing::TestParamInfo<TestLocale>& info) {
  return info.param == TestLocale::Turkish ? "Turkish" : "US";
}

std::string LocaleTest::Decimal(std::string text) const {
  for (char& c : text)
    if (c == '.')
      c = FormatSettings.DecimalSeparator;
  return text;
}

void ExpectCases(std::initializer_list<ExpressionCase> cases) {
  for (const ExpressionCase& c : cases)
    EXPECT_EQ(EvaluateText(c.Expression), c.Expected) << "expression: " << c.Expression;
}
