// The record filter's rule as the record table uses it: made once from the
// rows, then testing each record in place while the table filters.
#include <gtest/gtest.h>

#include "app/recordfilter.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"

namespace {

// METIN1 and METIN2 of each record; nullptr leaves a field null.
struct Texts {
  const char* First;
  const char* Second;
};

class RecordFilterRuleTest : public testing::Test {
protected:
  RecordFilterRuleTest() : table(nullptr) {
    DefineBarcodeRecordFields(table);
    table.Open();
  }
  void Add(const AnsiString& first, const char* second = nullptr) {
    table.Append();
    table.FieldByName("METIN1")->SetAsString(first);
    if (second != nullptr)
      table.FieldByName("METIN2")->SetAsString(second);
    table.Post();
  }
  // METIN1 of every record the rule lets the table show.
  std::vector<AnsiString> Shown(const TRecordFilter& filter) {
    const TRecordFilterRule rule(filter);
    table.OnFilterRecord = [&rule](TDataSet* d, bool& accept) { accept = rule.Accepts(*d); };
    table.SetFiltered(true);
    std::vector<AnsiString> shown;
    for (table.First(); !table.Eof(); table.Next())
      shown.push_back(table.FieldByName("METIN1")->AsString());
    table.SetFiltered(false);
    table.OnFilterRecord = {};
    return shown;
  }

  TRxMemoryData table;
};

TEST_F(RecordFilterRuleTest, TestsEachRecordByTheTurkishPrefixRule) {
  const AnsiString full(RecordFieldSize, 'a');
  Add("ipek", "kuru");
  Add("İzmir", "Kum");
  Add("ırmak");
  Add("Ilık", "kUrt");
  Add("");
  Add(full);
  struct Case {
    const char* Title;
    TRecordFilter Filter;
    std::vector<AnsiString> Shown;
  } const cases[] = {
      {"i takes i and İ", {{{1, "i"}, {2, ""}, {3, ""}}}, {"ipek", "İzmir"}},
      {"ı takes ı and I", {{{1, "ı"}, {2, ""}, {3, ""}}}, {"ırmak", "Ilık"}},
      {"every row with a value must match",
       {{{1, "i"}, {2, "KU"}, {3, ""}}}, {"ipek", "İzmir"}},
      {"rows are tested on their own fields",
       {{{2, "kur"}, {1, ""}, {3, ""}}}, {"ipek", "Ilık"}},
      {"a null field is an empty text", {{{2, "k"}, {1, "ı"}, {3, ""}}}, {"Ilık"}},
      {"a value longer than the text", {{{1, "ipekler"}, {2, ""}, {3, ""}}}, {}},
      {"the whole field", {{{1, full}, {2, ""}, {3, ""}}}, {full}},
      {"longer than the field", {{{1, full + "a"}, {2, ""}, {3, ""}}}, {}},
      {"no values", {{{1, ""}, {2, ""}, {3, ""}}}, {"ipek", "İzmir", "ırmak", "Ilık", "", full}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Shown(c.Filter), c.Shown) << c.Title;
}

TEST_F(RecordFilterRuleTest, TheRuleKeepsTheRowsItWasMadeFrom) {
  Add("ipek");
  Add("zeytin");
  TRecordFilter filter{{{1, "z"}, {2, ""}, {3, ""}}};
  const TRecordFilterRule rule(filter);
  filter[0].Value = "i";
  table.First();
  EXPECT_FALSE(rule.Accepts(table));
  table.Next();
  EXPECT_TRUE(rule.Accepts(table));
  EXPECT_FALSE(rule.AcceptsAll());
  EXPECT_TRUE(TRecordFilterRule(TRecordFilter{}).AcceptsAll());
}

}  // namespace
