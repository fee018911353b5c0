#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "classlib/system/strutils.h"
#include "tests/classlib/system/text/textcases.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

std::vector<AnsiString> AnsiList(std::initializer_list<const char16_t*> words) {
  std::vector<AnsiString> list;
  for (const char16_t* w : words)
    list.push_back(Ansi(w));
  return list;
}

TEST(AnsiCollation, TurkishAlphabetOrder) {
  const std::vector<AnsiString> expected = AnsiList({
      u"", u"-", u"1", u"9", u"a", u"â", u"b", u"c", u"ç", u"d", u"e", u"f", u"g", u"ğ", u"h", u"ı", u"i",
      u"î", u"j", u"k", u"l", u"m", u"n", u"o", u"ö", u"p", u"q", u"r", u"s", u"ş", u"t", u"u", u"ü",
      u"v", u"w", u"x", u"y", u"z",
  });
  std::vector<AnsiString> shuffled(expected.rbegin(), expected.rend());
  std::rotate(shuffled.begin(), shuffled.begin() + 11, shuffled.end());
  std::sort(shuffled.begin(), shuffled.end(),
            [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
  EXPECT_EQ(shuffled, expected);
}

TEST(AnsiCollation, WordsSortLetterByLetter) {
  const std::vector<AnsiString> expected = AnsiList({
      u"Cami", u"Çamlık", u"Dağ", u"Ilgaz", u"ılık", u"İnci", u"ip", u"Ocak", u"Ölçü", u"Su", u"Şişe",
      u"Ulus", u"Üzüm",
  });
  std::vector<AnsiString> sorted(expected.rbegin(), expected.rend());
  std::sort(sorted.begin(), sorted.end(),
            [](const AnsiString& a, const AnsiString& b) { return AnsiCompareStr(a, b) < 0; });
  EXPECT_EQ(sorted, expected);
}

struct ComparePair {
  const char16_t* a;
  const char16_t* b;
  int text;  // expected sign of AnsiCompareText
  int str;   // expected sign of AnsiCompareStr
};

const ComparePair kPairs[] = {
    {u"", u"", 0, 0},
    {u"", u"a", -1, -1},
    {u"abc", u"ab", 1, 1},
    {u"a", u"A", 0, -1},          // lower before upper when case counts
    {u"ab", u"Aa", 1, 1},         // the letters decide before the case
    {u"iİ", u"İi", 0, -1},
    {u"I", u"ı", 0, 1},           // dotless pair
    {u"I", u"i", -1, -1},         // I is the capital of ı, which sorts before i
    {u"İ", u"ı", 1, 1},
    {u"ç", u"d", -1, -1},
    {u"c", u"ç", -1, -1},
    {u"cz", u"ça", -1, -1},
    {u"â", u"a", 1, 1},           // an accent sorts after the plain letter
    {u"âb", u"ac", -1, -1},       // but the letters come first
    {u"Â", u"a", 1, 1},           // accent outranks case
    {u"ïb", u"ic", -1, -1},
    {u"ÿb", u"Yc", -1, -1},
    {u"z", u"1", 1, 1},
    {u"9", u"a", -1, -1},
    {u"!", u"0", -1, -1},
    {u"ŞEKER", u"şeker", 0, 1},
};

TEST(AnsiCollation, ComparisonTable) {
  for (const ComparePair& p : kPairs) {
    const AnsiString a = Ansi(p.a), b = Ansi(p.b);
    SCOPED_TRACE(Utf16ToUtf8(p.a) + " vs " + Utf16ToUtf8(p.b));
    EXPECT_EQ(Sign(AnsiCompareText(a, b)), p.text);
    EXPECT_EQ(Sign(AnsiCompareText(b, a)), -p.text);
    EXPECT_EQ(Sign(AnsiCompareStr(a, b)), p.str);
    EXPECT_EQ(Sign(AnsiCompareStr(b, a)), -p.str);
    EXPECT_EQ(AnsiSameText(a, b), p.text == 0);
  }
}

TEST(AnsiCollation, KeysOrderAsTheComparisons) {
  std::vector<AnsiString> words;
  for (const ComparePair& p : kPairs) {
    words.push_back(Ansi(p.a));
    words.push_back(Ansi(p.b));
  }
  for (const char16_t* w : {u"ab", u"a b", u"a-b", u"ab1", u"abı", u"abi", u"ABİ", u"abî", u"Ab", u"aB", u"â", u"â\u0001", u"â\u0001b"})
    words.push_back(Ansi(w));
  for (const AnsiString& a : words) {
    for (const AnsiString& b : words) {
      SCOPED_TRACE(AnsiToUtf8(a) + " vs " + AnsiToUtf8(b));
      EXPECT_EQ(Sign(AnsiCollationKey(a, true).compare(AnsiCollationKey(b, true))), Sign(AnsiCompareStr(a, b)));
      EXPECT_EQ(Sign(AnsiCollationKey(a, false).compare(AnsiCollationKey(b, false))), Sign(AnsiCompareText(a, b)));
    }
  }
}

TEST(AnsiCollation, OnlyEqualTextComparesEqualCaseSensitively) {
  for (unsigned x = 0; x < 256; ++x)
    for (unsigned y = 0; y < 256; ++y)
      if (x != y) {
        ASSERT_NE(AnsiCompareStr(Byte(x), Byte(y)), 0) << x << " vs " << y;
      }
}

struct AsciiPair {
  const char* a;
  const char* b;
  int text;
  int str;
};

TEST(AsciiCompare, ComparisonTable) {
  const AsciiPair pairs[] = {
      {"", "", 0, 0},      {"abc", "ABC", 0, 1}, {"abc", "abd", -1, -1}, {"ab", "abc", -1, -1},
      {"Z", "a", 1, -1},   {"_", "a", 1, -1},    {"[", "a", 1, -1},      {"B", "a", 1, -1},
  };
  for (const AsciiPair& p : pairs) {
    SCOPED_TRACE(std::string(p.a) + " vs " + p.b);
    EXPECT_EQ(Sign(CompareText(p.a, p.b)), p.text);
    EXPECT_EQ(Sign(CompareStr(p.a, p.b)), p.str);
    EXPECT_EQ(SameText(p.a, p.b), p.text == 0);
  }
  // Only ASCII letters fold: Turkish capitals differ from their small letters.
  EXPECT_FALSE(SameText(Ansi(u"ş"), Ansi(u"Ş")));
  EXPECT_TRUE(AnsiSameText(Ansi(u"ş"), Ansi(u"Ş")));
}

}  // namespace
