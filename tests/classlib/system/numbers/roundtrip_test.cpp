// Properties over many values: 18 significant digits read back to the same
// double, and grouped integers are the plain integers with separators.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "classlib/system/numconv.h"
#include "locales.h"

namespace {

// Finite doubles spread over the whole exponent range.
double RandomDouble(std::mt19937_64& random) {
  for (;;) {
    double value = std::bit_cast<double>(random());
    if (std::isfinite(value))
      return value;
  }
}

AnsiString WithoutSeparators(AnsiString text, char separator) {
  std::erase(text, separator);
  return text;
}

class RoundTrip : public ::testing::TestWithParam<Locale> {};

TEST_P(RoundTrip, EighteenDigitsReadBackExactly) {
  const TFormatSettings& s = SettingsOf(GetParam());
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 5000; ++i) {
    const double value = RandomDouble(random);
    const AnsiString exponent = FloatToStrF(value, ffExponent, 18, 0, s);
    ASSERT_EQ(StrToFloat(exponent, s), value) << exponent;
    const AnsiString general = FloatToStrF(value, ffGeneral, 18, 0, s);
    ASSERT_EQ(StrToFloat(general, s), value) << general;
    const AnsiString masked = FormatFloat("0.00000000000000000E+0", value, s);
    ASSERT_EQ(StrToFloat(masked, s), value) << masked;
  }
}

TEST_P(RoundTrip, GroupedIntegersAreThePlainIntegers) {
  const TFormatSettings& s = SettingsOf(GetParam());
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::int64_t> digits(-999999999999999, 999999999999999);
  for (int i = 0; i < 5000; ++i) {
    const std::int64_t n = digits(random);
    const double value = static_cast<double>(n);
    ASSERT_EQ(WithoutSeparators(FormatFloat("#,##0", value, s), s.ThousandSeparator), IntToStr(n));
    ASSERT_EQ(WithoutSeparators(FloatToStrF(value, ffNumber, 15, 0, s), s.ThousandSeparator), IntToStr(n));
    ASSERT_EQ(FormatFloat("0", value, s), IntToStr(n));
    ASSERT_EQ(FloatToStr(value, s), IntToStr(n));
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, RoundTrip, ::testing::Values(Locale::US, Locale::TR));

}  // namespace
