// FloatToStr and FloatToStrF under US and Turkish settings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classlib/system/numconv.h"
#include "locales.h"

namespace {

struct FloatToStrCase {
  Locale locale;
  double value;
  const char* expected;
};

class FloatToStrTable : public ::testing::TestWithParam<FloatToStrCase> {};

TEST_P(FloatToStrTable, GeneralFifteenDigits) {
  const FloatToStrCase& c = GetParam();
  EXPECT_EQ(FloatToStr(c.value, SettingsOf(c.locale)), c.expected) << c.locale << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatToStrTable,
    ::testing::Values(
        FloatToStrCase{Locale::US, 0.0, "0"}, FloatToStrCase{Locale::US, -0.0, "0"},
        FloatToStrCase{Locale::US, 1.0, "1"}, FloatToStrCase{Locale::US, -1.0, "-1"},
        FloatToStrCase{Locale::US, 0.1, "0.1"}, FloatToStrCase{Locale::US, -2.25, "-2.25"},
        FloatToStrCase{Locale::US, 0.1 + 0.2, "0.3"},  // 0.30000000000000004 at 15 digits
        FloatToStrCase{Locale::US, 1.0 / 3.0, "0.333333333333333"},
        FloatToStrCase{Locale::US, 2.0 / 3.0, "0.666666666666667"},
        FloatToStrCase{Locale::US, 123456789012345.0, "123456789012345"},
        FloatToStrCase{Locale::US, 1e14, "100000000000000"},
        // Fixed up to 15 integer digits, then exponent form without "+".
        FloatToStrCase{Locale::US, 1e15, "1E15"},
        FloatToStrCase{Locale::US, 1234567890123456.0, "1.23456789012346E15"},
        FloatToStrCase{Locale::US, 999999999999999.9, "1E15"},  // rounds up to the next power
        FloatToStrCase{Locale::US, -1.5e20, "-1.5E20"}, FloatToStrCase{Locale::US, 1e100, "1E100"},
        // Fixed down to 0.0001, exponent form below.
        FloatToStrCase{Locale::US, 0.0001, "0.0001"}, FloatToStrCase{Locale::US, 0.00012, "0.00012"},
        FloatToStrCase{Locale::US, 0.00001, "1E-5"}, FloatToStrCase{Locale::US, 1.5e-7, "1.5E-7"},
        FloatToStrCase{Locale::US, 5e-324, "4.94065645841247E-324"},
        FloatToStrCase{Locale::TR, 1.5, "1,5"}, FloatToStrCase{Locale::TR, -1234.5, "-1234,5"},
        FloatToStrCase{Locale::TR, 0.0001, "0,0001"}, FloatToStrCase{Locale::TR, 1.5e-7, "1,5E-7"},
        FloatToStrCase{Locale::TR, 1.25e15, "1,25E15"}));

struct FloatToStrFCase {
  Locale locale;
  double value;
  TFloatFormat format;
  int precision;
  int digits;
  const char* expected;
};

class FloatToStrFTable : public ::testing::TestWithParam<FloatToStrFCase> {};

TEST_P(FloatToStrFTable, Formats) {
  const FloatToStrFCase& c = GetParam();
  EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, SettingsOf(c.locale)), c.expected)
      << c.locale << " " << c.value << " format " << c.format << " " << c.precision << "," << c.digits;
}

INSTANTIATE_TEST_SUITE_P(
    General, FloatToStrFTable,
    ::testing::Values(FloatToStrFCase{Locale::US, 1234.5678, ffGeneral, 6, 0, "1234.57"},
                      FloatToStrFCase{Locale::US, 1234567.0, ffGeneral, 4, 0, "1.235E6"},
                      FloatToStrFCase{Locale::US, 1234567.0, ffGeneral, 4, 2, "1.235E06"},
                      FloatToStrFCase{Locale::US, 0.000012345, ffGeneral, 3, 3, "1.23E-005"},
                      // Precision is cut to 18 digits, which show the binary value of 0.1.
                      FloatToStrFCase{Locale::US, 0.1, ffGeneral, 30, 0, "0.100000000000000006"},
                      FloatToStrFCase{Locale::TR, -1234.5678, ffGeneral, 6, 0, "-1234,57"}));

INSTANTIATE_TEST_SUITE_P(
    Exponent, FloatToStrFTable,
    ::testing::Values(FloatToStrFCase{Locale::US, 1234.5678, ffExponent, 4, 2, "1.235E+03"},
                      FloatToStrFCase{Locale::US, 1234.5678, ffExponent, 15, 0, "1.23456780000000E+3"},
                      FloatToStrFCase{Locale::US, -0.00012345, ffExponent, 3, 3, "-1.23E-004"},
                      FloatToStrFCase{Locale::US, 0.0, ffExponent, 3, 2, "0.00E+00"},
                      FloatToStrFCase{Locale::US, 9.99, ffExponent, 2, 1, "1.0E+1"},
                      FloatToStrFCase{Locale::TR, 1234.5678, ffExponent, 4, 2, "1,235E+03"}));

INSTANTIATE_TEST_SUITE_P(
    FixedAndNumber, FloatToStrFTable,
    ::testing::Values(
        FloatToStrFCase{Locale::US, 1234.5678, ffFixed, 15, 2, "1234.57"},
        FloatToStrFCase{Locale::US, 345.6789, ffFixed, 5, 3, "345.680"},  // precision first, then zeros
        FloatToStrFCase{Locale::US, 345.6789, ffNumber, 5, 3, "345.680"},
        FloatToStrFCase{Locale::US, 1234567.891, ffNumber, 15, 2, "1,234,567.89"},
        FloatToStrFCase{Locale::US, -1234567.891, ffNumber, 15, 2, "-1,234,567.89"},
        FloatToStrFCase{Locale::US, 999.5, ffNumber, 15, 0, "1,000"},
        // Half away from zero on the decimal digits (not Round's halves to even).
        FloatToStrFCase{Locale::US, 0.5, ffFixed, 15, 0, "1"},
        FloatToStrFCase{Locale::US, 2.5, ffFixed, 15, 0, "3"},
        FloatToStrFCase{Locale::US, -2.5, ffFixed, 15, 0, "-3"},
        FloatToStrFCase{Locale::US, 0.125, ffFixed, 15, 2, "0.13"},
        FloatToStrFCase{Locale::US, 1.005, ffFixed, 15, 2, "1.00"},  // 1.00499999999999989...
        FloatToStrFCase{Locale::US, -0.001, ffFixed, 15, 2, "0.00"},  // no "-0.00"
        FloatToStrFCase{Locale::US, 1e20, ffFixed, 15, 2, "1E20"},    // integer part beyond precision
        FloatToStrFCase{Locale::US, 1.5, ffFixed, 15, 40, "1.500000000000000000"},  // digits cut to 18
        FloatToStrFCase{Locale::TR, 1234567.891, ffNumber, 15, 2, "1.234.567,89"},
        FloatToStrFCase{Locale::TR, 6.0, ffFixed, 15, 4, "6,0000"}));

INSTANTIATE_TEST_SUITE_P(
    Currency, FloatToStrFTable,
    ::testing::Values(FloatToStrFCase{Locale::US, 1234.5, ffCurrency, 15, 2, "$1,234.50"},
                      FloatToStrFCase{Locale::US, -1234.5, ffCurrency, 15, 2, "($1,234.50)"},
                      FloatToStrFCase{Locale::US, 0.004, ffCurrency, 15, 2, "$0.00"},
                      FloatToStrFCase{Locale::TR, 1234.5, ffCurrency, 15, 2, "1.234,50 TL"},
                      FloatToStrFCase{Locale::TR, -1234.5, ffCurrency, 15, 2, "-1.234,50 TL"},
                      FloatToStrFCase{Locale::TR, 7.0, ffCurrency, 15, 0, "7 TL"}));

TEST(FloatToStrF, NotNumbersPrintAsThePlatformDoes) {
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FloatToStrF(-std::numeric_limits<double>::infinity(), ffFixed, 15, 2), "-INF");
}

// Every negative currency layout Windows numbers, with "$" and -1.
struct NegCurrCase {
  unsigned char negCurrFormat;
  const char* expected;
};

class NegCurrFormatTable : public ::testing::TestWithParam<NegCurrCase> {};

TEST_P(NegCurrFormatTable, PlacesSignAndSymbol) {
  TFormatSettings s = USFormatSettings();
  s.NegCurrFormat = GetParam().negCurrFormat;
  EXPECT_EQ(FloatToStrF(-1.0, ffCurrency, 15, 0, s), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, NegCurrFormatTable,
                         ::testing::Values(NegCurrCase{0, "($1)"}, NegCurrCase{1, "-$1"}, NegCurrCase{2, "$-1"},
                                           NegCurrCase{3, "$1-"}, NegCurrCase{4, "(1$)"}, NegCurrCase{5, "-1$"},
                                           NegCurrCase{6, "1-$"}, NegCurrCase{7, "1$-"}, NegCurrCase{8, "-1 $"},
                                           NegCurrCase{9, "-$ 1"}, NegCurrCase{10, "1 $-"}, NegCurrCase{11, "$ 1-"},
                                           NegCurrCase{12, "$ -1"}, NegCurrCase{13, "1- $"},
                                           NegCurrCase{14, "($ 1)"}, NegCurrCase{15, "(1 $)"}));

TEST(FloatToStrF, PositiveCurrencyLayouts) {
  const char* expected[] = {"$1", "1$", "$ 1", "1 $"};
  TFormatSettings s = USFormatSettings();
  for (unsigned char format = 0; format < 4; ++format) {
    s.CurrencyFormat = format;
    EXPECT_EQ(FloatToStrF(1.0, ffCurrency, 15, 0, s), expected[format]) << int(format);
  }
}

TEST(FloatToStr, UsesTheGlobalSettingsByDefault) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  EXPECT_EQ(FloatToStr(2.5), "2,5");
  {
    FormatSettingsScope us(USFormatSettings());
    EXPECT_EQ(FloatToStr(2.5), "2.5");
  }
  EXPECT_EQ(FloatToStr(2.5), "2,5");
}

}  // namespace
