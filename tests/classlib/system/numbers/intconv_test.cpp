// IntToStr, IntToHex and the integer parsers.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "classlib/system/exceptions.h"
#include "classlib/system/numconv.h"

namespace {

TEST(IntToStr, AllWidths) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-17), "-17");
  EXPECT_EQ(IntToStr(INT_MIN), "-2147483648");
  EXPECT_EQ(IntToStr(INT64_MAX), "9223372036854775807");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToStr(static_cast<long long>(1) << 40), "1099511627776");
  EXPECT_EQ(IntToStr(static_cast<unsigned short>(65535)), "65535");
  EXPECT_EQ(IntToStr(4294967295u), "4294967295");
  EXPECT_EQ(IntToStr(UINT64_MAX), "18446744073709551615");
}

TEST(IntToHex, PadsAndShowsTwosComplementOfTheWidth) {
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");  // never cut
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(std::int64_t{-1}, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(std::int64_t{0x123456789}, 12), "000123456789");
}

struct IntCase {
  const char* text;
  int expected;
};

class StrToIntAccepts : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntAccepts, Parses) {
  EXPECT_EQ(StrToInt(GetParam().text), GetParam().expected) << GetParam().text;
  int value = 0;
  EXPECT_TRUE(TryStrToInt(GetParam().text, value));
  EXPECT_EQ(value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToIntAccepts,
    ::testing::Values(IntCase{"0", 0}, IntCase{"12", 12}, IntCase{"  12", 12}, IntCase{"+7", 7}, IntCase{"-0", 0},
                      IntCase{"-15", -15}, IntCase{"007", 7}, IntCase{"$FF", 255}, IntCase{"$ff", 255},
                      IntCase{"0x1F", 31}, IntCase{"0X1f", 31}, IntCase{"-$10", -16}, IntCase{"$FFFFFFFF", -1},
                      IntCase{"$80000000", INT_MIN}, IntCase{"2147483647", INT_MAX},
                      IntCase{"-2147483648", INT_MIN}));

class StrToIntRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(StrToIntRejects, RaisesWithThePlatformsText) {
  const AnsiString text = GetParam();
  try {
    StrToInt(text);
    FAIL() << "accepted '" << text << "'";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'" + text + "' is not a valid integer value");
  }
  int value = 99;
  EXPECT_FALSE(TryStrToInt(text, value));
  EXPECT_EQ(value, 99);  // untouched on failure
  EXPECT_EQ(StrToIntDef(text, -3), -3);
}

INSTANTIATE_TEST_SUITE_P(Cases, StrToIntRejects,
                         ::testing::Values("", " ", "12 ", "1.5", "1,5", "2147483648", "-2147483649", "abc", "$",
                                           "0x", "--1", "+-1", "1e3", "$100000000", "12a", "- 1"));

TEST(StrToInt64, FullRange) {
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt64(" 4294967296"), std::int64_t{4294967296});
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 5), 5);
  std::int64_t value = 0;
  EXPECT_TRUE(TryStrToInt64("-$7FFFFFFFFFFFFFFF", value));
  EXPECT_EQ(value, -INT64_MAX);
  EXPECT_FALSE(TryStrToInt64("$10000000000000000", value));
  try {
    StrToInt64("12x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'12x' is not a valid integer value");
  }
}

}  // namespace
