// The built-in workbook reader on small hand-made workbooks: what a generator
// writes rarely (inline strings, rich-text runs, cells without a reference,
// cached formula results of every type), the used range, the worksheet
// order, and every kind of bad input refused with a message naming the file.
#include <gtest/gtest.h>

#include "support/workbook/workbookerror.h"
#include "support/workbook/xlsxreader.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/workbook/testzip.h"

#ifdef _WIN32
#include <windows.h>
#endif

using workbook::TXlsxWorkbookReader;

namespace {

const char* const kSharedStrings =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"3\" uniqueCount=\"3\">"
    "<si><t>Barkod</t></si>"
    "<si><r><rPr><b/></rPr><t xml:space=\"preserve\">Çiğ </t></r><r><t>Köfte</t></r>"
    "<rPh sb=\"0\" eb=\"1\"><t>yok sayılır</t></rPh></si>"
    "<si><t>Satır_x000D_sonu &amp; İ</t></si></sst>";

// Style 1 is a built-in date format, 2 the workbook's own date format, 3 a time.
const char* const kStyles =
    "<styleSheet><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/>"
    "<numFmt numFmtId=\"165\" formatCode=\"h:mm\"/></numFmts>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs>"
    "<cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"><alignment/></xf>"
    "<xf numFmtId=\"165\"/></cellXfs></styleSheet>";

std::string SampleWorkbook() {
  const std::string first = testzip::SheetXml(
      "<row r=\"3\"><c r=\"A3\" t=\"s\"><v>0</v></c><c r=\"B3\" t=\"s\"><v>1</v></c><c t=\"s\"><v>2</v></c></row>"
      "<row r=\"4\"><c r=\"A4\"><v>8690000000012</v></c><c r=\"B4\"><v>12.5</v></c>"
      "<c r=\"C4\" s=\"1\"><v>45352</v></c><c r=\"D4\" s=\"2\"><v>45353.5</v></c><c r=\"E4\" s=\"3\"><v>0.5</v></c></row>"
      "<row><c t=\"inlineStr\"><is><t>Satır içi</t></is></c><c t=\"inlineStr\"><is><r><t>çok </t></r><r><t>parça</t></r></is></c>"
      "<c><f>A4*2</f><v>17380000000024</v></c><c t=\"str\"><f>B3&amp;\"!\"</f><v>Çiğ Köfte!</v></c>"
      "<c t=\"b\"><f>1=1</f><v>1</v></c><c t=\"e\"><f>NA()</f><v>#N/A</v></c><c t=\"d\"><v>2024-03-01T00:00:00</v></c></row>"
      "<row r=\"7\"><c r=\"B7\" s=\"1\"/></row>");
  const std::string second = testzip::SheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>ikinci</t></is></c></row>");
  return testzip::BuildWorkbook({first, second}, kSharedStrings, kStyles);
}

TXlsxWorkbookReader OpenSample(int sheet) {
  TXlsxWorkbookReader reader;
  reader.OpenWorkbookBytes(SampleWorkbook(), "C:\\veri\\örnek.xlsx");
  reader.OpenWorksheet(sheet);
  return reader;
}

std::string WorkbookRefusalOf(const std::string& bytes, int sheet = 1, std::uint64_t limit = 1u << 20) {
  TXlsxWorkbookReader reader(limit);
  try {
    reader.OpenWorkbookBytes(bytes, "C:\\veri\\bozuk.xlsx");
    reader.OpenWorksheet(sheet);
  } catch (const EWorkbookError& error) {
    return error.Message;
  }
  return "";
}

std::string OneSheetWorkbook(const std::string& sheetData, const std::string& strings = "") {
  return testzip::BuildWorkbook({testzip::SheetXml(sheetData)}, strings);
}

}  // namespace

TEST(XlsxReader, CellsOfEveryStoredKind) {
  TXlsxWorkbookReader reader = OpenSample(1);
  const struct {
    int row, column;
    const char* text;
  } cases[] = {
      {3, 1, "Barkod"},         {3, 2, "Çiğ Köfte"},       {3, 3, "Satır\rsonu & İ"},
      {4, 1, "8690000000012"},  {4, 2, "12,5"},            {4, 3, "01.03.2024"},
      {4, 4, "02.03.2024"},     {4, 5, "0,5"},             {5, 1, "Satır içi"},
      {5, 2, "çok parça"},      {5, 3, "17380000000024"},  {5, 4, "Çiğ Köfte!"},
      {5, 5, "DOĞRU"},          {5, 6, "#N/A"},            {5, 7, "01.03.2024"},
      {7, 2, ""},               {1, 1, ""},                {4, 78, ""},
      {1048576, 16384, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(reader.CellText(c.row, c.column), c.text) << c.row << "," << c.column;
}

TEST(XlsxReader, UsedRangeEndsAtItsLastRowAndSheetsKeepTheirOrder) {
  // The sample's cells span rows 3 to 7: an empty styled cell counts.
  EXPECT_EQ(OpenSample(1).LastUsedRow(), 7);
  TXlsxWorkbookReader second = OpenSample(2);
  EXPECT_EQ(second.LastUsedRow(), 1);
  EXPECT_EQ(second.CellText(1, 1), "ikinci");
  TXlsxWorkbookReader empty;
  empty.OpenWorkbookBytes(OneSheetWorkbook(""), "bos.xlsx");
  empty.OpenWorksheet(1);
  EXPECT_EQ(empty.LastUsedRow(), 1);
  EXPECT_EQ(empty.CellText(1, 1), "");
}

TEST(XlsxReader, The1904DateSystem) {
  const std::string styles = "<styleSheet><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs></styleSheet>";
  TXlsxWorkbookReader reader;
  reader.OpenWorkbookBytes(testzip::BuildWorkbook({testzip::SheetXml("<row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c></row>")},
                                                  "", styles, "<workbookPr date1904=\"1\"/>"),
                           "eski.xlsx");
  reader.OpenWorksheet(1);
  EXPECT_EQ(reader.CellText(1, 1), "02.01.1904");
}

TEST(XlsxReader, BadWorkbooksAreRefusedNamingTheFile) {
  std::string compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  compound += std::string(600, '\0');
  std::string deep;
  for (int i = 0; i < 100; ++i)
    deep += "<x>";
  const struct {
    const char* what;
    std::string bytes;
    int sheet;
    const char* reason;
  } cases[] = {
      {"legacy workbook", compound, 1, ".xlsx çalışma kitapları okunabilir"},
      {"not a zip", "düz metin", 1, "değil"},
      {"truncated", SampleWorkbook().substr(0, 300), 1, "eksik ya da bozuk"},
      {"no workbook part", testzip::BuildZip({{"a.txt", "x"}}), 1, "xl/workbook.xml"},
      {"worksheet 3 of 2", SampleWorkbook(), 3, "3. çalışma sayfası yok (2 çalışma sayfası var)"},
      {"worksheet 0", SampleWorkbook(), 0, "0. çalışma sayfası yok"},
      {"shared string out of range", OneSheetWorkbook("<row><c r=\"A1\" t=\"s\"><v>3</v></c></row>", kSharedStrings), 1,
       "olmayan bir metne"},
      {"shared string without table", OneSheetWorkbook("<row><c r=\"A1\" t=\"s\"><v>0</v></c></row>"), 1, "olmayan bir metne"},
      {"negative shared string", OneSheetWorkbook("<row><c r=\"A1\" t=\"s\"><v>-1</v></c></row>", kSharedStrings), 1,
       "olmayan bir metne"},
      {"column past XFD", OneSheetWorkbook("<row><c r=\"XFE1\"><v>1</v></c></row>"), 1, "\"XFE1\""},
      {"row 0", OneSheetWorkbook("<row><c r=\"A0\"><v>1</v></c></row>"), 1, "\"A0\""},
      {"row number past the limit", OneSheetWorkbook("<row r=\"1048577\"/>"), 1, "satır numarası"},
      {"deep nesting", OneSheetWorkbook("<row>" + deep), 1, "derin"},
      {"document type", testzip::BuildWorkbook({"<!DOCTYPE x SYSTEM \"http://x/\"><worksheet/>"}), 1, "DTD"},
      {"sheet too big", OneSheetWorkbook("<row><c r=\"A1\"><v>" + std::string(2u << 20, '1') + "</v></c></row>"), 1,
       "kadar büyük"},
  };
  for (const auto& c : cases) {
    const std::string message = WorkbookRefusalOf(c.bytes, c.sheet);
    EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
    EXPECT_EQ(message.rfind("\"C:\\veri\\bozuk.xlsx\" dosyası okunamadı: ", 0), 0u) << c.what << ": " << message;
  }
}

TEST(XlsxReader, FilesOnDiskMissingAndLocked) {
  ScratchFolder folder;
  const AnsiString name = folder.File("kitap.xlsx");
  const std::string bytes = SampleWorkbook();
  WriteFileBytes(name, FileBytes(bytes.begin(), bytes.end()));
  TXlsxWorkbookReader reader;
  reader.OpenWorkbook(name);
  reader.OpenWorksheet(1);
  EXPECT_EQ(reader.CellText(4, 1), "8690000000012");
  reader.Close();
  reader.Close();
  EXPECT_THROW(reader.OpenWorksheet(1), EWorkbookError);

  try {
    reader.OpenWorkbook(folder.File("yok.xlsx"));
    ADD_FAILURE() << "a missing file was opened";
  } catch (const EWorkbookError& error) {
    EXPECT_NE(error.Message.find("yok.xlsx\" dosyası okunamadı: dosya açılamadı"), std::string::npos) << error.Message;
  }
#ifdef _WIN32
  // Another program holding the file with no sharing at all.
  const std::wstring wide(name.begin(), name.end());
  HANDLE held = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(reader.OpenWorkbook(name), EWorkbookError);
  CloseHandle(held);
#endif
}
