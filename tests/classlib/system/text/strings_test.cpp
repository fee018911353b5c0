#include <gtest/gtest.h>

#include "classlib/system/strutils.h"
#include "tests/classlib/system/text/textcases.h"

namespace {

struct TrimCase {
  std::string in, both, left, right;
};

TEST(Trim, RemovesSpacesAndControlCharacters) {
  const TrimCase cases[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"abc", "abc", "abc", "abc"},
      {"  a b  ", "a b", "a b  ", "  a b"},
      {"\t\r\n x \x01\x1F", "x", "x \x01\x1F", "\t\r\n x"},
      {std::string("\0a\0", 3), "a", std::string("a\0", 2), std::string("\0a", 2)},
      {"\xA0" "a\xA0", "\xA0" "a\xA0", "\xA0" "a\xA0", "\xA0" "a\xA0"},  // no-break space is not trimmed
  };
  for (const TrimCase& c : cases) {
    EXPECT_EQ(Trim(c.in), c.both) << '[' << c.in << ']';
    EXPECT_EQ(TrimLeft(c.in), c.left) << '[' << c.in << ']';
    EXPECT_EQ(TrimRight(c.in), c.right) << '[' << c.in << ']';
  }
}

TEST(Quoting, QuotedStrDoublesQuotes) {
  EXPECT_EQ(QuotedStr(""), "''");
  EXPECT_EQ(QuotedStr("abc"), "'abc'");
  EXPECT_EQ(QuotedStr("O'Neil"), "'O''Neil'");
  EXPECT_EQ(QuotedStr("'"), "''''");
  EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(AnsiQuotedStr(Ansi(u"Şık"), '\''), Ansi(u"'Şık'"));
}

struct DequoteCase {
  std::string in, out;
};

TEST(Quoting, AnsiDequotedStr) {
  const DequoteCase cases[] = {
      {"", ""},
      {"abc", "abc"},            // not quoted
      {"'abc'", "abc"},
      {"'O''Neil'", "O'Neil"},
      {"''", ""},
      {"'", ""},
      {"'abc", "'abc"},          // never closed: not quoted after all
      {"'ab'cd", "ab"},          // text after the closing quote is dropped
      {"''x", "''x"},            // nothing quoted before trailing text
      {"'ab''", "ab'"},
      {"a'b'", "a'b'"},
  };
  for (const DequoteCase& c : cases)
    EXPECT_EQ(AnsiDequotedStr(c.in, '\''), c.out) << '[' << c.in << ']';
  EXPECT_EQ(AnsiDequotedStr("\"a\"\"b\"", '"'), "a\"b");
  EXPECT_EQ(AnsiDequotedStr(QuotedStr("it's"), '\''), "it's");
}

struct ReplaceCase {
  const char16_t* s;
  const char16_t* oldPattern;
  const char16_t* newPattern;
  TReplaceFlags flags;
  const char16_t* expected;
};

TEST(StringReplace, Table) {
  const ReplaceCase cases[] = {
      {u"", u"a", u"b", rfReplaceAll, u""},
      {u"abc", u"", u"x", rfReplaceAll, u"abc"},             // empty pattern replaces nothing
      {u"abcabc", u"b", u"X", 0, u"aXcabc"},
      {u"abcabc", u"b", u"X", rfReplaceAll, u"aXcaXc"},
      {u"abcabc", u"B", u"X", rfReplaceAll, u"abcabc"},
      {u"abcABC", u"B", u"X", rfReplaceAll | rfIgnoreCase, u"aXcAXC"},
      {u"aaa", u"aa", u"b", rfReplaceAll, u"ba"},           // matches do not overlap
      {u"aaa", u"a", u"aa", rfReplaceAll, u"aaaaaa"},       // replacements are not searched again
      {u"abc", u"abc", u"", rfReplaceAll, u""},
      {u"Şeker ŞEKER şeker", u"şEKER", u"X", rfReplaceAll | rfIgnoreCase, u"X X X"},
      {u"Çiçek ÇİÇEK ÇIÇEK", u"çiçek", u"X", rfReplaceAll | rfIgnoreCase, u"X ÇİÇEK X"},  // i folds to I
      {u"ılık ILIK", u"ılık", u"X", rfReplaceAll | rfIgnoreCase, u"X ILIK"},
      {u"x", u"xyz", u"a", rfReplaceAll, u"x"},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(StringReplace(Ansi(c.s), Ansi(c.oldPattern), Ansi(c.newPattern), c.flags), Ansi(c.expected))
        << Utf16ToUtf8(c.s) << " / " << Utf16ToUtf8(c.oldPattern);
  }
}

struct PosCase {
  std::string sub, s;
  int offset, expected;
};

TEST(Search, PosAndPosEx) {
  const PosCase cases[] = {
      {"b", "abc", 1, 2},  {"c", "abc", 1, 3}, {"x", "abc", 1, 0},  {"", "abc", 1, 0},  {"a", "", 1, 0},
      {"abcd", "abc", 1, 0}, {"abc", "abc", 1, 1}, {"a", "aXa", 2, 3}, {"a", "aXa", 3, 3}, {"a", "aXa", 4, 0},
      {"a", "aXa", 0, 0},  {"a", "aXa", -5, 0},
  };
  for (const PosCase& c : cases) {
    EXPECT_EQ(PosEx(c.sub, c.s, c.offset), c.expected) << c.sub << " in " << c.s << " from " << c.offset;
    if (c.offset == 1) {
      EXPECT_EQ(Pos(c.sub, c.s), c.expected) << c.sub << " in " << c.s;
    }
  }
}

struct CopyCase {
  int index, count;
  std::string expected;
};

TEST(Search, CopyClampsLikeThePlatform) {
  const CopyCase cases[] = {
      {1, 3, "abc"}, {2, 2, "bc"}, {2, 100, "bcde"}, {0, 2, "ab"}, {-3, 2, "ab"}, {5, 1, "e"},
      {6, 1, ""},    {100, 1, ""}, {1, 0, ""},       {1, -1, ""},  {3, 2147483647, "cde"},
  };
  for (const CopyCase& c : cases)
    EXPECT_EQ(Copy("abcde", c.index, c.count), c.expected) << c.index << ", " << c.count;
  EXPECT_EQ(Copy("", 1, 1), "");
}

struct DeleteCase {
  int index, count;
  std::string expected;
};

TEST(Editing, DeleteClampsLikeThePlatform) {
  const DeleteCase cases[] = {
      {1, 1, "bcde"}, {2, 2, "ade"}, {4, 100, "abc"}, {5, 1, "abcd"}, {6, 1, "abcde"},
      {0, 2, "abcde"}, {-1, 2, "abcde"}, {2, 0, "abcde"}, {2, -3, "abcde"}, {1, 2147483647, ""},
  };
  for (const DeleteCase& c : cases) {
    AnsiString s = "abcde";
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.expected) << c.index << ", " << c.count;
  }
}

struct InsertCase {
  int index;
  std::string expected;
};

TEST(Editing, InsertClampsLikeThePlatform) {
  const InsertCase cases[] = {
      {1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {5, "abcXY"}, {100, "abcXY"}, {0, "XYabc"}, {-7, "XYabc"},
  };
  for (const InsertCase& c : cases) {
    AnsiString s = "abc";
    Insert("XY", s, c.index);
    EXPECT_EQ(s, c.expected) << c.index;
  }
  AnsiString empty;
  Insert("", empty, 1);
  EXPECT_EQ(empty, "");
  Insert("a", empty, 3);
  EXPECT_EQ(empty, "a");
}

TEST(Search, AnsiPosFindsTurkishText) {
  EXPECT_EQ(AnsiPos(Ansi(u"ğü"), Ansi(u"çağüş")), 3);
  EXPECT_EQ(AnsiPos(Ansi(u"Ğ"), Ansi(u"ğ")), 0);
}

TEST(Search, Delimiters) {
  EXPECT_TRUE(IsDelimiter(",;", "a,b", 2));
  EXPECT_FALSE(IsDelimiter(",;", "a,b", 1));
  EXPECT_FALSE(IsDelimiter(",;", "a,b", 0));
  EXPECT_FALSE(IsDelimiter(",;", "a,b", 4));
  EXPECT_FALSE(IsDelimiter("", "a,b", 2));
  EXPECT_EQ(LastDelimiter(",;", "a,b;c,d"), 6);
  EXPECT_EQ(LastDelimiter(",;", "abc"), 0);
  EXPECT_EQ(LastDelimiter(",;", ""), 0);
  EXPECT_EQ(LastDelimiter("", "a,b"), 0);
  EXPECT_EQ(LastDelimiter(".", "a.b.c."), 6);
}

TEST(Search, StringOfChar) {
  EXPECT_EQ(StringOfChar('-', 3), "---");
  EXPECT_EQ(StringOfChar('x', 1), "x");
  EXPECT_EQ(StringOfChar('x', 0), "");
  EXPECT_EQ(StringOfChar('x', -2), "");
}

}  // namespace
