#include "classlib/system/codepage.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/classlib/system/text/textcases.h"

namespace {

struct KnownPoint {
  unsigned byte;
  char16_t ch;
};

// Bytes whose characters differ from Latin-1 or matter to Turkish text, and the
// unassigned bytes that Windows passes through as C1 controls.
const KnownPoint kKnown1254[] = {
    {0x00, 0x0000}, {0x41, u'A'},   {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A},
    {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026}, {0x88, 0x02C6}, {0x8A, 0x0160}, {0x8C, 0x0152},
    {0x8D, 0x008D}, {0x8E, 0x008E}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, 0x2018}, {0x94, 0x201D},
    {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161},
    {0x9C, 0x0153}, {0x9D, 0x009D}, {0x9E, 0x009E}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xB2, 0x00B2},
    {0xC7, 0x00C7}, {0xD0, 0x011E}, {0xD6, 0x00D6}, {0xDC, 0x00DC}, {0xDD, 0x0130}, {0xDE, 0x015E},
    {0xDF, 0x00DF}, {0xE7, 0x00E7}, {0xF0, 0x011F}, {0xF6, 0x00F6}, {0xFC, 0x00FC}, {0xFD, 0x0131},
    {0xFE, 0x015F}, {0xFF, 0x00FF},
};

TEST(CodePage1254, KnownPointsBothWays) {
  for (const KnownPoint& point : kKnown1254) {
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << point.byte);
    EXPECT_EQ(AnsiToUtf16(Byte(point.byte)), std::u16string(1, point.ch));
    EXPECT_EQ(Utf16ToAnsi(std::u16string(1, point.ch)), Byte(point.byte));
  }
}

TEST(CodePage1254, AsciiAndLatin1RangesAreIdentity) {
  for (unsigned b = 0; b < 256; ++b) {
    if (b >= 0x80 && b < 0xA0)
      continue;
    if (b == 0xD0 || b == 0xDD || b == 0xDE || b == 0xF0 || b == 0xFD || b == 0xFE)
      continue;  // the six Turkish letters replace Latin-1's
    EXPECT_EQ(CodePage1254().ToUtf16(static_cast<unsigned char>(b)), char16_t(b)) << "byte " << b;
  }
}

TEST(CodePage1254, EveryByteRoundTripsThroughUtf16AndUtf8) {
  AnsiString all;
  for (unsigned b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  const std::u16string wide = AnsiToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(std::set<char16_t>(wide.begin(), wide.end()).size(), 256u) << "two bytes share a character";
  EXPECT_EQ(Utf16ToAnsi(wide), all);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(Utf8ToUtf16(AnsiToUtf8(all)), wide);
}

TEST(CodePage1254, TurkishLettersInUtf8) {
  EXPECT_EQ(AnsiToUtf8(Byte(0xDD)), "\xC4\xB0");  // İ
  EXPECT_EQ(AnsiToUtf8(Byte(0xFD)), "\xC4\xB1");  // ı
  EXPECT_EQ(AnsiToUtf8(Byte(0x80)), "\xE2\x82\xAC");  // €
  EXPECT_EQ(Utf8ToAnsi("\xC5\x9E\xC4\x9F"), Byte(0xDE) + Byte(0xF0));  // Şğ
}

struct UnmappableCase {
  const char* name;
  std::string utf8;
  AnsiString ansi;
};

TEST(CodePage1254, UnmappableAndMalformedInputBecomesQuestionMarks) {
  const UnmappableCase cases[] = {
      {"missing letter", "a\xC4\x80z", "a?z"},               // Ā
      {"non-BMP character", "a\xF0\x9F\x98\x80z", "a?z"},   // one "?" for the pair
      {"stray continuation", "a\x80z", "a?z"},
      {"truncated sequence", "a\xC4", "a?"},
      {"overlong encoding", "\xC0\xAF", "??"},
      {"encoded surrogate", "\xED\xA0\x80", "???"},
      {"invalid lead", "\xFF", "?"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.name;
}

TEST(CodePage1254, SurrogatePairsInUtf8) {
  const std::u16string pair = u"\U0001F600";
  ASSERT_EQ(pair.size(), 2u);
  EXPECT_EQ(Utf16ToUtf8(pair), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), pair);
  EXPECT_EQ(Utf16ToAnsi(pair), "?");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(CodePage1254, EmptyText) {
  EXPECT_EQ(AnsiToUtf16(""), u"");
  EXPECT_EQ(Utf16ToAnsi(u""), "");
  EXPECT_EQ(AnsiToUtf8(""), "");
  EXPECT_EQ(Utf8ToAnsi(""), "");
}

TEST(CodePage857, UnassignedBytesMapToPrivateUseCharacters) {
  EXPECT_EQ(CodePage857().ToUtf16(0xD5), char16_t(0xF8BB));
  EXPECT_EQ(CodePage857().ToUtf16(0xE7), char16_t(0xF8BC));
  EXPECT_EQ(CodePage857().ToUtf16(0xF2), char16_t(0xF8BD));
  std::set<char16_t> seen;
  for (unsigned b = 0; b < 256; ++b)
    seen.insert(CodePage857().ToUtf16(static_cast<unsigned char>(b)));
  EXPECT_EQ(seen.size(), 256u);
}

}  // namespace
