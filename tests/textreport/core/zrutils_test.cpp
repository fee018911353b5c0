#include "textreport/core/zrutils.h"

#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/component.h"

namespace {

TEST(ZRStrings, FillRepeatAndPad) {
  EXPECT_EQ(FillString('-', 3), "---");
  EXPECT_EQ(FillString('-', 0), "");
  EXPECT_EQ(FillString('-', -2), "");
  EXPECT_EQ(Spaces(2), "  ");
  EXPECT_EQ(RepeatString("ab", 3), "ababab");
  EXPECT_EQ(RepeatString("ab", 0), "");
  EXPECT_EQ(RepeatString("ab", -1), "");
  EXPECT_EQ(PadLeft("42", 5), "   42");
  EXPECT_EQ(PadLeft("42", 5, '0'), "00042");
  EXPECT_EQ(PadLeft("12345", 3), "12345");
  EXPECT_EQ(PadLeft("123", 3), "123");
}

TEST(ZRStrings, CentreString) {
  EXPECT_EQ(CentreString("abc", 8), "  abc   ");
  EXPECT_EQ(CentreString("ab", 6, '*'), "**ab**");
  EXPECT_EQ(CentreString("abc", 3), "abc");
  EXPECT_EQ(CentreString("abcd", 2), "abcd");
  EXPECT_EQ(CentreString("", 3), "   ");
}

TEST(ZRStrings, WrapText) {
  struct Case {
    const char* text;
    int width;
    const char* wrapped;
  } cases[] = {
      {"abc def ghi", 7, "abc def\r\nghi\r\n"},
      {"abc def ghi", 0, "abc def ghi"},
      {"abc def ghi", -1, "abc def ghi"},
      {"abcdefghij", 4, "abcd\r\nefgh\r\nij\r\n"},       // no space: cut hard
      {"  abc   def", 5, "abc\r\ndef\r\n"},               // leading blanks skipped, trailing dropped
      {"ab  cd ef", 4, "ab\r\ncd\r\nef\r\n"},
      {"abc def", 3, "abc\r\ndef\r\n"},
      {"abc def", 20, "abc def\r\n"},
      {"", 5, ""},
      {"   ", 5, ""},
      {"a\r\nb c", 4, "a\r\nb\r\nc\r\n"},  // line breaks are ordinary characters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" width " << c.width);
    EXPECT_EQ(WrapText(c.text, c.width), c.wrapped);
  }
}

TEST(ZRStrings, WildcardMatch) {
  struct Case {
    const char* pattern;
    const char* text;
    bool matches;
  } cases[] = {
      {"*TOTAL", "GRAND TOTAL", true}, {"*TOTAL", "grand total", false}, {"*TOTAL", "TOTAL", true},
      {"*TOTAL", "TOTALS", false},     {"a?c", "abc", true},             {"a?c", "ac", false},
      {"*", "", true},                 {"", "", true},                   {"", "a", false},
      {"a*b*c", "axxbyyc", true},      {"a*b*c", "axxbyy", false},       {"**a", "ba", true},
      {"?*", "", false},               {"abc", "abc", true},             {"abc", "abd", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WildcardMatch(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;
}

class Names : public testing::Test {
protected:
  std::unique_ptr<TComponent> owner_ = std::make_unique<TComponent>(nullptr);
  TComponent* Add(const AnsiString& name) {
    auto* component = new TComponent(owner_.get());
    component->SetName(name);
    return component;
  }
};

TEST_F(Names, UniqueNameTakesTheFirstFreeName) {
  TComponent* first = Add("");
  UniqueName(first, "ZReport1Detail");
  EXPECT_EQ(first->Name(), "ZReport1Detail");
  TComponent* second = Add("");
  UniqueName(second, "ZReport1Detail");
  EXPECT_EQ(second->Name(), "ZReport1Detail0");
  TComponent* third = Add("");
  UniqueName(third, "ZReport1Detail");
  EXPECT_EQ(third->Name(), "ZReport1Detail1");
  // A component keeps a name it already holds.
  UniqueName(first, "ZReport1Detail");
  EXPECT_EQ(first->Name(), "ZReport1Detail");
}

TEST_F(Names, UniqueNameWithoutOwner) {
  TComponent lonely(nullptr);
  UniqueName(&lonely, "Band");
  EXPECT_EQ(lonely.Name(), "Band");
}

TEST_F(Names, ReplaceNamePrefix) {
  TComponent* sum = Add("OldSum1");
  ReplaceNamePrefix(sum, "Old", "New");
  EXPECT_EQ(sum->Name(), "NewSum1");
  ReplaceNamePrefix(sum, "Old", "Other");
  EXPECT_EQ(sum->Name(), "NewSum1");  // the prefix is not there
}

TEST_F(Names, ReplaceNamePrefixIgnoresNameErrors) {
  Add("NewSum");
  TComponent* clash = Add("OldSum");
  ReplaceNamePrefix(clash, "Old", "New");
  EXPECT_EQ(clash->Name(), "OldSum");
  ReplaceNamePrefix(clash, "Old", "1");  // not an identifier
  EXPECT_EQ(clash->Name(), "OldSum");
}

}  // namespace
