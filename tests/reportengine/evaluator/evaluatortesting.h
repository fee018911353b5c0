// Shared helpers of the evaluator tests: evaluate an expression and describe
// the value in one locale-independent text ("integer 7", "float 3.5",
// "string 'ab'", "boolean True", "error Missing )").
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>

#include "classlib/system/formatsettings.h"
#include "reportengine/evaluator/qrexpr.h"

std::string Describe(const TQREvValue& value);

// Prepares, evaluates once and describes.
std::string EvaluateText(const AnsiString& expression);
std::string EvaluateWith(TQREvaluator& evaluator, const AnsiString& expression);

// An expression and the description of its value.
struct ExpressionCase {
  const char* Expression;
  const char* Expected;
};
void PrintTo(const ExpressionCase& c, std::ostream* os);

// The locales every table runs under.
enum class TestLocale { Turkish, US };
TFormatSettings SettingsOf(TestLocale locale);
std::string LocaleName(const testing::TestParamInfo<TestLocale>& info);

// A fixture that runs its test under the locale of its parameter.
class LocaleTest : public testing::TestWithParam<TestLocale> {
protected:
  LocaleTest() : scope_(SettingsOf(GetParam())) {}
  bool IsTurkish() const { return GetParam() == TestLocale::Turkish; }
  // The text with "." replaced by the locale's decimal separator.
  std::string Decimal(std::string text) const;

private:
  FormatSettingsScope scope_;
};

#define INSTANTIATE_LOCALES(Suite) \
  INSTANTIATE_TEST_SUITE_P(Locales, Suite, testing::Values(TestLocale::Turkish, TestLocale::US), LocaleName)

// Runs a table of cases under the current locale.
void ExpectCases(std::initializer_list<ExpressionCase> cases);
