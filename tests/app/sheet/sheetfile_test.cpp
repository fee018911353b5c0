// The sheet file: what "Yeni" and a save write, line by line and byte for
// byte under both locales, and how the reader takes odd and damaged files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sheet/sheetfile.h"
#include "classlib/data/field.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/formatsettings.h"
#include "tests/support/scratchfolder.h"

namespace {

// A paper list of three entries, "Varsayılan" the last.
constexpr int Papers = 3;

std::string Text(const FileBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The file's lines, each of which must end with CR LF.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "a line without CR LF at " << start;
    if (end == std::string::npos)
      break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

int CountPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
  int count = 0;
  for (const std::string& line : lines)
    count += line.rfind(prefix, 0) == 0;
  return count;
}

struct NewSheet {
  TSheetDocument document;
  NewSheet() {
    document.PaperCount = Papers;
    EXPECT_TRUE(document.DosyaAc(DefaultSheetName));
  }
};

// Loads the text as a sheet file into a document with the given paper list.
bool OpenText(TSheetDocument& document, const std::string& text, ScratchFolder& folder) {
  const AnsiString file = folder.File("sheet.bcd");
  WriteFileBytes(file, FileBytes(text.begin(), text.end()));
  return document.DosyaAc(file);
}

const TFormatSettings Locales[] = {TurkishFormatSettings(), USFormatSettings()};

}  // namespace

TEST(SheetFile, NewSheetSavesNinetySevenCrLfLinesAlikeUnderBothLocales) {
  std::vector<std::string> texts;
  for (const TFormatSettings& locale : Locales) {
    FormatSettingsScope scope(locale);
    NewSheet sheet;
    ScratchFolder folder;
    ASSERT_TRUE(sheet.document.DosyaKaydet(folder.File("yeni.bcd")));
    texts.push_back(Text(ReadFileBytes(folder.File("yeni.bcd"))));
    const std::vector<std::string> lines = CrLfLines(texts.back());
    ASSERT_EQ(lines.size(), 97u);
    EXPECT_EQ(lines[0], "VORTELIM BARKOD");
    EXPECT_EQ(lines[1], "PROGRAM_VERSIYONU=s4.03.01");
    EXPECT_EQ(lines[2], "SAYFA_SOLBOSLUK=6,0000");
    EXPECT_EQ(lines[6], "KAGIT_TIP=2");  // "Varsayılan", not the default sheet's 9
    EXPECT_EQ(lines[18], "BARKOD_BARGENISLIK=0,2540");
    EXPECT_EQ(lines[33], "FIYAT_USTBOSLUK=0,0000");
    EXPECT_EQ(lines[34], "KOD_1_1=");
    EXPECT_EQ(lines[96], "FIYAT_7_3=");
    EXPECT_EQ(CountPrefix(lines, "KOD_"), 21);
    EXPECT_EQ(CountPrefix(lines, "URUN_") - 7, 21);  // less the seven URUN_ settings
    EXPECT_EQ(CountPrefix(lines, "FIYAT_") - 3, 21);
    for (int i = 34; i < 97; ++i)
      EXPECT_EQ(lines[i].back(), '=') << lines[i];
  }
  EXPECT_EQ(texts[0], texts[1]);
}

TEST(SheetFile, DefaultSheetSettingsAsListed) {
  NewSheet sheet;
  const TSheetSettings& s = sheet.document.Settings;
  EXPECT_EQ(s.SolBosluk, 6);
  EXPECT_EQ(s.UstBosluk, 15);
  EXPECT_EQ(s.YatayAralik, 3);
  EXPECT_DOUBLE_EQ(s.BarGenisligi, 0.254);
  EXPECT_EQ(s.BarkodYukseklik, 10);
  EXPECT_EQ(s.BarkodSol, 20);
  EXPECT_FALSE(s.Yatay);
  EXPECT_FALSE(s.CheckSum);
  EXPECT_TRUE(s.KodYaz);
  EXPECT_TRUE(s.YaziKullan);
  EXPECT_FALSE(s.FiyatKullan);
  EXPECT_TRUE(s.FontBold);
  EXPECT_EQ(s.FontName, "Tahoma");
  EXPECT_EQ(s.FontColor, -16777208);
  EXPECT_EQ(s.KagitTip, Papers - 1);
  for (int which = 0; which < SheetTableCount; ++which)
    EXPECT_EQ(sheet.document.Tables.RowCount(static_cast<TSheetTable>(which)), 7);
}

TEST(SheetFile, TurkishTextRoundTripsByteForByteUnderBothLocales) {
  const AnsiString turkish[SheetTableCount] = {"ĞÜŞİÖÇ-0123", "Çiğ köfte ığüşöç", "12,50 TL/şişe"};
  for (const TFormatSettings& locale : Locales) {
    FormatSettingsScope scope(locale);
    NewSheet sheet;
    sheet.document.Settings.FontName = "Times New Roman";
    sheet.document.Settings.BarGenisligi = 0.3302;
    for (int which = 0; which < SheetTableCount; ++which)
      for (int row = 1; row <= 7; ++row)
        for (int column = 1; column <= 3; ++column)
          sheet.document.Tables.SetCell(static_cast<TSheetTable>(which), row, column,
                                        turkish[which] + std::to_string(row * 10 + column));
    ScratchFolder folder;
    ASSERT_TRUE(sheet.document.DosyaKaydet(folder.File("a.bcd")));

    TSheetDocument reread;
    reread.PaperCount = Papers;
    ASSERT_TRUE(reread.DosyaAc(folder.File("a.bcd")));
    EXPECT_EQ(reread.Tables.Cell(stYazi, 7, 3), turkish[stYazi] + "73");
    EXPECT_EQ(reread.Settings.FontName, "Times New Roman");
    EXPECT_DOUBLE_EQ(reread.Settings.BarGenisligi, 0.3302);
    ASSERT_TRUE(reread.DosyaKaydet(folder.File("b.bcd")));
    EXPECT_EQ(ReadFileBytes(folder.File("a.bcd")), ReadFileBytes(folder.File("b.bcd")));
  }
}

TEST(SheetFile, KeysInAnyLetterCaseAndOnlyExactEvetIsTrue) {
  NewSheet sheet;
  ScratchFolder folder;
  ASSERT_TRUE(sheet.document.DosyaKaydet(folder.File("s.bcd")));
  std::string text = Text(ReadFileBytes(folder.File("s.bcd")));
  text.replace(text.find("KOD_1_1="), 8, "kod_1_1=4006381333931");
  text.replace(text.find("URUN_YAZ=EVET"), 13, "URUN_YAZ=evet");
  text.replace(text.find("BARKOD_KODUGOSTER=EVET"), 22, "barkod_kodugoster=EVET");
  text.replace(text.find("KAGIT_YATAY=HAYIR"), 17, "KAGIT_YATAY=EVET ");
  text.replace(text.find("KAGIT_DIKEY=EVET"), 16, "KAGIT_DIKEY=HAYIR");
  text.replace(text.find("URUN_FONT_KALIN=EVET"), 20, "URUN_FONT_KALIN=EVETT");

  TSheetDocument document;
  document.PaperCount = Papers;
  ASSERT_TRUE(OpenText(document, text, folder));
  EXPECT_EQ(document.Tables.Cell(stBarkod, 1, 1), "4006381333931");
  EXPECT_TRUE(document.Settings.KodYaz);
  EXPECT_FALSE(document.Settings.YaziKullan);
  // "EVET " is not exactly "EVET": the sheet prints in portrait.
  EXPECT_FALSE(document.Settings.Yatay);
  EXPECT_FALSE(document.Settings.FontBold);
  EXPECT_EQ(BoolToEvetHayir(true), "EVET");
  EXPECT_EQ(BoolToEvetHayir(false), "HAYIR");
  EXPECT_TRUE(document.IsEvetValue("barkod_KODUGOSTER"));
  EXPECT_FALSE(document.IsEvetValue("URUN_YAZ"));
  EXPECT_FALSE(document.IsEvetValue("YOK_BOYLE_BIR_ANAHTAR"));
}

TEST(SheetFile, WithoutPriceLinesPricesAreEmptyAndPricePrintingOff) {
  NewSheet sheet;
  for (int row = 1; row <= 7; ++row)
    sheet.document.Tables.SetCell(stFiyat, row, 1, "eski");
  sheet.document.Settings.FiyatKullan = true;
  ScratchFolder folder;
  std::string text = "VORTELIM BARKOD\r\nKAGIT_TIP=0\r\nSUTUNSAYISI=3\r\nSATIRSAYISI=7\r\nBARKOD_TIP=2\r\n"
                     "URUN_FONT_BOYUT=9\r\nURUN_FONT_RENK=0\r\nKOD_1_1=A\r\nURUN_1_1=B\r\n";
  ASSERT_TRUE(OpenText(sheet.document, text, folder));
  EXPECT_FALSE(sheet.document.Settings.FiyatKullan);
  EXPECT_EQ(sheet.document.Settings.FiyatSol, 0);
  for (int row = 1; row <= 7; ++row)
    EXPECT_EQ(sheet.document.Tables.Cell(stFiyat, row, 1), "") << row;
  EXPECT_EQ(sheet.document.Tables.Cell(stBarkod, 1, 1), "A");
  EXPECT_EQ(sheet.document.Settings.BarkodTipi, 2);
  EXPECT_EQ(sheet.document.Settings.KagitTip, 0);
}

TEST(SheetFile, NonNumericWholeNumbersFailAfterWhatCameBefore) {
  const std::string good = "SAYFA_SOLBOSLUK=11,5\r\nKAGIT_TIP=1\r\nETIKET_YUKSEKLIK=44\r\nBARKOD_TIP=1\r\n"
                           "BARKOD_YUKSEKLIK=9\r\nURUN_FONT_BOYUT=9\r\nURUN_FONT_RENK=255\r\n";
  struct Case {
    const char* change;   // the line replaced
    const char* by;
    double solBosluk;     // margins come first: always applied
    double yukseklik;     // applied only when the paper was read
    double barkodYukseklik;  // applied only when the barcode type was read
  };
  const Case cases[] = {
      {"KAGIT_TIP=1", "KAGIT_TIP=x", 11.5, 38, 10},
      {"KAGIT_TIP=1", "KAGIT_TIP=", 11.5, 38, 10},
      {"BARKOD_TIP=1", "BARKOD_TIP=7", 11.5, 44, 10},
      {"URUN_FONT_BOYUT=9", "URUN_FONT_BOYUT=dokuz", 11.5, 44, 9},
      {"URUN_FONT_RENK=255", "URUN_FONT_RENK=", 11.5, 44, 9},
  };
  for (const Case& c : cases) {
    NewSheet sheet;
    std::string text = good;
    text.replace(text.find(c.change), std::string(c.change).size(), c.by);
    ScratchFolder folder;
    EXPECT_FALSE(OpenText(sheet.document, text, folder)) << c.by;
    EXPECT_EQ(sheet.document.Settings.SolBosluk, c.solBosluk) << c.by;
    EXPECT_EQ(sheet.document.Settings.Yukseklik, c.yukseklik) << c.by;
    EXPECT_EQ(sheet.document.Settings.BarkodYukseklik, c.barkodYukseklik) << c.by;
  }
}

TEST(SheetFile, LengthsReadWithCommaOrPointUnderEitherLocale) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{"6", 6}, {"0,254", 0.254}, {"0.254", 0.254}, {"12,70000", 12.7}, {"-3,5", -3.5}};
  for (const TFormatSettings& locale : Locales) {
    FormatSettingsScope scope(locale);
    for (const auto& c : cases) {
      double value = 0;
      EXPECT_TRUE(TryReadSheetLength(c.text, value)) << c.text;
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
    double untouched = 1;
    for (const char* bad : {"", "abc", "1,2,3", "1e999"})
      EXPECT_FALSE(TryReadSheetLength(bad, untouched)) << bad;
    EXPECT_EQ(SheetLengthText(1234.5), "1234,5000");
  }
}

TEST(SheetFile, PaperPositionOutsideTheListSelectsDefaultPaper) {
  const struct {
    const char* stored;
    int selected;
  } cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 2}, {"-1", 2}, {"99999", 2}};
  for (const auto& c : cases) {
    TSheetDocument document;
    document.PaperCount = Papers;
    ScratchFolder folder;
    const std::string text = std::string("KAGIT_TIP=") + c.stored + "\r\nBARKOD_TIP=0\r\nURUN_FONT_BOYUT=8\r\nURUN_FONT_RENK=0\r\n";
    ASSERT_TRUE(OpenText(document, text, folder)) << c.stored;
    EXPECT_EQ(document.Settings.KagitTip, c.selected) << c.stored;
  }
}

TEST(SheetFile, CountsAreHeldToTheBoxesLimits) {
  const struct {
    const char* columns;
    const char* rows;
    int sutun, satir;
  } cases[] = {{"0", "0", 1, 1}, {"10000", "10000", 20, 500}, {"-5", "501", 1, 500}, {"abc", "", 3, 7}};
  for (const auto& c : cases) {
    NewSheet sheet;
    ScratchFolder folder;
    const std::string text = std::string("KAGIT_TIP=0\r\nSUTUNSAYISI=") + c.columns + "\r\nSATIRSAYISI=" + c.rows +
                             "\r\nSAYFASATIRSAYISI=10000\r\nBARKOD_TIP=0\r\nURUN_FONT_BOYUT=8\r\nURUN_FONT_RENK=0\r\n";
    ASSERT_TRUE(OpenText(sheet.document, text, folder)) << c.columns << "/" << c.rows;
    EXPECT_EQ(sheet.document.Settings.Sutun, c.sutun);
    EXPECT_EQ(sheet.document.Settings.Satir, c.satir);
    EXPECT_EQ(sheet.document.Settings.SayfaSatir, 500);
    for (int which = 0; which < SheetTableCount; ++which)
      EXPECT_EQ(sheet.document.Tables.RowCount(static_cast<TSheetTable>(which)), c.satir);
  }
}

TEST(SheetFile, DamagedFilesFailOrReadWithoutHarm) {
  NewSheet source;
  source.document.SetCounts(20, 500, 50);
  source.document.Tables.SetCell(stBarkod, 500, 20, "son");
  ScratchFolder folder;
  ASSERT_TRUE(source.document.DosyaKaydet(folder.File("full.bcd")));
  const std::string full = Text(ReadFileBytes(folder.File("full.bcd")));

  std::string binary;
  for (int i = 0; i < 70000; ++i)
    binary.push_back(static_cast<char>((i * 7919) & 0xFF));
  const std::string noEquals = "VORTELIM BARKOD\r\nKAGIT_TIP\r\nBARKOD_TIP 0\r\n\r\n====\r\n";
  const std::string longCell = "KAGIT_TIP=0\r\nBARKOD_TIP=0\r\nURUN_FONT_BOYUT=8\r\nURUN_FONT_RENK=0\r\nKOD_1_1=" +
                               std::string(5000, 'x') + "\r\n";
  const struct {
    const char* name;
    std::string text;
    bool opens;
  } cases[] = {
      {"binary", binary, false},
      {"cut in the settings", full.substr(0, 200), false},
      {"cut in the cells", full.substr(0, full.size() / 2), true},
      {"lines without =", noEquals, false},
      {"a cell longer than 30", longCell, true},
      {"empty", "", false},
  };
  for (const auto& c : cases) {
    TSheetDocument document;
    document.PaperCount = Papers;
    EXPECT_EQ(OpenText(document, c.text, folder), c.opens) << c.name;
  }
  TSheetDocument cut;
  ASSERT_TRUE(OpenText(cut, full.substr(0, full.size() / 2), folder));
  EXPECT_EQ(cut.Settings.Satir, 500);
  EXPECT_EQ(cut.Tables.Cell(stBarkod, 500, 20), "son");
  EXPECT_EQ(cut.Tables.Cell(stFiyat, 1, 1), "");
  TSheetDocument longer;
  ASSERT_TRUE(OpenText(longer, longCell, folder));
  EXPECT_EQ(longer.Tables.Cell(stBarkod, 1, 1), std::string(SheetCellSize, 'x'));
}

TEST(SheetFile, HugeAndMissingFilesFail) {
  ScratchFolder folder;
  TSheetDocument document;
  EXPECT_FALSE(document.DosyaAc(folder.File("yok.bcd")));
  std::string huge = "KAGIT_TIP=0\r\nBARKOD_TIP=0\r\nURUN_FONT_BOYUT=8\r\nURUN_FONT_RENK=0\r\n";
  huge.append(static_cast<std::size_t>(SheetFileSizeLimit), 'a');
  EXPECT_FALSE(OpenText(document, huge, folder));
}

TEST(SheetFile, SaveReplacesTheOldFileWholeAndReportsFailure) {
  NewSheet sheet;
  ScratchFolder folder;
  const AnsiString file = folder.File("s.bcd");
  WriteFileBytes(file, FileBytes(300000, 'z'));
  ASSERT_TRUE(sheet.document.DosyaKaydet(file));
  EXPECT_EQ(CrLfLines(Text(ReadFileBytes(file))).size(), 97u);
  EXPECT_FALSE(sheet.document.DosyaKaydet(folder.File("yok\\klasor\\s.bcd")));
}

TEST(SheetTables, RowsComeAndGoInAllTablesAndHiddenColumnsKeepTheirCells) {
  NewSheet sheet;
  TSheetDocument& d = sheet.document;
  for (int which = 0; which < SheetTableCount; ++which) {
    d.Tables.SetCell(static_cast<TSheetTable>(which), 6, 1, "altı");
    d.Tables.SetCell(static_cast<TSheetTable>(which), 1, 3, "üç");
  }
  int sized = 0;
  d.OnGridSized = [&] { ++sized; };
  d.SheetModified = false;
  d.SetCounts(3, 5, 7);
  EXPECT_TRUE(d.SheetModified);
  d.SetCounts(2, 7, 7);
  d.SetCounts(3, 7, 7);
  EXPECT_EQ(sized, 3);
  for (int which = 0; which < SheetTableCount; ++which) {
    const auto table = static_cast<TSheetTable>(which);
    EXPECT_EQ(d.Tables.RowCount(table), 7);
    EXPECT_EQ(d.Tables.Cell(table, 6, 1), "");
    EXPECT_EQ(d.Tables.Cell(table, 1, 3), "üç");
    d.Tables.Table(table).Last();
    EXPECT_EQ(d.Tables.Table(table).FieldByName("SIRA")->AsInteger(), 7);
  }
}

TEST(SheetTables, RowsAreAddedOnlyByTheProgram) {
  NewSheet sheet;
  TRxMemoryData& table = sheet.document.Tables.RxMemYazi();
  table.Last();
  EXPECT_THROW(table.Append(), EAbort);
  EXPECT_THROW(table.Insert(), EAbort);
  EXPECT_EQ(table.RecordCount(), 7);
  EXPECT_FALSE(sheet.document.Tables.AllowRowInsert);
  sheet.document.Tables.AppendRow(stYazi);
  EXPECT_EQ(table.RecordCount(), 8);
  EXPECT_FALSE(sheet.document.Tables.AllowRowInsert);
}

TEST(SheetFile, TheFirstLineOfAKeyWinsAndValuesKeepTheirEqualsSigns) {
  const char* text = "KOD_1_1=birinci\r\nkod_1_1=ikinci\r\nURUN_1_1=a=b\r\nbozuk satır\r\n=boş ad\r\n";
  TStringList lines;
  lines.SetText(text);
  const TSheetLineIndex index(lines);
  EXPECT_EQ(index.Value("Kod_1_1"), "birinci");
  EXPECT_EQ(index.Value("URUN_1_1"), "a=b");
  EXPECT_EQ(index.Value(""), "boş ad");
  EXPECT_FALSE(index.Has("bozuk satır"));
  EXPECT_EQ(index.Value("FIYAT_1_1"), "");
}
