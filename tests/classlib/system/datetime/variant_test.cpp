// Variant type codes, conversions, arithmetic and comparison.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "classlib/system/datetime.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/formatsettings.h"
#include "classlib/system/variant.h"

namespace {

class TurkishVariants : public testing::Test {
protected:
  FormatSettingsScope scope_{TurkishFormatSettings()};
};

class USVariants : public testing::Test {
protected:
  FormatSettingsScope scope_{USFormatSettings()};
};

// The message of the EVariantError that `action` raises.
template <typename Action>
std::string VariantErrorOf(Action action) {
  try {
    action();
  } catch (const EVariantError& e) {
    return e.Message;
  }
  return "(no EVariantError)";
}

TEST(Variant, ConstructionGivesThePlatformTypeCodes) {
  const struct {
    Variant value;
    TVarType type;
  } cases[] = {
      {Variant(), 0x0000},
      {Null(), 0x0001},
      {Variant(std::int16_t(1)), 0x0002},
      {Variant(1), 0x0003},
      {Variant(1.5f), 0x0004},
      {Variant(1.5), 0x0005},
      {Variant(Currency(2)), 0x0006},
      {VarFromDateTime(EncodeDate(2024, 3, 5)), 0x0007},
      {Variant(u"abc"), 0x0008},
      {Variant(true), 0x000B},
      {Variant(std::int8_t(-1)), 0x0010},
      {Variant(std::uint8_t(1)), 0x0011},
      {Variant(std::uint16_t(1)), 0x0012},
      {Variant(std::uint32_t(1)), 0x0013},
      {Variant(std::int64_t(1)), 0x0014},
      {Variant("abc"), 0x0100},
      {Variant(AnsiString("abc")), 0x0100},
      {Variant('x'), 0x0100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(VarTypeAsText(c.type));
    EXPECT_EQ(VarType(c.value), c.type);
  }
  EXPECT_TRUE(VarIsEmpty(Unassigned()));
  EXPECT_FALSE(VarIsEmpty(Null()));
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_FALSE(VarIsNull(Variant(0)));
  EXPECT_THROW(Variant(std::uint64_t(1) << 63), EVariantError);
}

TEST(Variant, TypeNames) {
  EXPECT_EQ(VarTypeAsText(varNull), "Null");
  EXPECT_EQ(VarTypeAsText(varInteger), "Integer");
  EXPECT_EQ(VarTypeAsText(varOleStr), "OleStr");
  EXPECT_EQ(VarTypeAsText(varString), "String");
  EXPECT_EQ(VarTypeAsText(varInt64), "Int64");
  EXPECT_EQ(VarTypeAsText(varArray | varInteger), "Array Integer");
}

TEST_F(TurkishVariants, TextOfValues) {
  const struct {
    Variant value;
    const char* text;
  } cases[] = {
      {Null(), ""},
      {Unassigned(), ""},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant(-42), "-42"},
      {Variant(std::int64_t(1) << 40), "1099511627776"},
      {Variant(2.5), "2,5"},
      {Variant(0.1f), "0,1"},
      {Variant(Currency::FromScaled(15000)), "1,5"},
      {VarFromDateTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0)), "05.03.2024 14:07:09"},
      {Variant(u"\u011F\u0130"), "\xF0\xDD"},
      {Variant("\xFE"), "\xFE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(VarToStr(c.value), c.text);
  }
  EXPECT_EQ(VariantErrorOf([] { Null().AsString(); }),
            "Could not convert variant of type (Null) into type (String)");
}

TEST_F(USVariants, TextOfNumbersUsesTheUSSeparator) {
  EXPECT_EQ(VarToStr(Variant(2.5)), "2.5");
  EXPECT_EQ(VarToStr(Variant(Currency::FromScaled(15000))), "1.5");
  EXPECT_EQ(VarToStr(VarFromDateTime(EncodeDate(2024, 3, 5))), "3/5/2024");
}

TEST_F(TurkishVariants, TextToNumbersWithTheTurkishSeparator) {
  EXPECT_EQ(Variant("2,5").AsDouble(), 2.5);
  EXPECT_EQ(Variant(" -12,25 ").AsDouble(), -12.25);
  EXPECT_EQ(Variant("2,5").AsInteger(), 2) << "halves to even";
  EXPECT_EQ(Variant("3,5").AsInteger(), 4);
  EXPECT_EQ(Variant("42").AsInteger(), 42);
  EXPECT_EQ(Variant("$FF").AsInteger(), 255);
  EXPECT_EQ(Variant("2,5").AsCurrency(), Currency::FromScaled(25000));
  EXPECT_EQ(Variant(u"7,25").AsDouble(), 7.25);
  EXPECT_EQ(VariantErrorOf([] { Variant("2.5").AsDouble(); }),
            "Could not convert variant of type (String) into type (Double)");
  EXPECT_EQ(VariantErrorOf([] { Variant("abc").AsInteger(); }),
            "Could not convert variant of type (String) into type (Integer)");
  EXPECT_EQ(Variant("05.03.2024").AsDateTime(), EncodeDate(2024, 3, 5));
}

TEST_F(USVariants, TextToNumbersWithTheUSSeparator) {
  EXPECT_EQ(Variant("2.5").AsDouble(), 2.5);
  EXPECT_THROW(Variant("2,5").AsDouble(), EVariantError);
  EXPECT_EQ(Variant("3/5/2024").AsDateTime(), EncodeDate(2024, 3, 5));
  EXPECT_THROW(Variant("05.03.2024").AsDateTime(), EVariantError);
}

TEST(Variant, NumericConversions) {
  EXPECT_EQ(Variant(2.5).AsInteger(), 2);
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant(-2.5).AsInteger(), -2);
  EXPECT_EQ(Variant(Currency::FromScaled(25000)).AsInteger(), 2);
  EXPECT_EQ(Variant(Currency::FromScaled(-35000)).AsInteger(), -4);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Unassigned().AsInteger(), 0);
  EXPECT_EQ(Unassigned().AsDouble(), 0);
  EXPECT_EQ(Variant(std::uint32_t(4000000000u)).AsInt64(), 4000000000);
  EXPECT_EQ(VariantErrorOf([] { Variant(1e10).AsInteger(); }),
            "Overflow while converting variant of type (Double) into type (Integer)");
  EXPECT_EQ(VariantErrorOf([] { Variant(std::int64_t(1) << 40).AsInteger(); }),
            "Overflow while converting variant of type (Int64) into type (Integer)");
  EXPECT_EQ(VariantErrorOf([] { Null().AsInteger(); }),
            "Could not convert variant of type (Null) into type (Integer)");
  EXPECT_EQ(VariantErrorOf([] { Null().AsDouble(); }),
            "Could not convert variant of type (Null) into type (Double)");
  EXPECT_THROW(Variant(1e300).AsCurrency(), EVariantError);
}

TEST(Variant, BooleanConversions) {
  const struct {
    Variant value;
    bool expected;
  } cases[] = {{Variant("true"), true}, {Variant("FALSE"), false}, {Variant("0"), false}, {Variant("2"), true},
               {Variant(0), false},     {Variant(-1), true},       {Variant(0.5), true},  {Unassigned(), false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(VarToStr(c.value));
    EXPECT_EQ(c.value.AsBoolean(), c.expected);
  }
  EXPECT_THROW(Variant("x").AsBoolean(), EVariantError);
}

TEST_F(TurkishVariants, VarAsType) {
  const struct {
    Variant value;
    TVarType type;
    Variant expected;
  } cases[] = {
      {Variant("12"), varInteger, Variant(12)},
      {Variant(3.7), varSmallint, Variant(std::int16_t(4))},
      {Variant(1), varBoolean, Variant(true)},
      {Variant("abc"), varOleStr, Variant(u"abc")},
      {Variant(5), varString, Variant("5")},
      {Variant(2.5), varCurrency, Variant(Currency::FromScaled(25000))},
      {Variant("05.03.2024"), varDate, VarFromDateTime(EncodeDate(2024, 3, 5))},
      {Variant(2.25), varSingle, Variant(2.25f)},
      {Variant(7), varEmpty, Unassigned()},
      {Variant(7), varNull, Null()},
      {Null(), varNull, Null()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << VarToStr(c.value) << " as " << VarTypeAsText(c.type));
    const Variant converted = VarAsType(c.value, c.type);
    EXPECT_EQ(VarType(converted), c.type);
    EXPECT_EQ(VarType(converted), VarType(c.expected));
    EXPECT_TRUE(converted == c.expected);
  }
  EXPECT_EQ(VariantErrorOf([] { VarAsType(Variant(300), varByte); }),
            "Overflow while converting variant of type (Integer) into type (Byte)");
  EXPECT_THROW(VarAsType(Variant(-1), varByte), EVariantError);
  EXPECT_THROW(VarAsType(Variant(70000), varSmallint), EVariantError);
  EXPECT_THROW(VarAsType(Variant(1e300), varSingle), EVariantError);
  EXPECT_EQ(VariantErrorOf([] { VarAsType(Null(), varString); }),
            "Could not convert variant of type (Null) into type (String)");
  EXPECT_THROW(VarAsType(Variant(1), varDispatch), EVariantError);
}

// ---- Arithmetic -------------------------------------------------------------

void ExpectValue(const Variant& actual, TVarType type, const Variant& expected) {
  EXPECT_EQ(VarTypeAsText(VarType(actual)), VarTypeAsText(type));
  EXPECT_TRUE(actual == expected) << VarToStr(actual) << " != " << VarToStr(expected);
}

TEST_F(TurkishVariants, AdditionByOperandTypes) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  const struct {
    const char* name;
    Variant a, b;
    TVarType type;
    Variant expected;
  } cases[] = {
      {"int + int", Variant(2), Variant(3), varInteger, Variant(5)},
      {"smallint + byte", Variant(std::int16_t(2)), Variant(std::uint8_t(3)), varInteger, Variant(5)},
      {"text + text", Variant("ab"), Variant("cd"), varString, Variant("abcd")},
      {"text + empty", Variant("ab"), Unassigned(), varString, Variant("ab")},
      {"olestr + olestr", Variant(u"ab"), Variant(u"c"), varOleStr, Variant(u"abc")},
      {"olestr + text", Variant(u"ab"), Variant("c"), varString, Variant("abc")},
      {"text + int", Variant("2"), Variant(3), varDouble, Variant(5.0)},
      {"text + int, Turkish decimals", Variant("2,5"), Variant(1), varDouble, Variant(3.5)},
      {"empty + int", Unassigned(), Variant(5), varInteger, Variant(5)},
      {"null + int", Null(), Variant(1), varNull, Null()},
      {"int + null", Variant(1), Null(), varNull, Null()},
      {"null + text", Null(), Variant("a"), varNull, Null()},
      {"int overflow widens", Variant(INT_MAX), Variant(1), varInt64, Variant(std::int64_t(INT_MAX) + 1)},
      {"int64 + int", Variant(std::int64_t(5)), Variant(1), varInt64, Variant(std::int64_t(6))},
      {"longword + int", Variant(std::uint32_t(5)), Variant(1), varInt64, Variant(std::int64_t(6))},
      {"int + double", Variant(2), Variant(2.5), varDouble, Variant(4.5)},
      {"single + single", Variant(1.5f), Variant(1.25f), varDouble, Variant(2.75)},
      {"currency + int", Variant(Currency::FromScaled(15000)), Variant(2), varCurrency,
       Variant(Currency::FromScaled(35000))},
      {"currency + double", Variant(Currency::FromScaled(15000)), Variant(0.25), varDouble, Variant(1.75)},
      {"boolean + int", Variant(true), Variant(1), varInteger, Variant(0)},
      {"date + int", VarFromDateTime(day), Variant(1), varDate, VarFromDateTime(day + 1)},
      {"date + double", VarFromDateTime(day), Variant(0.5), varDate, VarFromDateTime(day + 0.5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectValue(c.a + c.b, c.type, c.expected);
  }
}

TEST_F(USVariants, TextPlusNumberUsesTheUSSeparator) {
  ExpectValue(Variant("2.5") + Variant(1), varDouble, Variant(3.5));
  EXPECT_THROW(Variant("2,5") + Variant(1), EVariantError);
}

TEST(VariantArithmetic, OtherOperators) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  ExpectValue(Variant(7) - Variant(9), varInteger, Variant(-2));
  ExpectValue(Variant(INT_MIN) - Variant(1), varInt64, Variant(std::int64_t(INT_MIN) - 1));
  ExpectValue(Variant(6) * Variant(7), varInteger, Variant(42));
  ExpectValue(Variant(65536) * Variant(65536), varInt64, Variant(std::int64_t(1) << 32));
  ExpectValue(Variant(2) * Variant(2.5), varDouble, Variant(5.0));
  ExpectValue(Variant(Currency::FromScaled(15000)) * Variant(Currency(2)), varCurrency, Variant(Currency(3)));
  ExpectValue(Variant(10) / Variant(4), varDouble, Variant(2.5));
  ExpectValue(Variant(10) / Variant(3), varDouble, Variant(10.0 / 3));
  ExpectValue(VarFromDateTime(day + 3) - VarFromDateTime(day), varDouble, Variant(3.0));
  ExpectValue(VarFromDateTime(day) - Variant(1), varDate, VarFromDateTime(day - 1));
  ExpectValue(VarFromDateTime(day) * Variant(2), varDouble, Variant(day * 2));
  ExpectValue(Null() - Variant(1), varNull, Null());
  ExpectValue(Null() / Variant(0), varNull, Null());
  ExpectValue(Unassigned() - Unassigned(), varInteger, Variant(0));
  EXPECT_THROW(Variant("a") - Variant("b"), EVariantError);
  EXPECT_THROW(Variant(INT64_MAX) + Variant(1), EIntOverflow);
  EXPECT_THROW(Variant(INT64_MIN) * Variant(-1), EIntOverflow);
  EXPECT_THROW(Variant(1) / Variant(0), EZeroDivide);
  EXPECT_THROW(Variant(0) / Variant(0.0), EInvalidOp);
  EXPECT_THROW(Variant(1e308) * Variant(10), EOverflow);
}

TEST(VariantArithmetic, NegationAndNot) {
  ExpectValue(-Variant(5), varInteger, Variant(-5));
  ExpectValue(-Variant(INT_MIN), varInt64, Variant(-std::int64_t(INT_MIN)));
  ExpectValue(-Variant(2.5), varDouble, Variant(-2.5));
  ExpectValue(-Variant("3"), varDouble, Variant(-3.0));
  ExpectValue(-Null(), varNull, Null());
  ExpectValue(!Variant(true), varBoolean, Variant(false));
  ExpectValue(!Variant(false), varBoolean, Variant(true));
  ExpectValue(!Variant(5), varInteger, Variant(-6));
  ExpectValue(!Variant(std::int64_t(0)), varInt64, Variant(std::int64_t(-1)));
  ExpectValue(!Variant("True"), varBoolean, Variant(false));
  ExpectValue(!Null(), varNull, Null());
}

TEST(VariantArithmetic, AccumulatingASumAverageMinimumAndMaximum) {
  Variant sum = 0, min, max;
  for (int value : {2, 3, 5}) {
    const Variant v(value);
    sum += v;
    if (VarIsEmpty(max) || v > max) max = v;
    if (VarIsEmpty(min) || v < min) min = v;
  }
  ExpectValue(sum, varInteger, Variant(10));
  ExpectValue(min, varInteger, Variant(2));
  ExpectValue(max, varInteger, Variant(5));
  ExpectValue(sum / Variant(3), varDouble, Variant(10.0 / 3));
}

// ---- Comparison -------------------------------------------------------------

TEST(VariantCompare, NullAndEmpty) {
  EXPECT_TRUE(Null() == Null());
  EXPECT_FALSE(Null() == Variant(0));
  EXPECT_FALSE(Null() == Unassigned());
  EXPECT_TRUE(Null() != Variant(""));
  EXPECT_TRUE(Unassigned() == Unassigned());
  EXPECT_TRUE(Unassigned() == Variant(0));
  EXPECT_TRUE(Unassigned() == Variant(""));
  EXPECT_TRUE(Unassigned() == Variant(false));
  EXPECT_FALSE(Unassigned() == Variant(1));
  // In ordering Null counts as Empty.
  EXPECT_TRUE(Null() < Variant(1));
  EXPECT_FALSE(Null() < Variant(-1));
  EXPECT_TRUE(Variant(-1) < Null());
  EXPECT_FALSE(Null() < Null());
  EXPECT_TRUE(Null() < Variant("a"));
}

TEST(VariantCompare, MixedTypes) {
  const struct {
    const char* name;
    Variant a, b;
    int order;  // -1 a < b, 0 equal, 1 a > b
  } cases[] = {
      {"int int", Variant(2), Variant(3), -1},
      {"int double", Variant(2), Variant(2.0), 0},
      {"smallint int64", Variant(std::int16_t(2)), Variant(std::int64_t(2)), 0},
      {"currency double", Variant(Currency::FromScaled(25000)), Variant(2.5), 0},
      {"currency int", Variant(Currency(2)), Variant(2), 0},
      {"currency int less", Variant(Currency::FromScaled(19999)), Variant(2), -1},
      {"big int64s", Variant(INT64_MAX), Variant(INT64_MAX - 1), 1},
      {"text text", Variant("abc"), Variant("abd"), -1},
      {"text text digits", Variant("9"), Variant("10"), 1},
      {"text int numeric", Variant("9"), Variant(10), -1},
      {"text int numeric 2", Variant("10"), Variant(9), 1},
      {"olestr text", Variant(u"abc"), Variant("abc"), 0},
      {"turkish letters", Variant("\xE7"), Variant("d"), -1},
      {"dotless i", Variant("\xFD"), Variant("i"), -1},
      {"booleans", Variant(false), Variant(true), -1},
      {"boolean int", Variant(true), Variant(-1), 0},
      {"date double", VarFromDateTime(2.5), Variant(2.5), 0},
      {"date date", VarFromDateTime(1), VarFromDateTime(2), -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.a == c.b, c.order == 0);
    EXPECT_EQ(c.a != c.b, c.order != 0);
    EXPECT_EQ(c.a < c.b, c.order < 0);
    EXPECT_EQ(c.a > c.b, c.order > 0);
    EXPECT_EQ(c.a <= c.b, c.order <= 0);
    EXPECT_EQ(c.a >= c.b, c.order >= 0);
    EXPECT_EQ(VarCompareValue(c.a, c.b), c.order == 0 ? vrEqual : (c.order < 0 ? vrLessThan : vrGreaterThan));
  }
  EXPECT_THROW((void)(Variant("abc") < Variant(5)), EVariantError);
}

TEST(VariantCompare, CompareValueSetsEmptyAndNullApart) {
  EXPECT_EQ(VarCompareValue(Unassigned(), Variant(0)), vrNotEqual);
  EXPECT_EQ(VarCompareValue(Variant(0), Unassigned()), vrNotEqual);
  EXPECT_EQ(VarCompareValue(Unassigned(), Unassigned()), vrEqual);
  EXPECT_EQ(VarCompareValue(Null(), Null()), vrEqual);
  EXPECT_EQ(VarCompareValue(Null(), Unassigned()), vrNotEqual);
  EXPECT_EQ(VarCompareValue(Variant(1), Null()), vrNotEqual);
}

}  // namespace
