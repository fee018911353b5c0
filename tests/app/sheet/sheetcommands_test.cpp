// "Kopyala" and "Kopyala 2" on the cell tables.
#include <gtest/gtest.h>

#include "app/sheet/sheetcommands.h"
#include "app/sheet/sheetfile.h"

namespace {

struct Sheet {
  TSheetDocument document;
  TSheetTables& tables = document.Tables;
  explicit Sheet(int rows = 7) {
    EXPECT_TRUE(document.DosyaAc(DefaultSheetName));
    document.SetCounts(3, rows, 7);
  }
};

}  // namespace

TEST(SheetCommands, CopyFillsEveryCellOfEachTableWithItsFirstCell) {
  Sheet sheet;
  const char* first[SheetTableCount] = {"8690000000001", "Çay", "3,75 TL"};
  for (int which = 0; which < SheetTableCount; ++which) {
    sheet.tables.SetCell(static_cast<TSheetTable>(which), 1, 1, first[which]);
    sheet.tables.SetCell(static_cast<TSheetTable>(which), 4, 20, "başka");
  }
  CopyFirstCellEverywhere(sheet.tables);
  for (int which = 0; which < SheetTableCount; ++which)
    for (int row = 1; row <= 7; ++row)
      for (int column = 1; column <= SheetColumnLimit; ++column)
        ASSERT_EQ(sheet.tables.Cell(static_cast<TSheetTable>(which), row, column), first[which])
            << which << " " << row << " " << column;
}

TEST(SheetCommands, NumberedSeriesFromTheThirdColumnOfThreeAsTheExampleSays) {
  Sheet sheet(3);
  sheet.tables.SetCell(stBarkod, 1, 3, "1001");
  sheet.tables.SetCell(stBarkod, 1, 1, "önceki");
  ASSERT_EQ(CopyNumberedSeries(sheet.tables, 1, 3, 3), srDone);
  EXPECT_EQ(sheet.tables.Cell(stBarkod, 1, 1), "önceki");
  EXPECT_EQ(sheet.tables.Cell(stBarkod, 1, 3), "1001");
  for (int column = 4; column <= 20; ++column)
    EXPECT_EQ(sheet.tables.Cell(stBarkod, 1, column), "1002") << column;
  const char* row2[] = {"1002", "1003", "1004"};
  for (int column = 1; column <= 3; ++column)
    EXPECT_EQ(sheet.tables.Cell(stBarkod, 2, column), row2[column - 1]);
  for (int column = 4; column <= 20; ++column)
    EXPECT_EQ(sheet.tables.Cell(stBarkod, 2, column), "1005") << column;
  EXPECT_EQ(sheet.tables.Cell(stBarkod, 3, 1), "1005");
  EXPECT_EQ(sheet.tables.Cell(stBarkod, 3, 3), "1007");
  EXPECT_EQ(sheet.tables.Cell(stBarkod, 3, 20), "1008");
  EXPECT_EQ(sheet.tables.Cell(stYazi, 2, 1), "");  // names and prices untouched
}

TEST(SheetCommands, NumberedSeriesRefusesWhatIsNoUsableNumberAndChangesNothing) {
  const struct {
    const char* start;
    TSeriesResult result;
  } cases[] = {{"12A", srNotANumber},
               {"", srNotANumber},
               {"1,5", srNotANumber},
               {"99999999999999999999", srNotANumber},
               {"922337203685477", srTooLarge},
               {"922337203685472", srTooLarge}};
  for (const auto& c : cases) {
    Sheet sheet(2);
    sheet.tables.SetCell(stBarkod, 1, 1, c.start);
    sheet.tables.SetCell(stBarkod, 2, 2, "kalır");
    EXPECT_EQ(CopyNumberedSeries(sheet.tables, 1, 1, 3), c.result) << c.start;
    EXPECT_EQ(sheet.tables.Cell(stBarkod, 1, 1), c.start);
    EXPECT_EQ(sheet.tables.Cell(stBarkod, 2, 2), "kalır") << c.start;
  }
}

TEST(SheetCommands, NumberedSeriesReachesTheLimitExactly) {
  Sheet sheet(2);
  // Six numbered cells, and the columns after them take the seventh number.
  sheet.tables.SetCell(stBarkod, 1, 1, "922337203685471");
  ASSERT_EQ(CopyNumberedSeries(sheet.tables, 1, 1, 3), srDone);
  EXPECT_EQ(sheet.tables.Cell(stBarkod, 2, 3), "922337203685476");
  EXPECT_EQ(sheet.tables.Cell(stBarkod, 2, 20), "922337203685477");
}
