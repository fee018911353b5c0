// What a label prints: a data text's tag picks one character or the value
// of a fixed record, the data set keeps its place, and PRINTOPTION keeps or
// empties the text by page.
#include "layouts/labelprintvalue.h"

#include <gtest/gtest.h>

#include "app/recordtables.h"
#include "classlib/data/field.h"

namespace {

class FixedRecordTest : public testing::Test {
protected:
  FixedRecordTest() : table(nullptr) {
    DefineLabelFields(table);
    table.Open();
    for (const char* text : {"ABCDEF", "ikinci", "ucuncu", "dorduncu", "besinci"}) {
      table.Append();
      table.FieldByName("METIN1")->SetAsString(text);
      table.Post();
    }
  }
  TRxMemoryData table;
};

TEST(LabelPrintValue, ATagAboveZeroKeepsOneCharacter) {
  EXPECT_EQ(CharacterAt("ABCDEF", DBTextCharacterPosition(3)), "C");
  EXPECT_EQ(CharacterAt("ABCDEF", 1), "A");
  EXPECT_EQ(CharacterAt("ABCDEF", 6), "F");
  EXPECT_EQ(CharacterAt("ABCDEF", 7), "");
  EXPECT_EQ(CharacterAt("", 1), "");
}

TEST_F(FixedRecordTest, ANegativeTagReadsThatRecordAndComesBackToTheCurrentOne) {
  table.First();
  table.Next();
  table.Next();
  EXPECT_EQ(FieldTextInRecord(table, "METIN1", DBTextRecordNumber(-2)), "ikinci");
  EXPECT_EQ(table.FieldByName("METIN1")->AsString(), "ucuncu");
  EXPECT_EQ(FieldTextInRecord(table, "METIN1", 1), "ABCDEF");
  EXPECT_EQ(FieldTextInRecord(table, "METIN1", 5), "besinci");
  EXPECT_EQ(table.FieldByName("METIN1")->AsString(), "ucuncu");
}

TEST_F(FixedRecordTest, ARecordBeyondTheEndGivesNothing) {
  table.Last();
  EXPECT_EQ(FieldTextInRecord(table, "METIN1", DBTextRecordNumber(-9)), "");
  EXPECT_EQ(table.FieldByName("METIN1")->AsString(), "besinci");
}

TEST_F(FixedRecordTest, AMissingFieldRaisesAndStillLeavesTheDataSetWhereItWasWithItsControlsOn) {
  table.First();
  table.Next();
  EXPECT_THROW(FieldTextInRecord(table, "YOK", 3), Exception);
  EXPECT_EQ(table.FieldByName("METIN1")->AsString(), "ikinci");
  EXPECT_FALSE(table.ControlsDisabled());
}

struct OptionCase {
  TPrintOption Option;
  int Page;
  bool Prints;
};

TEST(LabelPrintValue, PrintOptionsOnAThreePageReport) {
  const OptionCase cases[] = {
      {poOnlyFirstPage, 1, true},  {poOnlyFirstPage, 2, false}, {poOnlyFirstPage, 3, false},
      {poOnlyLastPage, 1, false},  {poOnlyLastPage, 2, false},  {poOnlyLastPage, 3, true},
      {poNotFirstPage, 1, false},  {poNotFirstPage, 2, true},   {poNotFirstPage, 3, true},
      {poNotLastPage, 1, true},    {poNotLastPage, 2, true},    {poNotLastPage, 3, false},
      {poEveryPage, 1, true},      {poEveryPage, 3, true},
  };
  for (const OptionCase& c : cases)
    EXPECT_EQ(ApplyPrintOption("Toplam", c.Option, c.Page, 3), c.Prints ? "Toplam" : "")
        << "option " << c.Option << " page " << c.Page;
}

}  // namespace
