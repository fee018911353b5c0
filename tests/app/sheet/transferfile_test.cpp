// The transfer file: its lines taken apart and the products laid into the
// sheet from left to right and top to bottom.
#include <gtest/gtest.h>

#include <string>

#include "app/sheet/transferfile.h"
#include "tests/support/scratchfolder.h"

namespace {

struct OpenSheet {
  TSheetDocument document;
  OpenSheet() { EXPECT_TRUE(document.DosyaAc(DefaultSheetName)); }
};

void AddLines(TStrings& lines, int count) {
  for (int i = 1; i <= count; ++i)
    lines.Add("869000000000" + std::to_string(i) + "|Ürün " + std::to_string(i) + "|" + std::to_string(i) + ",50|KG|");
}

}  // namespace

TEST(TransferFile, FieldsOfALine) {
  const struct {
    const char* line;
    const char *barkod, *isim, *fiyat, *birim;
  } cases[] = {
      {"8690000000001|Elma|2,50|KG|", "8690000000001", "Elma", "2,50", "KG"},
      {"8690000000001|Elma|2,50|KG|fazla|alan|", "8690000000001", "Elma", "2,50", "KG"},
      {"8690000000001|Elma|2,50|KG", "8690000000001", "Elma", "2,50", ""},
      {"8690000000001|Elma", "8690000000001", "", "", ""},
      {"yalnız metin", "", "", "", ""},
      {"||||", "", "", "", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    const TTransferProduct product = ParseTransferLine(c.line);
    EXPECT_EQ(product.Barkod, c.barkod) << c.line;
    EXPECT_EQ(product.Isim, c.isim) << c.line;
    EXPECT_EQ(product.Fiyat, c.fiyat) << c.line;
    EXPECT_EQ(product.Birim, c.birim) << c.line;
  }
  EXPECT_EQ(TransferPriceCell(ParseTransferLine("1|a|2,50|KG|")), "2,50 KG");
  EXPECT_EQ(TransferPriceCell(ParseTransferLine("1|a||KG|")), "");
}

TEST(TransferFile, RowsAreLinesOverColumnsRoundedUp) {
  const int cases[][3] = {{8, 3, 3}, {9, 3, 3}, {10, 3, 4}, {1, 20, 1}, {20, 20, 1}, {21, 20, 2}, {1500, 3, 500}};
  for (const auto& c : cases)
    EXPECT_EQ(TransferRowCount(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

TEST(TransferFile, EightProductsInThreeColumnsFillThreeRows) {
  OpenSheet sheet;
  sheet.document.Tables.SetCell(stBarkod, 7, 3, "eski");
  sheet.document.Settings.FontName = "Arial";
  TStringList lines;
  AddLines(lines, 8);
  lines.SetStrings(4, "8690000000005|Boş fiyat||ADET|");
  ASSERT_EQ(ImportTransferLines(lines, sheet.document), trImported);
  const TSheetDocument& d = sheet.document;
  EXPECT_EQ(d.Settings.Satir, 3);
  EXPECT_EQ(d.Settings.FontName, "Arial");  // settings kept
  for (int which = 0; which < SheetTableCount; ++which)
    EXPECT_EQ(d.Tables.RowCount(static_cast<TSheetTable>(which)), 3);
  EXPECT_EQ(d.Tables.Cell(stBarkod, 1, 1), "8690000000001");
  EXPECT_EQ(d.Tables.Cell(stBarkod, 3, 1), "8690000000007");
  EXPECT_EQ(d.Tables.Cell(stYazi, 3, 2), "Ürün 8");
  EXPECT_EQ(d.Tables.Cell(stFiyat, 3, 2), "8,50 KG");
  EXPECT_EQ(d.Tables.Cell(stBarkod, 3, 3), "");
  EXPECT_EQ(d.Tables.Cell(stYazi, 3, 3), "");
  EXPECT_EQ(d.Tables.Cell(stFiyat, 3, 3), "");
  EXPECT_EQ(d.Tables.Cell(stYazi, 2, 2), "Boş fiyat");
  EXPECT_EQ(d.Tables.Cell(stFiyat, 2, 2), "");
  EXPECT_FALSE(d.Tables.AllowRowInsert);
}

TEST(TransferFile, LongFieldsAreCutToACell) {
  OpenSheet sheet;
  TStringList lines;
  lines.Add(std::string(40, '1') + "|" + std::string(45, 'ş') + "|" + std::string(29, '9') + "|KG|");
  ASSERT_EQ(ImportTransferLines(lines, sheet.document), trImported);
  EXPECT_EQ(sheet.document.Tables.Cell(stBarkod, 1, 1), std::string(30, '1'));
  EXPECT_EQ(sheet.document.Tables.Cell(stYazi, 1, 1), std::string(30, 'ş'));
  EXPECT_EQ(sheet.document.Tables.Cell(stFiyat, 1, 1), std::string(29, '9') + " ");
}

TEST(TransferFile, MoreProductsThanASheetHoldsChangeNothing) {
  OpenSheet sheet;
  sheet.document.Tables.SetCell(stBarkod, 1, 1, "kalır");
  TStringList lines;
  AddLines(lines, 500 * 3 + 1);
  EXPECT_EQ(ImportTransferLines(lines, sheet.document), trTooMany);
  EXPECT_EQ(sheet.document.Settings.Satir, 7);
  EXPECT_EQ(sheet.document.Tables.Cell(stBarkod, 1, 1), "kalır");
  const AnsiString text = TransferTooManyText(1501, 3);
  EXPECT_NE(text.find("1501"), AnsiString::npos);
  EXPECT_NE(text.find("1500"), AnsiString::npos);

  lines.Delete(0);
  EXPECT_EQ(ImportTransferLines(lines, sheet.document), trImported);
  EXPECT_EQ(sheet.document.Settings.Satir, 500);
  EXPECT_EQ(sheet.document.Tables.Cell(stBarkod, 500, 3), "8690000000001501");
}

TEST(TransferFile, AnEmptyFileChangesNothing) {
  OpenSheet sheet;
  sheet.document.Tables.SetCell(stBarkod, 1, 1, "kalır");
  TStringList lines;
  EXPECT_EQ(ImportTransferLines(lines, sheet.document), trEmpty);
  EXPECT_EQ(sheet.document.Tables.Cell(stBarkod, 1, 1), "kalır");
}

TEST(TransferFile, ReadsAnyBytesAndFailsOnAMissingFile) {
  ScratchFolder folder;
  FileBytes bytes;
  for (int i = 0; i < 5000; ++i)
    bytes.push_back(static_cast<std::uint8_t>(i * 31));
  WriteFileBytes(folder.File("a.BRC"), bytes);
  TStringList lines;
  ReadTransferFile(folder.File("a.BRC"), lines);
  EXPECT_GT(lines.Count(), 1);
  OpenSheet sheet;
  EXPECT_EQ(ImportTransferLines(lines, sheet.document), trImported);
  EXPECT_ANY_THROW(ReadTransferFile(folder.File("yok.BRC"), lines));
}

TEST(TransferFile, ACellKeepsItsTextUpToAZeroByte) {
  OpenSheet sheet;
  TStringList lines;
  lines.Add(std::string("8690\0" "001|Elma|", 14));
  ASSERT_EQ(ImportTransferLines(lines, sheet.document), trImported);
  EXPECT_EQ(sheet.document.Tables.Cell(stBarkod, 1, 1), "8690");
  EXPECT_EQ(sheet.document.Tables.Cell(stYazi, 1, 1), "Elma");
}
