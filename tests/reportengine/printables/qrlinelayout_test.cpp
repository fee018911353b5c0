// Line layout with a fixed-width measure (one unit per character): word
// wrap, the cutting of words wider than the label, paragraphs at carriage
// returns, auto-size and the one-line rule without word wrap.
#include <gtest/gtest.h>

#include "reportengine/printables/qrlinelayout.h"

namespace {

std::vector<AnsiString> Layout(const AnsiString& text, int width, bool wordWrap = true, bool autoSize = false) {
  std::vector<AnsiString> lines;
  LayOutParagraphs(text, TQRLineLayoutOptions{width, wordWrap, autoSize},
                   [](const AnsiString& s) { return static_cast<int>(s.size()); }, lines);
  return lines;
}

using Lines = std::vector<AnsiString>;

TEST(QRLineLayout, Cases) {
  struct Case {
    const char* name;
    AnsiString text;
    int width;
    bool wordWrap;
    bool autoSize;
    Lines lines;
  } cases[] = {
      {"wraps at the word that does not fit", "one two three", 8, true, false, {"one two ", "three"}},
      {"without word wrap one line", "one two three", 8, false, false, {"one two "}},
      {"a word wider than the label is cut", "abcdefghijk", 5, true, false, {"abcd", ""}},
      {"a long word after others is cut to fit", "ab abcdefgh", 5, true, false, {"ab ", "abcde", ""}},
      {"a hyphen ends a word", "ince-uzun", 5, true, false, {"ince-", "uzun"}},
      {"carriage returns make paragraphs", "a\r\nb", 20, true, false, {"a", "b"}},
      {"a trailing carriage return gives an empty line", "a\r", 20, true, false, {"a", ""}},
      {"an empty text gives one empty line", "", 20, true, false, {""}},
      {"auto-size keeps each paragraph whole", "one two three\rfour", 3, true, true, {"one two three", "four"}},
      {"without word wrap each paragraph still gives a line", "aaa bbb\rccc ddd", 4, false, false, {"aaa ", "ccc "}},
      {"width 0 drops what cannot fit", "ab", 0, true, false, {"", ""}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Layout(c.text, c.width, c.wordWrap, c.autoSize), c.lines) << c.name;
}

}  // namespace
