// SortOnFields: Turkish alphabetical order of code page 1254, letter case
// ignored or not, stable, descending, several fields and numbers.
#include <algorithm>
#include <random>

#include "classlib/data/fielddefs.h"
#include "classlib/system/strutils.h"
#include "classlib/system/codepage.h"
#include "datatestutil.h"

namespace {

AnsiString T(const char16_t* text) { return Utf16ToAnsi(text); }

class SortTest : public TableFixture {
protected:
  void SetUp() override {
    TableFixture::SetUp();
    Table->Open();
  }
  // NAME and AGE of each row, as "name/age".
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (Table->First(); !Table->Eof(); Table->Next())
      rows.push_back(Table->FieldByName("NAME")->AsString() + "/" + Table->FieldByName("AGE")->AsString());
    return rows;
  }
};

TEST_F(SortTest, CaseInsensitiveFollowsTheTurkishAlphabet) {
  // ı < i (İ is the capital of i, I of ı) < ş < t; ç after c, ğ after g.
  AddRows({{T(u"şu"), 1}, {T(u"İp"), 2}, {T(u"ıp"), 3}, {T(u"tu"), 4}, {T(u"su"), 5}, {T(u"Çam"), 6},
           {T(u"can"), 7}, {T(u"gül"), 8}, {T(u"Ğ"), 9}, {T(u"hu"), 10}});
  Table->SortOnFields("NAME");
  EXPECT_EQ(Rows(), (std::vector<std::string>{T(u"can/7"), T(u"Çam/6"), T(u"gül/8"), T(u"Ğ/9"), T(u"hu/10"),
                                              T(u"ıp/3"), T(u"İp/2"), T(u"su/5"), T(u"şu/1"), T(u"tu/4")}));
}

TEST_F(SortTest, DotlessAndDottedIPairsAreEqualIgnoringCaseAndKeepTheirOrder) {
  AddRows({{"I", 1}, {T(u"ı"), 2}, {T(u"İ"), 3}, {"i", 4}, {"I", 5}, {T(u"ı"), 6}});
  Table->SortOnFields("NAME", true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"I/1", T(u"ı/2"), "I/5", T(u"ı/6"), T(u"İ/3"), "i/4"}));
}

TEST_F(SortTest, EqualKeysKeepTheirOrderAscendingAndDescending) {
  AddRows({{"b", 1}, {"a", 2}, {"B", 3}, {"a", 4}, {"A", 5}, {"b", 6}});
  Table->SortOnFields("NAME");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/2", "a/4", "A/5", "b/1", "B/3", "b/6"}));
  Table->SortOnFields("NAME", true, true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b/1", "B/3", "b/6", "a/2", "a/4", "A/5"}));
}

TEST_F(SortTest, CaseSensitivePutsTheSmallLetterFirst) {
  AddRows({{"B", 1}, {"a", 2}, {"b", 3}, {"A", 4}});
  Table->SortOnFields("NAME", false);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/2", "A/4", "b/3", "B/1"}));
}

TEST_F(SortTest, NumbersByValueAndSeveralFields) {
  AddRows({{"x", 10}, {"y", 9}, {"x", 2}, {"y", 100}});
  Table->SortOnFields("AGE");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"x/2", "y/9", "x/10", "y/100"}));
  Table->SortOnFields("NAME;AGE", true, true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"y/100", "y/9", "x/10", "x/2"}));
}

TEST_F(SortTest, NullsSortFirstAndTheCurrentRowStaysCurrent) {
  AddRows({{"c", 1}, {"a", 2}});
  Table->Append();
  Table->FieldByName("AGE")->SetAsInteger(3);
  Table->Post();
  Table->First();  // "c"
  Table->SortOnFields("NAME");
  EXPECT_EQ(Table->FieldByName("NAME")->AsString(), "c");
  EXPECT_EQ(Table->RecNo(), 3);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"/3", "a/2", "c/1"}));
}

TEST_F(SortTest, AnUnknownFieldIsReportedAndAnEmptyListSortsNothing) {
  AddRows({{"b", 1}, {"a", 2}});
  EXPECT_THROW(Table->SortOnFields("NOSUCH"), EDatabaseError);
  Table->SortOnFields("");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b/1", "a/2"}));
}

TEST_F(SortTest, APendingEditIsPostedFirst) {
  AddRows({{"b", 1}, {"a", 2}});
  Table->First();
  Table->Edit();
  Table->FieldByName("NAME")->SetAsString("z");
  Table->SortOnFields("NAME");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a/2", "z/1"}));
}

TEST_F(SortTest, AgreesWithTheCollationOnRandomTexts) {
  // Letters with accents and both cases, digits and symbols, texts of 0 to
  // 10 characters, many sharing their first eight.
  const AnsiString alphabet = T(u"aAâÂbcÇçğĞıIiİoÖöşŞuÜü09 -.");
  std::mt19937 random(42);
  std::vector<std::pair<std::string, int>> rows;
  for (int i = 0; i < 3000; ++i) {
    std::string text = i % 3 == 0 ? "aaaaaaaa" : "";
    for (int n = random() % 11; n > 0; --n)
      text += alphabet[random() % alphabet.size()];
    rows.emplace_back(text, i);
  }
  AddRows(rows);
  for (bool caseInsensitive : {true, false}) {
    for (bool descending : {false, true}) {
      auto expected = rows;
      std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
        int order = caseInsensitive ? AnsiCompareText(a.first, b.first) : AnsiCompareStr(a.first, b.first);
        return descending ? order > 0 : order < 0;
      });
      // Back to insertion order first, so that equal texts keep it.
      Table->SortOnFields("AGE");
      Table->SortOnFields("NAME", caseInsensitive, descending);
      std::vector<std::string> want;
      for (const auto& [name, age] : expected)
        want.push_back(name + "/" + std::to_string(age));
      EXPECT_EQ(Rows(), want) << caseInsensitive << descending;
    }
  }
}

}  // namespace
