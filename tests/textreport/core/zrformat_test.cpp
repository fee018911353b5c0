#include "textreport/core/zrformat.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "classlib/system/datetime.h"
#include "classlib/system/formatsettings.h"

namespace {

using S = AnsiString;

struct KindCase {
  const char* what;
  Variant value;
  TZRValueKind kind;
  bool blank;
};

std::vector<KindCase> KindCases() {
  return {
      {"empty", Variant(), zvkNone, true},
      {"null", Null(), zvkNull, true},
      {"16-bit 0", Variant(std::int16_t{0}), zvkInteger, true},
      {"16-bit", Variant(std::int16_t{-7}), zvkInteger, false},
      {"32-bit", Variant(42), zvkInteger, false},
      {"byte", Variant(std::uint8_t{200}), zvkInteger, false},
      {"word", Variant(std::uint16_t{60000}), zvkInteger, false},
      {"longword", Variant(std::uint32_t{4000000000u}), zvkInteger, false},
      {"int64 0", Variant(std::int64_t{0}), zvkInteger, true},
      {"int64", Variant(std::int64_t{1} << 40), zvkInteger, false},
      {"8-bit signed", Variant(std::int8_t{5}), zvkNone, true},
      {"single", Variant(0.5f), zvkFloat, false},
      {"double 0", Variant(0.0), zvkFloat, true},
      {"double", Variant(-2.25), zvkFloat, false},
      {"currency 0", Variant(Currency(0)), zvkCurrency, true},
      {"currency", Variant(Currency(12)), zvkCurrency, false},
      {"date", VarFromDateTime(EncodeDate(2024, 3, 5)), zvkDate, false},
      {"date 0", VarFromDateTime(0), zvkDate, false},
      {"string", Variant("abc"), zvkString, false},
      {"blank string", Variant(" \t "), zvkString, true},
      {"empty string", Variant(""), zvkString, true},
      {"wide string", Variant(u"xyz"), zvkString, false},
      {"true", Variant(true), zvkBoolean, false},
      {"false", Variant(false), zvkBoolean, false},
  };
}

class ValueFormat : public testing::TestWithParam<bool> {  // true: Turkish settings
protected:
  bool Turkish() const { return GetParam(); }
  FormatSettingsScope scope_{GetParam() ? TurkishFormatSettings() : USFormatSettings()};
  TZFormat format_;
};

TEST_P(ValueFormat, ClassifyAndBlank) {
  for (const KindCase& c : KindCases()) {
    EXPECT_EQ(ClassifyValue(c.value), c.kind) << c.what;
    EXPECT_EQ(IsBlankValue(c.value), c.blank) << c.what;
  }
}

TEST_P(ValueFormat, Defaults) {
  EXPECT_FALSE(format_.BlankIfZero());
  EXPECT_EQ(format_.FloatFormat(), ffGeneral);
  EXPECT_EQ(format_.Digits(), 0);
  EXPECT_EQ(format_.DisplayMask(), "");
  EXPECT_EQ(format_.Width(), 16);
}

struct FormatCase {
  const char* what;
  Variant value;
  TFloatFormat floatFormat;
  int digits;
  const char* mask;
  S turkish;
  S us;
};

TEST_P(ValueFormat, EveryKind) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  const TDateTime afternoon = day + EncodeTime(14, 30, 0, 0);
  const FormatCase cases[] = {
      {"none", Variant(), ffFixed, 2, "", "", ""},
      {"null", Null(), ffFixed, 2, "0.00", "", ""},
      {"string", Variant("abc"), ffGeneral, 0, "", "abc", "abc"},
      {"string, mask", Variant("5551234"), ffGeneral, 0, "000-0000;0;_", "555-1234", "555-1234"},
      {"integer", Variant(1234), ffGeneral, 0, "", "1234", "1234"},
      {"integer, mask", Variant(1234567), ffGeneral, 0, "#,##0", "1.234.567", "1,234,567"},
      {"fixed", Variant(1234.5), ffFixed, 2, "", "1234,50", "1234.50"},
      {"number", Variant(1234.5), ffNumber, 2, "", "1.234,50", "1,234.50"},
      {"general", Variant(1234.5), ffGeneral, 0, "", "1234,5", "1234.5"},
      {"exponent, 16 digits", Variant(1234.5), ffExponent, 2, "", "1,234500000000000E+03", "1.234500000000000E+03"},
      {"currency style ignores Digits", Variant(1234.5), ffCurrency, 0, "", "1.234,50 TL", "$1,234.50"},
      {"float, mask", Variant(-0.5), ffGeneral, 0, "0.00;(0.00)", "(0,50)", "(0.50)"},
      {"blank mask is no mask", Variant(2.5), ffFixed, 1, "   ", "2,5", "2.5"},
      {"currency", Variant(Currency(7)), ffFixed, 1, "", "7,0", "7.0"},
      {"currency, mask", Variant(Currency(1234)), ffGeneral, 0, "#,##0.00", "1.234,00", "1,234.00"},
      {"true", Variant(true), ffGeneral, 0, "", "+", "+"},
      {"false", Variant(false), ffGeneral, 0, "", "-", "-"},
      {"true, mask", Variant(true), ffGeneral, 0, "Evet;Hayır", "Evet", "Evet"},
      {"false, mask", Variant(false), ffGeneral, 0, "Evet;Hayır", "Hayır", "Hayır"},
      {"true, mask without ;", Variant(true), ffGeneral, 0, "Yes", "Yes", "Yes"},
      {"false, mask without ;", Variant(false), ffGeneral, 0, "Yes", "", ""},
      {"date", VarFromDateTime(day), ffGeneral, 0, "", "05.03.2024", "3/5/2024"},
      {"date and time", VarFromDateTime(afternoon), ffGeneral, 0, "", "05.03.2024 14:30:00", "3/5/2024 2:30:00 PM"},
      {"date, mask", VarFromDateTime(day), ffGeneral, 0, "dd/mm/yyyy", "05.03.2024", "05/03/2024"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.what);
    format_.SetFloatFormat(c.floatFormat);
    format_.SetDigits(c.digits);
    format_.SetDisplayMask(c.mask);
    EXPECT_EQ(format_.FormatValue(c.value), Turkish() ? c.turkish : c.us);
  }
}

TEST_P(ValueFormat, WidthIsThePrecision) {
  format_.SetWidth(4);
  format_.SetFloatFormat(ffExponent);
  format_.SetDigits(2);
  EXPECT_EQ(format_.FormatValue(Variant(1234.5)), Turkish() ? "1,235E+03" : "1.235E+03");
  format_.SetFloatFormat(ffGeneral);
  format_.SetWidth(3);
  EXPECT_EQ(format_.FormatValue(Variant(2.71828)), Turkish() ? "2,72" : "2.72");
}

TEST_P(ValueFormat, BlankIfZero) {
  const Variant blanks[] = {Variant(0), Variant(0.0), Null(), Variant("   "), Variant(Currency(0)), Variant()};
  format_.SetBlankIfZero(true);
  for (const Variant& v : blanks)
    EXPECT_EQ(format_.FormatValue(v), "") << VarTypeAsText(v.VarType());
  EXPECT_EQ(format_.FormatValue(Variant(false)), "-");
  format_.SetBlankIfZero(false);
  EXPECT_EQ(format_.FormatValue(Variant(0)), "0");
  EXPECT_EQ(format_.FormatValue(Variant(0.0)), "0");
  EXPECT_EQ(format_.FormatValue(Variant("   ")), "   ");
  EXPECT_EQ(format_.FormatValue(Null()), "");
}

INSTANTIATE_TEST_SUITE_P(TurkishAndUS, ValueFormat, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Turkish" : "US"; });

TEST(ZFormatChanges, OnChangeOnlyForRealChanges) {
  TZFormat format;
  int changes = 0;
  format.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &format);
    ++changes;
  };
  format.SetWidth(16);
  format.SetDigits(0);
  format.SetDisplayMask("");
  format.SetBlankIfZero(false);
  format.SetFloatFormat(ffGeneral);
  EXPECT_EQ(changes, 0);
  format.SetWidth(10);
  format.SetDigits(2);
  format.SetDisplayMask("0.0");
  format.SetBlankIfZero(true);
  format.SetFloatFormat(ffFixed);
  EXPECT_EQ(changes, 5);
}

TEST(ZFormatChanges, AssignCopiesAndReportsOnce) {
  TZFormat source;
  source.SetWidth(8);
  source.SetDigits(3);
  source.SetDisplayMask("#.##");
  source.SetBlankIfZero(true);
  source.SetFloatFormat(ffNumber);
  TZFormat copy;
  int changes = 0;
  copy.OnChange = [&](TObject*) { ++changes; };
  copy.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.Width(), 8);
  EXPECT_EQ(copy.Digits(), 3);
  EXPECT_EQ(copy.DisplayMask(), "#.##");
  EXPECT_TRUE(copy.BlankIfZero());
  EXPECT_EQ(copy.FloatFormat(), ffNumber);
  TPersistent other;
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST(ZFormatChanges, PublishedProperties) {
  TZFormat format;
  SetEnumProp(&format, "FloatFormat", "ffCurrency");
  EXPECT_EQ(format.FloatFormat(), ffCurrency);
  SetOrdProp(&format, "Width", 12);
  EXPECT_EQ(format.Width(), 12);
  EXPECT_TRUE(IsPublishedProp(&format, "OnChange"));
  EXPECT_EQ(GetPropList(&format).size(), 6u);
}

}  // namespace
