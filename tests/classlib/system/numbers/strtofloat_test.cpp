// StrToFloat and StrToCurr with the decimal separator of the settings.
#include <gtest/gtest.h>

#include <cmath>

#include "classlib/system/exceptions.h"
#include "classlib/system/numconv.h"
#include "locales.h"

namespace {

struct ParseCase {
  Locale locale;
  const char* text;
  double expected;
};

class StrToFloatAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToFloatAccepts, Parses) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(StrToFloat(c.text, SettingsOf(c.locale)), c.expected) << c.locale << " '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToFloatAccepts,
    ::testing::Values(ParseCase{Locale::US, "1.5", 1.5}, ParseCase{Locale::US, " -2.25 ", -2.25},
                      ParseCase{Locale::US, "+3", 3}, ParseCase{Locale::US, ".5", 0.5},
                      ParseCase{Locale::US, "5.", 5}, ParseCase{Locale::US, "1e5", 1e5},
                      ParseCase{Locale::US, "1.5E-3", 1.5e-3}, ParseCase{Locale::US, "2E+2", 200},
                      ParseCase{Locale::US, "0.1", 0.1}, ParseCase{Locale::US, "0", 0},
                      ParseCase{Locale::US, "123456789012345678901234567890", 123456789012345678901234567890.0},
                      ParseCase{Locale::US, "1.7976931348623157e308", 1.7976931348623157e308},
                      ParseCase{Locale::TR, "1,5", 1.5}, ParseCase{Locale::TR, "-1234,5678", -1234.5678},
                      ParseCase{Locale::TR, "1,5E3", 1500}));

class StrToFloatRejects : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToFloatRejects, RaisesWithThePlatformsText) {
  const ParseCase& c = GetParam();
  const TFormatSettings& s = SettingsOf(c.locale);
  try {
    StrToFloat(c.text, s);
    FAIL() << "accepted '" << c.text << "'";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, AnsiString("'") + c.text + "' is not a valid floating point value");
  }
  double value = 7;
  EXPECT_FALSE(TryStrToFloat(c.text, value, s));
  EXPECT_EQ(value, 7);
  EXPECT_EQ(StrToFloatDef(c.text, -1, s), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToFloatRejects,
    ::testing::Values(ParseCase{Locale::US, "", 0}, ParseCase{Locale::US, " ", 0}, ParseCase{Locale::US, "1,5", 0},
                      ParseCase{Locale::US, "1.2.3", 0}, ParseCase{Locale::US, "e5", 0},
                      ParseCase{Locale::US, "1e", 0}, ParseCase{Locale::US, "1e+", 0},
                      ParseCase{Locale::US, "abc", 0}, ParseCase{Locale::US, "1.5x", 0},
                      ParseCase{Locale::US, ".", 0}, ParseCase{Locale::US, "-", 0},
                      ParseCase{Locale::US, "1e400", 0},  // beyond a double
                      ParseCase{Locale::US, "1 000", 0}, ParseCase{Locale::TR, "1.5", 0},
                      ParseCase{Locale::TR, "1.234,5", 0}));

TEST(StrToFloat, ReadsBackWhatFloatToStrWrites) {
  const double values[] = {0.1, -1234.5678, 1e-5, 1.5e20, 2.0 / 3.0, 123456789012345.0};
  for (Locale locale : {Locale::US, Locale::TR}) {
    for (double v : values) {
      double back = StrToFloat(FloatToStr(v, SettingsOf(locale)), SettingsOf(locale));
      EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << locale << " " << v;
    }
  }
}

struct CurrParseCase {
  const char* text;
  std::int64_t scaled;
};

class StrToCurrAccepts : public ::testing::TestWithParam<CurrParseCase> {};

// Turkish settings; beyond four decimals the amount rounds halves to even.
TEST_P(StrToCurrAccepts, ParsesExactly) {
  EXPECT_EQ(StrToCurr(GetParam().text, TurkishFormatSettings()).Scaled(), GetParam().scaled) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, StrToCurrAccepts,
                         ::testing::Values(CurrParseCase{"1,5", 15000}, CurrParseCase{"-1,5", -15000},
                                           CurrParseCase{"1,23456", 12346}, CurrParseCase{"0,00005", 0},
                                           CurrParseCase{"0,00015", 2}, CurrParseCase{"0,000250001", 3},
                                           CurrParseCase{"-0,00025", -2}, CurrParseCase{"0E30", 0},
                                           CurrParseCase{"1E2", 1000000}, CurrParseCase{"12345E-8", 1},
                                           CurrParseCase{"922337203685477,5807", INT64_MAX},
                                           CurrParseCase{"-922337203685477,5808", INT64_MIN}));

TEST(StrToCurr, RejectsWhatDoesNotFit) {
  Currency value;
  EXPECT_FALSE(TryStrToCurr("922337203685477,5808", value, TurkishFormatSettings()));
  EXPECT_FALSE(TryStrToCurr("1E30", value, TurkishFormatSettings()));
  EXPECT_FALSE(TryStrToCurr("1.5", value, TurkishFormatSettings()));
  EXPECT_THROW(StrToCurr("x", TurkishFormatSettings()), EConvertError);
}

}  // namespace
