// Currency: exact four-decimal arithmetic, rounding halves to even.
#include <gtest/gtest.h>

#include <cstdint>

#include "classlib/system/currency.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/numconv.h"

namespace {

Currency Scaled(std::int64_t units) { return Currency::FromScaled(units); }

TEST(Currency, FromDoubleRoundsToFourDecimals) {
  EXPECT_EQ(Currency(1.23456).Scaled(), 12346);
  EXPECT_EQ(Currency(-1.23454).Scaled(), -12345);
  EXPECT_EQ(Currency(1.005).Scaled(), 10050);
  EXPECT_EQ(Currency(0.0).Scaled(), 0);
  EXPECT_EQ(Currency(922337203685477.0).Scaled(), 9223372036854770000);
}

TEST(Currency, ExactHalvesGoToEven) {
  // No double is an exact half of 1/10000, but products and quotients are.
  EXPECT_EQ((Scaled(1) * Scaled(5000)).Scaled(), 0);   // 0.00005 -> 0
  EXPECT_EQ((Scaled(3) * Scaled(5000)).Scaled(), 2);   // 0.00015 -> 0.0002
  EXPECT_EQ((Scaled(-3) * Scaled(5000)).Scaled(), -2);
  EXPECT_EQ((Scaled(5) / Currency(10)).Scaled(), 0);   // 0.00005
  EXPECT_EQ((Scaled(15) / Currency(10)).Scaled(), 2);  // 0.00015
}

TEST(Currency, Arithmetic) {
  EXPECT_EQ(Currency(0.1) + Currency(0.2), Currency(0.3));
  EXPECT_EQ((Currency(10) - Currency(0.0001)).Scaled(), 99999);
  EXPECT_EQ((Currency(1) / Currency(3)).Scaled(), 3333);
  EXPECT_EQ((Currency(2) / Currency(3)).Scaled(), 6667);
  EXPECT_EQ((Currency(-2) / Currency(3)).Scaled(), -6667);
  EXPECT_EQ((Currency(1.5) * Currency(-2.25)).Scaled(), -33750);
  EXPECT_EQ((-Currency(4)).Scaled(), -40000);
  EXPECT_DOUBLE_EQ(Currency(1234.5678).ToDouble(), 1234.5678);
  EXPECT_EQ(Currency::FromInt64(-3).Scaled(), -30000);
}

TEST(Currency, Comparisons) {
  EXPECT_LT(Currency(-1), Currency(0.0001));
  EXPECT_GT(Currency(2.5), Currency(2.4999));
  EXPECT_NE(Currency(1), Scaled(10001));
  EXPECT_LE(Currency(1), Scaled(10000));
}

TEST(Currency, OutOfRangeRaisesInvalidOp) {
  const Currency max = Scaled(INT64_MAX);
  EXPECT_THROW(max + Scaled(1), EInvalidOp);
  EXPECT_THROW(Scaled(INT64_MIN) - Scaled(1), EInvalidOp);
  EXPECT_THROW(-Scaled(INT64_MIN), EInvalidOp);
  EXPECT_THROW(max * Currency(2), EInvalidOp);
  EXPECT_THROW(Currency(1e15), EInvalidOp);
  EXPECT_THROW(Currency(-1e300), EInvalidOp);
  EXPECT_THROW(Currency::FromInt64(INT64_MAX / 1000), EInvalidOp);
  try {
    Currency(1e300);
    FAIL();
  } catch (const EInvalidOp& e) {
    EXPECT_EQ(e.Message, "Invalid floating point operation");
  }
}

TEST(Currency, DivisionByZeroRaisesZeroDivide) {
  try {
    Currency(1) / Currency(0);
    FAIL();
  } catch (const EZeroDivide& e) {
    EXPECT_EQ(e.Message, "Floating point division by zero");
  }
}

TEST(CurrToStr, ShortestTextWithTheSettings) {
  EXPECT_EQ(CurrToStr(Currency(1234.5), USFormatSettings()), "1234.5");
  EXPECT_EQ(CurrToStr(Scaled(-1), TurkishFormatSettings()), "-0,0001");
  EXPECT_EQ(CurrToStr(Currency(7), USFormatSettings()), "7");
  EXPECT_EQ(CurrToStr(Scaled(INT64_MIN), USFormatSettings()), "-922337203685477.5808");
}

}  // namespace
