// The cell-text rule both workbook readers share, and cell addresses.
#include <gtest/gtest.h>

#include "support/workbook/cellreference.h"
#include "support/workbook/celltext.h"
#include "support/workbook/xlsxsheet.h"
#include "support/workbook/xlsxstyles.h"

using namespace workbook;

TEST(CellText, EveryKindOfValue) {
  const struct {
    TCellValue value;
    const char* text;
  } cases[] = {
      {TCellValue(), ""},
      {TCellValue::MakeText("Şeker Ürünleri"), "Şeker Ürünleri"},
      {TCellValue::MakeText("00123"), "00123"},
      {TCellValue::MakeNumber(8690000000012.0), "8690000000012"},
      {TCellValue::MakeNumber(123456789012345678.0), "123456789012345680"},
      {TCellValue::MakeNumber(-42), "-42"},
      {TCellValue::MakeNumber(-0.0), "0"},
      {TCellValue::MakeNumber(12.5), "12,5"},
      {TCellValue::MakeNumber(0.1), "0,1"},
      {TCellValue::MakeNumber(0.1 + 0.2), "0,30000000000000004"},
      {TCellValue::MakeNumber(-1.25), "-1,25"},
      {TCellValue::MakeNumber(1e-7), "1e-07"},
      {TCellValue::MakeDate(EncodeDate(2024, 3, 1)), "01.03.2024"},
      {TCellValue::MakeDate(EncodeDate(2024, 3, 1) + 0.75), "01.03.2024"},
      {TCellValue::MakeDate(EncodeDate(987, 12, 31)), "31.12.0987"},
      {TCellValue::MakeDate(1e12), "1000000000000"},
      {TCellValue::MakeBoolean(true), "DOĞRU"},
      {TCellValue::MakeBoolean(false), "YANLIŞ"},
      {TCellValue::MakeError("#N/A"), "#N/A"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CellText(c.value), c.text);
}

TEST(CellText, StoredDateSerialsOfBothDateSystems) {
  EXPECT_EQ(CellText(TCellValue::MakeDate(SerialToDate(45352, false))), "01.03.2024");
  EXPECT_EQ(CellText(TCellValue::MakeDate(SerialToDate(1, false))), "01.01.1900");
  EXPECT_EQ(CellText(TCellValue::MakeDate(SerialToDate(59, false))), "28.02.1900");
  EXPECT_EQ(CellText(TCellValue::MakeDate(SerialToDate(61, false))), "01.03.1900");
  EXPECT_EQ(CellText(TCellValue::MakeDate(SerialToDate(0, true))), "01.01.1904");
}

TEST(CellReference, AddressesWithinTheWorksheetLimits) {
  const struct {
    const char* text;
    bool valid;
    int row, column;
  } cases[] = {
      {"A1", true, 1, 1},           {"BZ78", true, 78, 78},     {"$C$7", true, 7, 3},
      {"XFD1048576", true, 1048576, 16384},                     {"aa10", true, 10, 27},
      {"XFE1", false, 0, 0},        {"A0", false, 0, 0},        {"A01", false, 0, 0},
      {"A1048577", false, 0, 0},    {"1A", false, 0, 0},        {"A", false, 0, 0},
      {"", false, 0, 0},            {"A1B", false, 0, 0},       {"AAAA1", false, 0, 0},
      {"A-1", false, 0, 0},
  };
  for (const auto& c : cases) {
    TCellReference reference;
    ASSERT_EQ(ParseCellReference(c.text, reference), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(reference.Row, c.row) << c.text;
      EXPECT_EQ(reference.Column, c.column) << c.text;
    }
  }
  EXPECT_EQ(ColumnOfLetters("Z"), 26);
  EXPECT_EQ(ColumnOfLetters("AA"), 27);
  EXPECT_EQ(ColumnOfLetters("A1"), 0);
}

TEST(DateFormats, CodesThatShowDates) {
  const struct {
    const char* code;
    bool date;
  } cases[] = {
      {"dd.mm.yyyy", true},  {"mmm-yy", true},      {"[$-41F]d mmmm yyyy", true}, {"yyyy-mm-dd h:mm", true},
      {"h:mm:ss", false},    {"[h]:mm", false},     {"mm:ss", false},             {"0.00", false},
      {"\"day\" 0", false},  {"#,##0;[Red]-#,##0", false}, {"General", false},    {"0\\d", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsDateFormatCode(c.code), c.date) << c.code;
  EXPECT_TRUE(IsBuiltInDateFormat(14));
  EXPECT_TRUE(IsBuiltInDateFormat(22));
  EXPECT_FALSE(IsBuiltInDateFormat(20));
  EXPECT_FALSE(IsBuiltInDateFormat(0));
}
