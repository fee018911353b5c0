#include "textreport/core/zrescapetext.h"

#include <gtest/gtest.h>

#include <limits>

#include "textreport/core/zrescapetokenizer.h"

namespace {

using S = AnsiString;

TEST(EscapeCodes, LettersAndStyles) {
  for (int i = 0; i < ZREscapeCount; ++i)
    EXPECT_EQ(EscapeIndexOfLetter(ZREscapeLetters[i]), i);
  EXPECT_EQ(EscapeIndexOfLetter('A'), -1);
  EXPECT_EQ(EscapeIndexOfLetter('\\'), -1);
  EXPECT_EQ(EscapeIndexOfLetter('\0'), -1);
  EXPECT_EQ(EscapeText(zecBoldOn), "\\B");
  EXPECT_EQ(EscapeText(TZREscapeSet{zecReset, zecPica, zecCondensedOff, zecReportStart}), "\\@\\P\\c\\<");
  EXPECT_EQ(StyleOnCode(zesUnderline), zecUnderlineOn);
  EXPECT_EQ(StyleOffCode(zesSubScript), zecSubScriptOff);
  EXPECT_EQ(StyleOfCode(zecItalicOff), zesItalic);
  EXPECT_TRUE(IsStyleOnCode(zecCondensedOn));
  EXPECT_TRUE(IsStyleOffCode(zecSuperScriptOff));
  EXPECT_TRUE(IsPlainCode(zecFormFeed));
  EXPECT_TRUE(IsPlainCode(zecPageFinish));
  EXPECT_FALSE(IsPlainCode(zecBoldOff));
}

TEST(EscapeText, CodesAndVisibleCharacters) {
  struct Case {
    const char* text;
    int visible;
    const char* stripped;
  } cases[] = {
      {"\\\\B", 1, "\\"},        // a visible backslash, then bold on
      {"abc\\", 4, "abc\\"},     // a final backslash is visible
      {"\\Babc\\b", 3, "abc"},
      {"a\\xb", 4, "a\\xb"},     // not a code letter
      {"\\B\\b\\@", 0, ""},
      {"", 0, ""},
      {"\\\\\\", 3, "\\\\\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(VisibleLength(c.text), c.visible);
    EXPECT_EQ(StripEscapes(c.text), c.stripped);
  }
  EXPECT_FALSE(IsEscapeAt("\\\\B", 1));
  EXPECT_TRUE(IsEscapeAt("\\\\B", 2));
  EXPECT_FALSE(IsEscapeAt("\\\\B", 3));
  EXPECT_FALSE(IsEscapeAt("abc\\", 4));
  EXPECT_FALSE(IsEscapeAt("\\B", 0));
}

TEST(EscapeText, RawPosAndState) {
  const S text = "a\\Bbc\\b\\Ide";
  EXPECT_EQ(RawPos(text, 1), 1);
  EXPECT_EQ(RawPos(text, 2), 4);   // codes directly in front count
  EXPECT_EQ(RawPos(text, 4), 10);
  EXPECT_EQ(RawPos(text, 5), 11);
  EXPECT_EQ(RawPos(text, 6), 12);  // past the end
  EXPECT_EQ(EscapeStateBefore(text, 1), TZREscapeSet{});
  EXPECT_EQ(EscapeStateBefore(text, 2), TZREscapeSet{zecBoldOn});
  EXPECT_EQ(EscapeStateBefore(text, 4), (TZREscapeSet{zecBoldOff, zecItalicOn}));
  EXPECT_EQ(EscapeStateBefore("\\@x\\@\\Py", 2), (TZREscapeSet{zecReset, zecPica}));
}

TEST(EscapeText, StyleSetOpenCloseAndWrap) {
  EXPECT_EQ(StyleSet({zecBoldOn, zecItalicOn, zecReset}), (TZREscapeStyles{zesBold, zesItalic}));
  EXPECT_EQ(StyleSet({zecBoldOn, zecBoldOff}), TZREscapeStyles{});
  EXPECT_EQ(EscapesOpen({zecReset, zecBoldOn, zecUnderlineOff}, {zesCondensed, zesUnderline}),
            "\\@\\B\\U\\C");
  EXPECT_EQ(EscapesClose({zesSubScript, zesCondensed, zesBold}), "\\c\\b\\l");
  EXPECT_EQ(StyleWrap("x", {zecPica}, {zesItalic}), "\\P\\Ix\\i");
}

TEST(EscapeText, NormalizeAndPad) {
  struct Case {
    const char* text;
    const char* normal;
  } cases[] = {
      {"\\B\\Ba\\b\\b", "\\Ba\\b"},
      {"\\ba", "a"},                // off while off
      {"\\@a\\@b\\Pc\\P", "\\@ab\\Pc"},
      {"\\Ba\\bb\\Bc", "\\Ba\\bb\\Bc"},
      {"\\\\B", "\\\\B"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NormalizeEscapes(c.text), c.normal) << c.text;
  EXPECT_EQ(PadVisible("\\Bab\\b", 5), "\\Bab\\b   ");
  EXPECT_EQ(PadVisible("abcdef", 3), "abcdef");
}

TEST(EscapeText, VisibleCopy) {
  const S bold = "\\BHELLO\\b";
  EXPECT_EQ(VisibleCopy(bold, 2, 3), "\\BELL\\b");
  EXPECT_EQ(VisibleCopy(bold, 1, 10), bold);
  EXPECT_EQ(VisibleCopy(bold, 6, 1), "");
  EXPECT_EQ(VisibleCopy("abc", 2, 0), "");
  EXPECT_EQ(VisibleCopy("\\Ia\\ib\\Uc", 1, 2), "\\Ia\\ib");  // nothing on at the end: no closing code
  EXPECT_EQ(VisibleCopy("\\Ia\\ib\\Uc", 3, 1), "\\i\\Uc\\u");
  // A cut never leaves half a code behind.
  EXPECT_EQ(VisibleCopy("ab\\Bcd\\b", 1, 2), "ab");
}

TEST(EscapeText, DeleteInsertOverlay) {
  EXPECT_EQ(OverlayVisible("AB", "", 3), "  AB");
  EXPECT_EQ(OverlayVisible("AB", "123456", 3), "12AB56");
  EXPECT_EQ(OverlayVisible("\\BAB\\b", "123456", 1), "\\BAB\\b3456");
  EXPECT_EQ(OverlayVisible("X", "\\B123\\b", 2), "\\B1\\bX\\B3\\b");
  EXPECT_EQ(DeleteVisible("abcdef", 2, 3), "aef");
  EXPECT_EQ(DeleteVisible("ab", 5, 1), "ab  ");
  EXPECT_EQ(InsertVisible("XY", "abc", 2), "aXYbc");
  EXPECT_EQ(InsertVisible("XY", "a", 4), "a  XY");
}

// A label left of the line's first column (a negative left in a layout):
// columns before 1 hold nothing, and no position arithmetic overflows.
TEST(EscapeText, PositionsBeforeTheFirstColumn) {
  constexpr int First = std::numeric_limits<int>::min();
  constexpr int Last = std::numeric_limits<int>::max();
  EXPECT_EQ(DeleteVisible("abcdef", -1, 3), "bcdef");  // columns -1, 0 and 1
  EXPECT_EQ(DeleteVisible("abc", First, Last), "abc");  // up to column -2
  EXPECT_EQ(DeleteVisible("abc", 2, Last), "a");
  EXPECT_EQ(InsertVisible("XY", "abc", First), "XYabc");
  EXPECT_EQ(OverlayVisible("XY", "abc", First), "XYabc");
  EXPECT_EQ(PadVisible("\\Ba", First), "\\Ba");
  EXPECT_EQ(RawPos("a\\Bb", Last), Last);
  EXPECT_EQ(RawPos("a\\Bb", First), First + 2);  // the end (5) and the columns to First
  EXPECT_EQ(EscapeStateBefore("a\\Bb\\b", Last), TZREscapeSet{zecBoldOff});
  EXPECT_EQ(EscapeStateBefore("a\\Bb\\b", First), TZREscapeSet{});
}

TEST(EscapeTokenizer, SplitsIntoStyledRuns) {
  TZREscapeTokenizer tokenizer;
  tokenizer.SetText("ab\\Bcd\\b\\Ue");
  struct Run {
    S token;
    TZREscapeStyles styles;
    int start;
  };
  std::vector<Run> runs;
  while (!tokenizer.EndOfText()) {
    runs.push_back({tokenizer.Token(), tokenizer.Styles(), tokenizer.Start()});
    tokenizer.NextToken();
  }
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].token, "ab");
  EXPECT_EQ(runs[0].styles, TZREscapeStyles{});
  EXPECT_EQ(runs[1].token, "cd");
  EXPECT_EQ(runs[1].styles, TZREscapeStyles{zesBold});
  EXPECT_EQ(runs[1].start, 3);
  EXPECT_EQ(runs[2].token, "e");
  EXPECT_EQ(runs[2].styles, TZREscapeStyles{zesUnderline});
  EXPECT_EQ(tokenizer.NextToken(), "");
}

TEST(EscapeTokenizer, EmptyAndCodeOnlyTexts) {
  TZREscapeTokenizer tokenizer;
  tokenizer.SetText("");
  EXPECT_TRUE(tokenizer.EndOfText());
  tokenizer.SetText("\\B\\b");
  EXPECT_TRUE(tokenizer.EndOfText());
  tokenizer.SetText("\\\\B");
  ASSERT_FALSE(tokenizer.EndOfText());
  EXPECT_EQ(tokenizer.Token(), "\\");
}

}  // namespace
