// Tokens, options text of the application, integers and rectangles.
#include <gtest/gtest.h>

#include "classlib/classes/strings.h"
#include "skin/core/skinutils.h"

namespace {

struct TokenCase {
  const char* Text;
  const char* Separators;
  int N;
  int Position;
  const char* Token;
};

const TokenCase kTokens[] = {
    {";;a;;b;", ";", 1, 3, "a"},
    {";;a;;b;", ";", 2, 6, "b"},
    {";;a;;b;", ";", 3, 0, ""},
    {"a b", " ", 3, 0, ""},
    {"a b", " ", 0, 0, ""},
    {"", ";", 1, 0, ""},
    {"#(0,0,90,40)(3,1)", " ()", 2, 3, "0,0,90,40"},
    {"#(0,0,90,40)(3,1)", " ()", 3, 14, "3,1"},
    {"!b.bmp!3!1!0", "!", 4, 12, "0"},
    {"abc", "", 1, 1, "abc"},
};

TEST(SkinTokens, PositionAndTextOfTheNthToken) {
  for (const TokenCase& c : kTokens) {
    SCOPED_TRACE(std::string(c.Text) + " #" + std::to_string(c.N));
    TCharSet256 set(c.Separators);
    EXPECT_EQ(TokenPosition(c.N, c.Text, set), c.Position);
    EXPECT_EQ(ExtractToken(c.N, c.Text, set), c.Token);
  }
}

TEST(SkinTokens, CountIgnoresLeadingTrailingAndRepeatedSeparators) {
  TCharSet256 semicolon(";");
  EXPECT_EQ(TokenCount(";;a;;b;", semicolon), 2);
  EXPECT_EQ(TokenCount("", semicolon), 0);
  EXPECT_EQ(TokenCount(";;;", semicolon), 0);
  EXPECT_EQ(TokenCount("a", semicolon), 1);
  EXPECT_EQ(CountTokens("1;2;3;4;5;6", semicolon), 6);
}

TEST(SkinTokens, SetHoldsEveryByteValue) {
  TCharSet256 set("\xFF\x01");
  EXPECT_TRUE(CharInSet256('\xFF', set));
  EXPECT_TRUE(CharInSet256('\x01', set));
  EXPECT_FALSE(CharInSet256('\xFE', set));
  EXPECT_FALSE(CharInSet256('\0', set));
  EXPECT_EQ(ExtractToken(2, "a\xFF" "b\x01" "c", set), "b");
}

TEST(SkinTokens, RemoveAndReplace) {
  EXPECT_EQ(RemoveAllChars(" a b  c ", ' '), "abc");
  EXPECT_EQ(RemoveAllChars("", ' '), "");
  EXPECT_EQ(ReplaceSubstrings("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceSubstrings("Aaa", "aa", "b"), "Ab");
  EXPECT_EQ(ReplaceSubstrings("abab", "ab", ""), "");
  EXPECT_EQ(ReplaceSubstrings("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceSubstrings("a.b", ".", ".."), "a..b");
}

TEST(SkinPaths, AddPathDelimiter) {
  struct Case {
    const char* Path;
    const char* Expected;
  };
  for (Case c : {Case{"c", "c:\\"}, Case{"d:/x/", "d:/x\\"}, Case{"d:/x", "d:/x\\"}, Case{"c:\\Skins\\", "c:\\Skins\\"},
                 Case{"c:\\Skins", "c:\\Skins\\"}, Case{"", ""}, Case{"/", "\\"}}) {
    EXPECT_EQ(AddPathDelimiter(c.Path), c.Expected) << c.Path;
  }
}

class IniSections : public ::testing::Test {
protected:
  void SetUp() override {
    lines.SetText(
        "dropped=1\n"
        "; comment\n"
        "[EDIT]\n"
        "COLOR=0x1F\n"
        "\n"
        "HEX=$10\n"
        "BAD=1F\n"
        "SHORT=0x\n"
        "TEXT=a=b\n"
        ";HIDDEN=1\n"
        "[panel]\n"
        "PARENTCLASS=EDIT\n");
    ParseIniSections(&lines, &sections);
  }
  void TearDown() override { FreeIniSections(&sections); }

  TStringList lines;
  TStringList sections;
};

TEST_F(IniSections, SplitsIntoNamedLists) {
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections.Strings(0), "EDIT");
  EXPECT_EQ(sections.Strings(1), "panel");
  auto* edit = dynamic_cast<TStringList*>(sections.Objects(0));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Count(), 5) << edit->Text();
}

TEST_F(IniSections, ReadsStringsWithoutRegardToLetterCase) {
  EXPECT_EQ(ReadIniSectionString(&sections, "edit", "text", "?"), "a=b");
  EXPECT_EQ(ReadIniSectionString(&sections, "PANEL", "ParentClass", "?"), "EDIT");
  EXPECT_EQ(ReadIniSectionString(&sections, "EDIT", "HIDDEN", "?"), "?");
  EXPECT_EQ(ReadIniSectionString(&sections, "EDIT", "MISSING", "-"), "-");
  EXPECT_EQ(ReadIniSectionString(&sections, "NONE", "COLOR", "-"), "-");
}

TEST_F(IniSections, ReadsIntegersWithTheirPrefixes) {
  struct Case {
    const char* Key;
    int Expected;
  };
  for (Case c : {Case{"COLOR", 31}, Case{"HEX", 16}, Case{"BAD", -7}, Case{"SHORT", -7}, Case{"TEXT", -7},
                 Case{"MISSING", -7}}) {
    SCOPED_TRACE(c.Key);
    EXPECT_EQ(ReadIniSectionInteger(&sections, "Edit", -7, c.Key), c.Expected);
  }
}

TEST_F(IniSections, ParsingAgainReplacesTheOldSections) {
  TStringList other;
  other.SetText("[ONE]\nA=1\n");
  ParseIniSections(&other, &sections);
  ASSERT_EQ(sections.Count(), 1);
  EXPECT_EQ(ReadIniSectionInteger(&sections, "ONE", 0, "A"), 1);
}

TEST(SkinIntegers, ClampChooseAndCompare) {
  EXPECT_EQ(ClampByte(-1), 0);
  EXPECT_EQ(ClampByte(256), 255);
  EXPECT_EQ(ClampByte(17), 17);
  EXPECT_EQ(ChooseInt(true, 1, 2), 1);
  EXPECT_EQ(ChooseInt(false, 1, 2), 2);
  EXPECT_EQ(ChooseString(false, "a", "b"), "b");
  EXPECT_TRUE(IsBetween(5, 5, 6));
  EXPECT_TRUE(IsBetween(6, 5, 6));
  EXPECT_FALSE(IsBetween(7, 5, 6));
  EXPECT_EQ(LargerOf(-3, 2), 2);
  EXPECT_EQ(SmallerOf(-3, 2), -3);
}

struct Rect {
  int left, top, right, bottom;
};

TEST(SkinRects, SizesAndAssignment) {
  Rect r{};
  AssignRect(10, 20, 5, 50, r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.bottom, 50);
  EXPECT_EQ(RectSizeX(r, false), -5);
  EXPECT_EQ(RectSizeX(r, true), 0);
  EXPECT_EQ(RectSizeY(r, true), 30);
}

TEST(SkinRects, OverlapAndInside) {
  struct Case {
    Rect A, B;
    bool Overlap, Inside;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 15, 15}, true, false},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, false, false},  // touching edges
      {{0, 0, 10, 10}, {2, 2, 8, 8}, true, true},
      {{0, 0, 10, 10}, {0, 0, 10, 10}, true, true},     // edges included
      {{0, 0, 10, 10}, {3, 3, 3, 8}, false, true},      // empty B
      {{0, 0, 10, 10}, {-1, 2, 8, 8}, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RectsOverlap(c.A, c.B), c.Overlap) << c.B.left << "," << c.B.top << "," << c.B.right;
    EXPECT_EQ(RectInsideRect(c.A, c.B), c.Inside) << c.B.left << "," << c.B.top << "," << c.B.right;
  }
}

}  // namespace
