// FormatFloat and FormatCurr: the mask language under US and Turkish settings.
#include <gtest/gtest.h>

#include <cstdint>

#include "classlib/system/numconv.h"
#include "locales.h"

namespace {

struct MaskCase {
  Locale locale;
  const char* mask;
  double value;
  const char* expected;
};

class FormatFloatTable : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FormatFloatTable, Formats) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(FormatFloat(c.mask, c.value, SettingsOf(c.locale)), c.expected)
      << c.locale << " mask \"" << c.mask << "\" value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Placeholders, FormatFloatTable,
    ::testing::Values(MaskCase{Locale::US, "0", 1234.4, "1234"}, MaskCase{Locale::US, "000", 7, "007"},
                      MaskCase{Locale::US, "00", 123, "123"},  // extra digits go before the first placeholder
                      MaskCase{Locale::US, "#", 0, ""}, MaskCase{Locale::US, "#.##", 0.5, ".5"},
                      MaskCase{Locale::US, "#.##", 1, "1"}, MaskCase{Locale::US, "0.###", 1.5, "1.5"},
                      MaskCase{Locale::US, "0.00#", 1.5, "1.50"}, MaskCase{Locale::US, "###0.00", 0.5, "0.50"},
                      MaskCase{Locale::US, ".00", 12.5, "12.50"},
                      MaskCase{Locale::US, "0.", 3, "3"},  // no fraction digits, no separator
                      MaskCase{Locale::US, "000-000", 123456, "123-456"},
                      MaskCase{Locale::US, "0.0.0", 1.25, "1.25"},  // only the first point counts
                      MaskCase{Locale::US, "0000000000", -20, "-0000000020"}));

INSTANTIATE_TEST_SUITE_P(
    Thousands, FormatFloatTable,
    ::testing::Values(MaskCase{Locale::US, "#,##0.00", 1234567.891, "1,234,567.89"},
                      MaskCase{Locale::US, "#,##0.00", -1234567.891, "-1,234,567.89"},
                      MaskCase{Locale::US, "#,##0.00", 0, "0.00"}, MaskCase{Locale::US, "#,##0", 999.5, "1,000"},
                      MaskCase{Locale::US, "0,0", 1234, "1,234"}, MaskCase{Locale::US, "#,##0", 12, "12"},
                      MaskCase{Locale::US, ",0.0000;-,0.0000", 1234.5, "1,234.5000"},
                      MaskCase{Locale::TR, "#,##0.00", 1234567.891, "1.234.567,89"},
                      MaskCase{Locale::TR, ",0.0000;-,0.0000", -1234.5, "-1.234,5000"},
                      MaskCase{Locale::TR, "0.0000", 6, "6,0000"}));

// Rounding works on the value's decimal digits, halves away from zero.
INSTANTIATE_TEST_SUITE_P(
    Rounding, FormatFloatTable,
    ::testing::Values(MaskCase{Locale::US, "0", 0.5, "1"}, MaskCase{Locale::US, "0", 1.5, "2"},
                      MaskCase{Locale::US, "0", 2.5, "3"}, MaskCase{Locale::US, "0", -2.5, "-3"},
                      MaskCase{Locale::US, "0.00", 0.125, "0.13"},  // exact binary half
                      MaskCase{Locale::US, "0.00", 1.005, "1.00"},  // binary 1.00499999999999989...
                      MaskCase{Locale::US, "0.00", -1.005, "-1.00"},
                      MaskCase{Locale::US, "0.0", 0.05, "0.1"},  // 0.05000000000000000277
                      MaskCase{Locale::US, "0", -0.4, "0"},      // rounds to zero: no sign
                      MaskCase{Locale::US, "0.0", -0.04, "0.0"}));

INSTANTIATE_TEST_SUITE_P(
    Sections, FormatFloatTable,
    ::testing::Values(MaskCase{Locale::US, "0.0;(0.0)", -5.25, "(5.3)"},
                      MaskCase{Locale::US, "0.0;(0.0)", 5.25, "5.3"},
                      MaskCase{Locale::US, "0.0;(0.0)", 0, "0.0"},  // zeros use the first section
                      MaskCase{Locale::US, "0.0;(0.0);'zero'", 0, "zero"},
                      MaskCase{Locale::US, "0.0;(0.0);'zero'", -0.01, "zero"},  // rounds to zero
                      MaskCase{Locale::US, "0.0;;'zero'", -2, "-2.0"},  // empty negative section
                      MaskCase{Locale::US, "0.0;(0.0);", 0, "0.0"},    // empty zero section
                      MaskCase{Locale::US, "$#,##0.00;($#,##0.00)", -1234.5, "($1,234.50)"},
                      MaskCase{Locale::US, "'a;b'0;'neg'0", -3, "neg3"},  // ';' inside quotes
                      MaskCase{Locale::US, "0;-0;z;ignored", 0, "z"}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, FormatFloatTable,
    ::testing::Values(MaskCase{Locale::US, "0.00E+00", 1234.5, "1.23E+03"},
                      MaskCase{Locale::US, "0.00E+00", 0.00012345, "1.23E-04"},
                      MaskCase{Locale::US, "0.00E-00", 1234.5, "1.23E03"},
                      MaskCase{Locale::US, "0.00e-0", 0.00012345, "1.23e-4"},
                      MaskCase{Locale::US, "0.00E+0000", 1234.5, "1.23E+0003"},
                      MaskCase{Locale::US, "00.0E+0", 1234, "12.3E+2"},
                      MaskCase{Locale::US, "0.###E+0", 1000, "1E+3"},
                      MaskCase{Locale::US, "0.00E+00", 0, "0.00E+00"},
                      MaskCase{Locale::US, "0.00E+00", -9.999, "-1.00E+01"},
                      MaskCase{Locale::US, "0E", 5, "5E"},  // "E" without a sign is a literal
                      MaskCase{Locale::TR, "0.00E+00", 1234.5, "1,23E+03"}));

INSTANTIATE_TEST_SUITE_P(
    Literals, FormatFloatTable,
    // The mask always writes "." and ","; a Turkish "0,00" asks for thousands, not decimals.
    ::testing::Values(MaskCase{Locale::US, "'Total: '0.00' TL'", 12.5, "Total: 12.50 TL"},
                      MaskCase{Locale::US, "\"#\"0", 5, "#5"}, MaskCase{Locale::US, "'0.0'0", 5, "0.05"},
                      MaskCase{Locale::US, "0 kg", 3, "3 kg"}, MaskCase{Locale::US, "[0]", -3, "-[3]"},
                      MaskCase{Locale::US, "'open", 3, "open"},  // unclosed quote runs to the end
                      MaskCase{Locale::TR, "0,00 'TL'", 1.5, "002 TL"}));

INSTANTIATE_TEST_SUITE_P(
    GeneralFallback, FormatFloatTable,
    ::testing::Values(MaskCase{Locale::US, "", 1.5, "1.5"}, MaskCase{Locale::US, "", -1e20, "-1E20"},
                      MaskCase{Locale::US, ";0", 1.5, "1.5"},
                      MaskCase{Locale::US, "0.00", 1e20, "1E20"},  // more than 18 integer digits
                      MaskCase{Locale::US, "0.00E+00", 1e20, "1.00E+20"},
                      MaskCase{Locale::TR, "", 0.25, "0,25"}));

TEST(FormatFloat, UsesTheGlobalSettingsByDefault) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
}

TEST(FormatFloat, NotNumbers) {
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
}

struct CurrMaskCase {
  Locale locale;
  const char* mask;
  std::int64_t scaled;
  const char* expected;
};

class FormatCurrTable : public ::testing::TestWithParam<CurrMaskCase> {};

TEST_P(FormatCurrTable, FormatsExactAmounts) {
  const CurrMaskCase& c = GetParam();
  EXPECT_EQ(FormatCurr(c.mask, Currency::FromScaled(c.scaled), SettingsOf(c.locale)), c.expected)
      << c.locale << " mask \"" << c.mask << "\" scaled " << c.scaled;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatCurrTable,
    ::testing::Values(
        // A currency 1.005 is exact, so it rounds up where the double does not.
        CurrMaskCase{Locale::US, "0.00", 10050, "1.01"}, CurrMaskCase{Locale::US, "0.00", -10050, "-1.01"},
        CurrMaskCase{Locale::US, "#,##0.0000", INT64_MAX, "922,337,203,685,477.5807"},
        CurrMaskCase{Locale::US, "#,##0.0000", INT64_MIN, "-922,337,203,685,477.5808"},
        CurrMaskCase{Locale::US, "0", 5000, "1"}, CurrMaskCase{Locale::US, "0.0;(0.0);'-'", 0, "-"},
        CurrMaskCase{Locale::US, "", 12345, "1.2345"},
        CurrMaskCase{Locale::TR, "#,##0.00 'TL'", 12345678900, "1.234.567,89 TL"}));

TEST(FormatCurr, ADoubleOfOnePointZeroZeroFiveBecomesAnExactCurrency) {
  EXPECT_EQ(FormatCurr("0.00", Currency(1.005), USFormatSettings()), "1.01");
  EXPECT_EQ(FormatFloat("0.00", 1.005, USFormatSettings()), "1.00");
}

}  // namespace
