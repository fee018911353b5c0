// The label table's operations: copies by field name, copies of every shown
// record grouped per record, placeholders removed and inserted at the top,
// and counts read from the user's answer with their bound.
#include <gtest/gtest.h>

#include <string>

#include "app/labeltable.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"

namespace {

struct Tables {
  Tables() : records(nullptr), labels(nullptr) {
    DefineBarcodeRecordFields(records);
    DefineLabelFields(labels);
    records.Open();
    labels.Open();
  }
  void AddRecord(const AnsiString& code, const AnsiString& name) {
    records.Append();
    records.FieldByName("METIN1")->SetAsString(code);
    records.FieldByName("METIN2")->SetAsString(name);
    records.Post();
  }
  // The labels top to bottom: METIN1 of each, "-" for a placeholder.
  std::string Labels() {
    std::string out;
    for (labels.First(); !labels.Eof(); labels.Next()) {
      bool placeholder = labels.FieldByName("BAS")->AsBoolean();
      out += std::string(out.empty() ? "" : " ") + (placeholder ? "-" : labels.FieldByName("METIN1")->AsString());
    }
    return out;
  }

  TRxMemoryData records;
  TRxMemoryData labels;
};

TEST(LabelTable, CopyByFieldNamesKeepsEveryTextAndLeavesBasNull) {
  Tables t;
  AnsiString longText(200, 'x');
  longText[0] = '\xDE';  // Ş
  t.records.Append();
  for (int k = 1; k <= RecordFieldCount; ++k)
    t.records.FieldByName(RecordFieldName(k))->SetAsString(k == 7 ? longText : "alan " + std::to_string(k));
  t.records.Post();
  CopyRecordByFieldNames(t.records, t.labels);
  ASSERT_EQ(t.labels.RecordCount(), 1);
  for (int k = 1; k <= RecordFieldCount; ++k)
    EXPECT_EQ(t.labels.FieldByName(RecordFieldName(k))->AsString(),
              k == 7 ? longText : "alan " + std::to_string(k));
  EXPECT_TRUE(t.labels.FieldByName("BAS")->IsNull());
}

TEST(LabelTable, CopyBetweenTablesOfDifferentFieldsTakesTheCommonOnes) {
  TRxMemoryData source(nullptr), target(nullptr);
  source.FieldDefs()->Add("KOD", ftString, 10);
  source.FieldDefs()->Add("AD", ftString, 10);
  target.FieldDefs()->Add("ad", ftString, 10);
  target.FieldDefs()->Add("FIYAT", ftString, 10);
  source.Open();
  target.Open();
  source.Append();
  source.FieldByName("KOD")->SetAsString("K1");
  source.FieldByName("AD")->SetAsString("Elma");
  source.Post();
  CopyRecordByFieldNames(source, target);
  EXPECT_EQ(target.FieldByName("ad")->AsString(), "Elma");
  EXPECT_TRUE(target.FieldByName("FIYAT")->IsNull());
}

TEST(LabelTable, ShownRecordsAreCopiedGroupedPerRecord) {
  Tables t;
  t.AddRecord("A", "a");
  t.AddRecord("B", "b");
  CopyShownRecords(t.records, t.labels, 3);
  EXPECT_EQ(t.Labels(), "A A A B B B");
  EXPECT_EQ(t.records.FieldByName("METIN1")->AsString(), "B");
}

TEST(LabelTable, PlaceholdersGoToTheTopAndARepeatedRequestKeepsOnlyItsOwn) {
  Tables t;
  t.AddRecord("A", "a");
  t.AddRecord("B", "b");
  CopyShownRecords(t.records, t.labels, 1);
  InsertPlaceholders(t.labels, 3);
  EXPECT_EQ(t.Labels(), "- - - A B");
  RemovePlaceholders(t.labels);
  InsertPlaceholders(t.labels, 2);
  EXPECT_EQ(t.Labels(), "- - A B");
  EXPECT_EQ(PlaceholderCount(t.labels), 2);
  RemovePlaceholders(t.labels);
  EXPECT_EQ(t.Labels(), "A B");
  // An empty table takes placeholders too.
  TRxMemoryData empty(nullptr);
  DefineLabelFields(empty);
  empty.Open();
  InsertPlaceholders(empty, 1);
  EXPECT_EQ(empty.RecordCount(), 1);
}

TEST(LabelTable, CountsAreWholeNumbersWithABound) {
  struct Case {
    const char* answer;
    int value;
  } cases[] = {{"1", 1},   {"3", 3},       {" 12 ", 12}, {"+4", 4},       {"0", 0},
               {"-2", 0},  {"", 0},        {"abc", 0},   {"3a", 0},       {"2.5", 0},
               {"10000", MaxLabelCount}, {"10001", MaxLabelCount + 1}, {"99999999999999999999", 0},
               {"1000000", MaxLabelCount + 1}};
  for (const Case& c : cases)
    EXPECT_EQ(ReadWholeNumber(c.answer), c.value) << "'" << c.answer << "'";
}

// A start position typed as 0 or below is a number, not a typo: the print
// request then says that positions start at 1.
TEST(LabelTable, WholeNumbersBelowOneAreToldApartFromTypos) {
  struct Case {
    const char* answer;
    bool belowOne;
  } cases[] = {{"0", true},   {" 00 ", true}, {"-3", true},  {"-0", true},  {"+0", true},
               {"1", false},  {"+4", false},  {"", false},   {"-", false},  {"beş", false},
               {"1,5", false}, {"0x", false}, {"99999999999999999999", false}};
  for (const Case& c : cases)
    EXPECT_EQ(IsWholeNumberBelowOne(c.answer), c.belowOne) << "'" << c.answer << "'";
}

// Placeholders that fill a whole sheet or more are refused; 0 labels a sheet
// (not known) refuses nothing.
TEST(LabelTable, PlaceholdersFillingASheetAreToldApart) {
  struct Case {
    int start, perPage;
    bool fills;
  } cases[] = {{1, 21, false}, {21, 21, false}, {22, 21, true},  {999, 21, true},
               {2, 1, true},   {1, 1, false},   {999, 0, false}, {43, 21, true}};
  for (const Case& c : cases)
    EXPECT_EQ(PlaceholdersFillASheet(c.start, c.perPage), c.fills) << c.start << " of " << c.perPage;
}

}  // namespace
