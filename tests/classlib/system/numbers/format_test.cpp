// Format: specifiers, index/width/precision, both locales, and malformed formats.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/system/exceptions.h"
#include "classlib/system/format.h"
#include "locales.h"

namespace {

// Arguments hold texts by view, so the table's AnsiString must outlive it.
const AnsiString kAnsiX = "x";

struct FormatCase {
  Locale locale;
  const char* format;
  std::vector<TVarRec> args;
  const char* expected;
};

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, Formats) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(Format(c.format, c.args, SettingsOf(c.locale)), c.expected) << c.locale << " \"" << c.format << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Integers, FormatTable,
    ::testing::Values(FormatCase{Locale::US, "%d", {42}, "42"}, FormatCase{Locale::US, "%d", {-42}, "-42"},
                      FormatCase{Locale::US, "%5d|", {42}, "   42|"}, FormatCase{Locale::US, "%-5d|", {42}, "42   |"},
                      FormatCase{Locale::US, "%.3d", {-5}, "-005"}, FormatCase{Locale::US, "%4.4d", {12}, "0012"},
                      FormatCase{Locale::US, "%d", {std::int64_t{1000000000000}}, "1000000000000"},
                      FormatCase{Locale::US, "%d", {INT64_MIN}, "-9223372036854775808"},
                      FormatCase{Locale::US, "%u", {-1}, "4294967295"},
                      FormatCase{Locale::US, "%u", {4294967295u}, "4294967295"},
                      FormatCase{Locale::US, "%x", {255}, "FF"}, FormatCase{Locale::US, "%.4X", {255}, "00FF"},
                      FormatCase{Locale::US, "%x", {-1}, "FFFFFFFF"},
                      FormatCase{Locale::US, "%x", {std::int64_t{-1}}, "FFFFFFFFFFFFFFFF"},
                      FormatCase{Locale::US, "%D", {7}, "7"}));

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatTable,
    ::testing::Values(FormatCase{Locale::US, "%s", {"abc"}, "abc"}, FormatCase{Locale::US, "%.2s", {"abc"}, "ab"},
                      FormatCase{Locale::US, "%5s|", {"ab"}, "   ab|"}, FormatCase{Locale::US, "%-5s|", {"ab"}, "ab   |"},
                      FormatCase{Locale::US, "%s", {'c'}, "c"},
                      FormatCase{Locale::US, "(%s)", {kAnsiX}, "(x)"},
                      FormatCase{Locale::US, "%s %d %s %d", {"Page", 1, "of", 3}, "Page 1 of 3"},
                      FormatCase{Locale::US, "100%%", {}, "100%"},
                      FormatCase{Locale::US, "%p", {nullptr}, "0000000000000000"}));

INSTANTIATE_TEST_SUITE_P(
    IndexWidthPrecision, FormatTable,
    ::testing::Values(FormatCase{Locale::US, "%1:s %0:s", {"a", "b"}, "b a"},
                      FormatCase{Locale::US, "%1:s %s", {"a", "b", "c"}, "b c"},  // continues after the index
                      FormatCase{Locale::US, "%0:s%0:s", {"x"}, "xx"},
                      FormatCase{Locale::US, "%*d", {5, 42}, "   42"},
                      FormatCase{Locale::US, "%-*.*f|", {8, 1, 2.25}, "2.3     |"},
                      FormatCase{Locale::US, "%*:s", {1, "a"}, "a"},
                      FormatCase{Locale::US, "%2s", {"long"}, "long"}));  // width never cuts

INSTANTIATE_TEST_SUITE_P(
    Floats, FormatTable,
    ::testing::Values(FormatCase{Locale::US, "%f", {1234.5}, "1234.50"}, FormatCase{Locale::US, "%.0f", {2.5}, "3"},
                      FormatCase{Locale::US, "%.3f", {-0.0005}, "-0.001"},
                      FormatCase{Locale::US, "%n", {1234567.891}, "1,234,567.89"},
                      FormatCase{Locale::US, "%.1n", {-1234.56}, "-1,234.6"},
                      FormatCase{Locale::US, "%e", {1234.5}, "1.23450000000000E+003"},
                      FormatCase{Locale::US, "%.3e", {-1234.5}, "-1.23E+003"},
                      FormatCase{Locale::US, "%g", {1234.5}, "1234.5"}, FormatCase{Locale::US, "%g", {1e20}, "1E20"},
                      FormatCase{Locale::US, "%.3g", {1234.5}, "1.23E3"},
                      FormatCase{Locale::US, "%10.2f|", {3.14159}, "      3.14|"},
                      FormatCase{Locale::US, "%f", {Currency::FromScaled(12345)}, "1.23"},
                      FormatCase{Locale::TR, "%f", {1.5}, "1,50"},
                      FormatCase{Locale::TR, "%n", {1234567.891}, "1.234.567,89"}));

INSTANTIATE_TEST_SUITE_P(
    Money, FormatTable,
    ::testing::Values(FormatCase{Locale::US, "%m", {1234.5}, "$1,234.50"},
                      FormatCase{Locale::US, "%m", {-1234.5}, "($1,234.50)"},
                      FormatCase{Locale::US, "%.0m", {1234.5}, "$1,235"},
                      FormatCase{Locale::US, "%m", {Currency(7)}, "$7.00"},
                      FormatCase{Locale::TR, "%m", {1234.5}, "1.234,50 TL"},
                      FormatCase{Locale::TR, "%m", {-1234.5}, "-1.234,50 TL"},
                      FormatCase{Locale::TR, "%12m|", {0.5}, "     0,50 TL|"},
                      FormatCase{Locale::TR, "Toplam: %m", {Currency::FromScaled(-5)}, "Toplam: 0,00 TL"}));

// Malformed formats and mismatched arguments raise instead of crashing.
struct BadFormatCase {
  const char* format;
  std::vector<TVarRec> args;
  const char* message;
};

class BadFormatTable : public ::testing::TestWithParam<BadFormatCase> {};

TEST_P(BadFormatTable, RaisesConvertError) {
  const BadFormatCase& c = GetParam();
  try {
    Format(c.format, c.args);
    FAIL() << "no exception for \"" << c.format << "\"";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFormatTable,
    ::testing::Values(
        BadFormatCase{"%d", {"abc"}, "Format '%d' invalid or incompatible with argument"},
        BadFormatCase{"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
        BadFormatCase{"%s", {5}, "Format '%s' invalid or incompatible with argument"},
        BadFormatCase{"%f", {5}, "Format '%f' invalid or incompatible with argument"},
        BadFormatCase{"%m %s", {1.5, 2.5}, "Format '%m %s' invalid or incompatible with argument"},
        BadFormatCase{"%p", {5}, "Format '%p' invalid or incompatible with argument"},
        BadFormatCase{"%q", {1}, "Format '%q' invalid or incompatible with argument"},
        BadFormatCase{"abc %", {1}, "Format 'abc %' invalid or incompatible with argument"},
        BadFormatCase{"%5", {1}, "Format '%5' invalid or incompatible with argument"},
        BadFormatCase{"%:d", {1}, "Format '%:d' invalid or incompatible with argument"},
        BadFormatCase{"%*d", {"x", 1}, "Format '%*d' invalid or incompatible with argument"},
        BadFormatCase{"%99999999999d", {1}, "Format '%99999999999d' invalid or incompatible with argument"},
        BadFormatCase{"%*d", {2000000000, 1}, "Format '%*d' invalid or incompatible with argument"},
        BadFormatCase{"%.*s", {2000000000, "a"}, "Format '%.*s' invalid or incompatible with argument"},
        BadFormatCase{"%d", {}, "No argument for format '%d'"},
        BadFormatCase{"%d %d", {1}, "No argument for format '%d %d'"},
        BadFormatCase{"%5:d", {1}, "No argument for format '%5:d'"},
        // The message quotes at most the first 31 characters of the format.
        BadFormatCase{"0123456789012345678901234567890123456789 %d",
                      {},
                      "No argument for format '0123456789012345678901234567890'"}));

TEST(Format, UsesTheGlobalSettingsByDefault) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  EXPECT_EQ(Format("%.1f / %m", {2.25, 3.0}), "2,3 / 3,00 TL");
}

}  // namespace
