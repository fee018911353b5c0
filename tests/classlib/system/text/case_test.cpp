#include <gtest/gtest.h>

#include "classlib/system/strutils.h"
#include "tests/classlib/system/text/textcases.h"

namespace {

struct CasePair {
  const char16_t* lower;
  const char16_t* upper;
};

// Every case pair code page 1254 has. ASCII i and I are a pair, as Windows
// pairs them under every locale.
const CasePair kPairs[] = {
    {u"abcdefghijklmnopqrstuvwxyz", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {u"çğöşü", u"ÇĞÖŞÜ"},
    {u"àáâãäåæèéêëìíîïñòóôõøùúû", u"ÀÁÂÃÄÅÆÈÉÊËÌÍÎÏÑÒÓÔÕØÙÚÛ"},
    {u"šœÿ", u"ŠŒŸ"},
};

TEST(AnsiCase, TurkishLetters) {
  EXPECT_EQ(AnsiUpperCase(Ansi(u"ıiIİçşğüö")), Ansi(u"ıIIİÇŞĞÜÖ"));
  EXPECT_EQ(AnsiLowerCase(Ansi(u"ıiIİÇŞĞÜÖ")), Ansi(u"ıiiİçşğüö"));
  EXPECT_EQ(AnsiUpperCase(Ansi(u"şoför ılık")), Ansi(u"ŞOFÖR ıLıK"));
  EXPECT_EQ(AnsiLowerCase(Ansi(u"İZMİR IĞDIR")), Ansi(u"İzmİr iğdir"));
}

TEST(AnsiCase, FunctionNamesKeepMatchingTheirCapitals) {
  for (const char* name : {"if", "iif", "isnull", "min", "int", "sin", "pi", "trim"})
    EXPECT_EQ(AnsiUpperCase(name), UpperCase(name)) << name;
}

TEST(AnsiCase, EveryCasePairBothWays) {
  for (const CasePair& pair : kPairs) {
    SCOPED_TRACE(Utf16ToUtf8(pair.lower));
    EXPECT_EQ(AnsiUpperCase(Ansi(pair.lower)), Ansi(pair.upper));
    EXPECT_EQ(AnsiLowerCase(Ansi(pair.upper)), Ansi(pair.lower));
    EXPECT_EQ(AnsiUpperCase(Ansi(pair.upper)), Ansi(pair.upper));
    EXPECT_EQ(AnsiLowerCase(Ansi(pair.lower)), Ansi(pair.lower));
  }
}

TEST(AnsiCase, CharactersWithoutCaseStay) {
  const std::u16string caseless = u"0123456789 !?.,;:-_ßµªº×÷€ƒ\u00A0²³¹½ıİ";
  EXPECT_EQ(AnsiUpperCase(Ansi(caseless)), Ansi(caseless));
  EXPECT_EQ(AnsiLowerCase(Ansi(caseless)), Ansi(caseless));
}

TEST(AnsiCase, EveryByteMapsConsistently) {
  for (unsigned b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const char upper = AnsiUpperChar(c);
    const char lower = AnsiLowerChar(c);
    // A character is upper, lower or caseless; its other case leads back to it.
    if (upper != c) {
      EXPECT_EQ(AnsiLowerChar(upper), c) << "byte " << b;
    }
    if (lower != c) {
      EXPECT_EQ(AnsiUpperChar(lower), c) << "byte " << b;
    }
    EXPECT_FALSE(upper != c && lower != c) << "byte " << b;
  }
}

TEST(AsciiCase, LeavesEverythingButAsciiLettersAlone) {
  EXPECT_EQ(UpperCase(Ansi(u"abc xyz içşğüöı")), Ansi(u"ABC XYZ Içşğüöı"));
  EXPECT_EQ(LowerCase(Ansi(u"ABC XYZ İÇŞĞÜÖI")), Ansi(u"abc xyz İÇŞĞÜÖi"));
  EXPECT_EQ(UpperCase(""), "");
  EXPECT_EQ(LowerCase("@[`{"), "@[`{");
}

}  // namespace
