// Round (halves to even), Trunc, Frac, Int and the checked integer helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "classlib/system/exceptions.h"
#include "classlib/system/mathutils.h"

namespace {

struct RoundCase {
  double value;
  std::int64_t expected;
};

class RoundTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTable, NearestWithHalvesToEven) {
  EXPECT_EQ(Round(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTable,
    ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2}, RoundCase{3.5, 4},
                      RoundCase{-0.5, 0}, RoundCase{-1.5, -2}, RoundCase{-2.5, -2}, RoundCase{40.5, 40},
                      RoundCase{41.5, 42}, RoundCase{2.4999999, 2}, RoundCase{2.5000001, 3}, RoundCase{-3.7, -4},
                      RoundCase{0.49999999999999994, 0}, RoundCase{1e15 + 0.5, 1000000000000000},
                      RoundCase{4503599627370497.0, 4503599627370497},
                      RoundCase{-9223372036854775808.0, INT64_MIN}));

TEST(Round, RaisesOutsideTheInt64Range) {
  EXPECT_THROW(Round(9223372036854775808.0), EInvalidOp);
  EXPECT_THROW(Round(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
  EXPECT_THROW(Round(-std::numeric_limits<double>::infinity()), EInvalidOp);
  try {
    Round(1e30);
    FAIL();
  } catch (const EInvalidOp& e) {
    EXPECT_EQ(e.Message, "Invalid floating point operation");
  }
}

TEST(Trunc, TowardZero) {
  EXPECT_EQ(Trunc(1.9), 1);
  EXPECT_EQ(Trunc(-1.9), -1);
  EXPECT_EQ(Trunc(-0.1), 0);
  EXPECT_EQ(Trunc(4294967296.7), std::int64_t{4294967296});
  EXPECT_THROW(Trunc(1e19), EInvalidOp);
  EXPECT_THROW(Trunc(std::numeric_limits<double>::infinity()), EInvalidOp);
}

TEST(FracAndInt, KeepTheSign) {
  EXPECT_DOUBLE_EQ(Frac(-1.25), -0.25);
  EXPECT_DOUBLE_EQ(Frac(3.75), 0.75);
  EXPECT_DOUBLE_EQ(Int(-1.75), -1.0);
  EXPECT_DOUBLE_EQ(Int(2.999), 2.0);
  EXPECT_DOUBLE_EQ(Int(1e300), 1e300);
}

struct CheckedCase {
  const char* name;
  std::function<int()> operation;
  int expected;  // when it does not raise
  bool overflows;
};

class CheckedTable : public ::testing::TestWithParam<CheckedCase> {};

TEST_P(CheckedTable, ResultOrIntegerOverflow) {
  const CheckedCase& c = GetParam();
  if (!c.overflows) {
    EXPECT_EQ(c.operation(), c.expected) << c.name;
    return;
  }
  try {
    c.operation();
    FAIL() << c.name << " did not overflow";
  } catch (const EIntOverflow& e) {
    EXPECT_EQ(e.Message, "Integer overflow") << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckedTable,
    ::testing::Values(CheckedCase{"add", [] { return CheckedAdd(INT_MAX - 1, 1); }, INT_MAX, false},
                      CheckedCase{"add max", [] { return CheckedAdd(INT_MAX, 1); }, 0, true},
                      CheckedCase{"add min", [] { return CheckedAdd(INT_MIN, -1); }, 0, true},
                      CheckedCase{"sub", [] { return CheckedSub(-5, 7); }, -12, false},
                      CheckedCase{"sub min", [] { return CheckedSub(INT_MIN, 1); }, 0, true},
                      CheckedCase{"sub from zero", [] { return CheckedSub(0, INT_MIN); }, 0, true},
                      CheckedCase{"mul", [] { return CheckedMul(-65536, 32768); }, INT_MIN, false},
                      CheckedCase{"mul over", [] { return CheckedMul(65536, 32768); }, 0, true},
                      CheckedCase{"mul neg", [] { return CheckedMul(-3, -4); }, 12, false},
                      CheckedCase{"neg", [] { return CheckedNeg(INT_MAX); }, -INT_MAX, false},
                      CheckedCase{"neg min", [] { return CheckedNeg(INT_MIN); }, 0, true},
                      CheckedCase{"div", [] { return CheckedDiv(-7, 2); }, -3, false},
                      CheckedCase{"div min", [] { return CheckedDiv(INT_MIN, -1); }, 0, true},
                      CheckedCase{"narrow", [] { return CheckedInt32(-2147483648LL); }, INT_MIN, false},
                      CheckedCase{"narrow over", [] { return CheckedInt32(2147483648LL); }, 0, true}),
    [](const ::testing::TestParamInfo<CheckedCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (ch == ' ')
          ch = '_';
      return name;
    });

TEST(CheckedDiv, ByZeroRaisesDivByZero) {
  try {
    CheckedDiv(5, 0);
    FAIL();
  } catch (const EDivByZero& e) {
    EXPECT_EQ(e.Message, "Division by zero");
  }
}

}  // namespace
