// The built-in reader on workbooks an independent writer (openpyxl) makes:
// shared strings with Turkish letters, a 13-digit number, a decimal, dates, a
// formula (stored without a cached result), an empty column and a second
// worksheet.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/workbook/workbookerror.h"
#include "support/workbook/xlsxreader.h"
#include "tests/support/scratchfolder.h"

using workbook::TXlsxWorkbookReader;

namespace {

AnsiString Generate(const ScratchFolder& folder, const std::string& kind, const std::string& extra = "") {
  const AnsiString name = folder.File(kind + ".xlsx");
  const std::string command =
      std::string("/usr/bin/python3 '") + DOZURI_WORKBOOK_GENERATOR + "' " + kind + " '" + name + "' " + extra;
  if (std::system(command.c_str()) != 0)
    throw std::runtime_error("the workbook generator failed (is python3-openpyxl installed?): " + command);
  return name;
}

}  // namespace

TEST(GeneratedWorkbook, ValuesOfBothWorksheets) {
  ScratchFolder folder;
  TXlsxWorkbookReader reader;
  reader.OpenWorkbook(Generate(folder, "sample"));
  reader.OpenWorksheet(1);
  EXPECT_EQ(reader.LastUsedRow(), 3);
  const struct {
    int row, column;
    const char* text;
  } cases[] = {
      {1, 1, "Barkod"},        {1, 2, "Adı"},        {1, 6, ""},          {1, 7, "Not"},
      {2, 1, "8690000000012"}, {2, 2, "Çiğ Köfte"},  {2, 3, "12,75"},     {2, 4, "01.03.2024"},
      {2, 5, ""},              {2, 6, ""},           {2, 7, "ıİğĞüÜşŞöÖçÇ"},
      {3, 1, "8690000000029"}, {3, 3, "3"},          {3, 4, "31.12.1999"}, {4, 1, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(reader.CellText(c.row, c.column), c.text) << c.row << "," << c.column;
  reader.OpenWorksheet(2);
  EXPECT_EQ(reader.LastUsedRow(), 3);
  EXPECT_EQ(reader.CellText(2, 2), "ikinci sayfa");
  EXPECT_EQ(reader.CellText(3, 2), "-0,5");
  EXPECT_EQ(reader.CellText(1, 1), "");
  EXPECT_THROW(reader.OpenWorksheet(3), EWorkbookError);
}

TEST(GeneratedWorkbook, ManyBarcodeRows) {
  ScratchFolder folder;
  TXlsxWorkbookReader reader;
  reader.OpenWorkbook(Generate(folder, "barcodes", "500"));
  reader.OpenWorksheet(1);
  ASSERT_EQ(reader.LastUsedRow(), 501);
  EXPECT_EQ(reader.CellText(2, 1), "8690000000000");
  EXPECT_EQ(reader.CellText(501, 1), "8690000000499");
  EXPECT_EQ(reader.CellText(501, 2), "Düğme 500");
  EXPECT_EQ(reader.CellText(500, 2), "Öğle Yemeği 499");
}
