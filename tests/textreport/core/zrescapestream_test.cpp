#include "textreport/core/zrescapestream.h"

#include <gtest/gtest.h>

#include <optional>

#include "classlib/system/codepage.h"
#include "textreport/core/zrescape.h"

namespace {

using S = AnsiString;
const S ESC = "\x1B";

class EscapeStream : public testing::Test {
protected:
  void SetUp() override { SetCustomEscapeStrings({}); }
  void TearDown() override { SetCustomEscapeStrings({}); }

  // The bytes WriteLn sends for a line under a model.
  S LineBytes(TZREscapeModel model, const S& line, bool oem = false) {
    escapes_.SetModel(model);
    return Written(line, oem);
  }
  S Written(const S& line, bool oem = false) {
    TStringStream target;
    TZREscapeStream stream(&target, &escapes_);
    stream.OEMConvert = oem;
    stream.WriteLn(line);
    return target.DataString();
  }

  TZREscapes escapes_;
};

// Bold, italic, underline and condensed with their off codes.
const S kStyledLine = "\\CA\\BB\\IC\\UD\\uE\\iF\\bG\\c";

TEST_F(EscapeStream, StyledLineUnderDefaultEpson) {
  const S expected = "\x0F" "A" + ESC + "G" + "B" + ESC + "4" + "C" + ESC + "-1" + "D" + ESC + "-0" + "E" + ESC +
                     "5" + "F" + ESC + "H" + "G" + "\x12" + "\r\n";
  EXPECT_EQ(LineBytes(emEpson, kStyledLine), expected);
}

TEST_F(EscapeStream, StyledLineUnderNone) { EXPECT_EQ(LineBytes(emNone, kStyledLine), "ABCDEFG\r\n"); }

TEST_F(EscapeStream, DocumentStartCodesOfTheDefaultModel) {
  escapes_.SetModel(emEpson);
  TStringStream target;
  TZREscapeStream stream(&target, &escapes_);
  stream.WriteString("\\@\\P\\c\\<");
  EXPECT_EQ(target.DataString(), ESC + "@" + ESC + "P" + "\x12");
}

TEST_F(EscapeStream, BackslashHandling) {
  struct Case {
    const char* line;
    S epson;
    S none;
  } cases[] = {
      {"a\\\\Bb", "a\\" + ESC + "Gb", "a\\b"},     // visible backslash, then bold on
      {"x\\", "x\\", "x\\"},                        // a final backslash prints
      {"a\\xb", "a\\xb", "a\\xb"},                  // no code letter: both characters print
      {"\\\\@B", "\\" + ESC + "@B", "\\B"},         // the visible "\" never fuses with "B"
      {"\\\\\\B", "\\\\" + ESC + "G", "\\\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(LineBytes(emEpson, c.line), c.epson + "\r\n");
    EXPECT_EQ(LineBytes(emNone, c.line), c.none + "\r\n");
  }
}

TEST_F(EscapeStream, CustomStringsAreEmittedOnceAsTheyStand) {
  escapes_.SetModel(emNone);
  escapes_.SetValues(zecBoldOn, "\\I");     // looks like the italic code
  escapes_.SetValues(zecItalicOn, "<it>");
  escapes_.SetValues(zecReportStart, ESC + "C" + S(1, '\0'));
  ASSERT_EQ(escapes_.Model(), emCustom);
  EXPECT_EQ(Written("\\Bx\\Iy"), "\\Ix<it>y\r\n");
  EXPECT_EQ(Written("\\<"), ESC + "C" + S(1, '\0') + "\r\n");
  EXPECT_EQ(Written("\\b\\i"), "\r\n");
}

TEST_F(EscapeStream, RawWritesKeepTheirCodes) {
  TStringStream target;
  TZREscapeStream stream(&target, &escapes_);
  stream.Write("\\B", 2);
  EXPECT_EQ(target.DataString(), "\\B");
}

TEST_F(EscapeStream, WithoutEscapesEveryCodeWritesNothing) {
  TStringStream target;
  TZREscapeStream stream(&target, nullptr);
  stream.WriteString("a\\Bb\\=");
  EXPECT_EQ(target.DataString(), "ab");
}

// OEM conversion of the visible text only: with the built-in 857 table and
// with the machine's own conversion when its OEM page is 857.
class EscapeStreamOem : public EscapeStream, public testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    EscapeStream::SetUp();
    if (GetParam())
      pinned_.emplace(CodePage857());
    else if (OemCodePage() != 857)
      GTEST_SKIP() << "the machine's OEM code page is " << OemCodePage();
  }

private:
  std::optional<OemCodePageScope> pinned_;
};

TEST_P(EscapeStreamOem, ConvertsTurkishLettersButNotThePrintersBytes) {
  // ESC C n with n = B2, C7 and DE: page lengths past 127 lines must reach
  // the printer as they are.
  escapes_.SetValues(zecReportStart, ESC + "C\xB2");
  escapes_.SetValues(zecPageStart, "\xC7\xDE\xFD");
  const S line = "\\<\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC\\{I";
  const S expected = ESC + "C\xB2" + "\x80\x87\xA6\xA7\x98\x8D\x99\x94\x9E\x9F\x9A\x81" + "\xC7\xDE\xFD" + "I\r\n";
  EXPECT_EQ(Written(line, true), expected);
}

TEST_P(EscapeStreamOem, ReadLnTurnsPrinterBytesBackIntoCodes) {
  escapes_.SetModel(emEpson);
  TStringStream target(ESC + "G\x80\x98" + ESC + "H\r\n" + "plain\n");
  TZREscapeStream stream(&target, &escapes_);
  stream.OEMConvert = true;
  S line;
  ASSERT_TRUE(stream.ReadLn(line));
  EXPECT_EQ(line, "\\B\xC7\xDD\\b");
  ASSERT_TRUE(stream.ReadLn(line));
  EXPECT_EQ(line, "plain");
  EXPECT_FALSE(stream.ReadLn(line));
}

INSTANTIATE_TEST_SUITE_P(PinnedAndMachine, EscapeStreamOem, testing::Bool());

TEST_F(EscapeStream, WrittenLinesReadBack) {
  escapes_.SetModel(emEpsonLQSeries);
  TStringStream target;
  {
    TZREscapeStream writer(&target, &escapes_);
    writer.WriteLn("\\Bbold\\b \\Iitalic\\i");
    writer.WriteLn("\\Cx\\c");
  }
  target.Seek(0, soBeginning);
  TZREscapeStream reader(&target, &escapes_);
  S line;
  ASSERT_TRUE(reader.ReadLn(line));
  EXPECT_EQ(line, "\\Bbold\\b \\Iitalic\\i");
  ASSERT_TRUE(reader.ReadLn(line));
  EXPECT_EQ(line, "\\Cx\\c");
}

}  // namespace
