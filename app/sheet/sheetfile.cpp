#include "app/sheet/sheetfile.h"

#include <algorithm>
#include <cmath>

#include "classlib/classes/streams.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"

const char* const SheetBarcodeTypeNames[SheetBarcodeTypeCount] = {"EAN", "UPC", "Code128", "Code39", "PostNet", "2of5"};

namespace {

const char* const CellPrefixes[SheetTableCount] = {"KOD_", "URUN_", "FIYAT_"};

TFormatSettings SeparatorSettings(char separator) {
  TFormatSettings settings = USFormatSettings();
  settings.DecimalSeparator = separator;
  settings.ThousandSeparator = separator == ',' ? '.' : ',';
  return settings;
}

std::string FoldKey(const AnsiString& key) {
  std::string folded = key;
  for (char& c : folded)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return folded;
}

AnsiString CellKey(TSheetTable which, int row, int column) {
  return CellPrefixes[which] + std::to_string(row) + "_" + std::to_string(column);
}

void AddValue(TStrings& lines, const char* key, const AnsiString& value) { lines.Add(AnsiString(key) + "=" + value); }
void AddLength(TStrings& lines, const char* key, double value) { AddValue(lines, key, SheetLengthText(value)); }
void AddFlag(TStrings& lines, const char* key, bool value) { AddValue(lines, key, BoolToEvetHayir(value)); }

// A length as its edit takes it: empty text (a missing key too) is 0, text
// that is no number leaves the value.
void ReadLength(const TSheetLineIndex& index, const char* key, double& value) {
  const AnsiString text = index.Value(key);
  double read = 0;
  if (text.empty())
    value = 0;
  else if (TryReadSheetLength(text, read))
    value = read;
}

// A whole number that must be there; false when it is missing or no number.
bool ReadWholeNumber(const TSheetLineIndex& index, const char* key, int& value) {
  return TryStrToInt(index.Value(key), value);
}

// A count as its box takes it: held to the box's limits; text that is no
// number leaves the count.
int ReadCount(const TSheetLineIndex& index, const char* key, int current) {
  int read = current;
  TryStrToInt(index.Value(key), read);
  return read;
}

}  // namespace

AnsiString BoolToEvetHayir(bool value) { return value ? "EVET" : "HAYIR"; }

AnsiString SheetLengthText(double millimetres) {
  return FormatFloat("0.0000", millimetres, SeparatorSettings(','));
}

bool TryReadSheetLength(const AnsiString& text, double& millimetres) {
  double value = 0;
  if (!TryStrToFloat(text, value, SeparatorSettings(',')) && !TryStrToFloat(text, value, SeparatorSettings('.')))
    return false;
  if (!std::isfinite(value) || std::fabs(value) > 1e9)
    return false;
  millimetres = std::round(value * 10000) / 10000;
  return true;
}

void DefaultSheetLines(TStrings& lines) {
  lines.Clear();
  for (const char* line :
       {"VORTELIM BARKOD", "PROGRAM_VERSIYONU=s3.01", "SAYFA_SOLBOSLUK=6", "SAYFA_USTBOSLUK=15",
        "SAYFA_SAGBOSLUK=6", "SAYFA_ALTBOSLUK=15", "KAGIT_TIP=9", "KAGIT_YATAY=HAYIR", "KAGIT_DIKEY=EVET",
        "ETIKET_YUKSEKLIK=38", "ETIKET_GENISLIK=63", "ETIKET_YATAYARALIK=3", "ETIKET_DIKEYARALIK=0",
        "SUTUNSAYISI=3", "SATIRSAYISI=7", "SAYFASATIRSAYISI=7", "BARKOD_TIP=0", "BARKOD_YUKSEKLIK=10",
        "BARKOD_BARGENISLIK=0,254", "BARKOD_USTBOSLUK=10", "BARKOD_SOLBOSLUK=20", "BARKOD_CHECKSUMKULLAN=HAYIR",
        "BARKOD_CHECKSUMYAZ=HAYIR", "BARKOD_KODUGOSTER=EVET", "URUN_YAZ=EVET", "URUN_SOLBOSLUK=20",
        "URUN_USTBOSLUK=5", "URUN_FONT_ADI=Tahoma", "URUN_FONT_BOYUT=8", "URUN_FONT_KALIN=EVET",
        "URUN_FONT_RENK=-16777208"})
    lines.Add(line);
  for (TSheetTable which : {stBarkod, stYazi})
    for (int row = 1; row <= 7; ++row)
      for (int column = 1; column <= 3; ++column)
        lines.Add(CellKey(which, row, column) + "=");
}

TSheetLineIndex::TSheetLineIndex(const TStrings& lines) {
  values_.reserve(static_cast<std::size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) {
    const AnsiString line = lines[i];
    const std::size_t equals = line.find('=');
    if (equals == AnsiString::npos)
      continue;
    values_.emplace(FoldKey(line.substr(0, equals)), line.substr(equals + 1));
  }
}

AnsiString TSheetLineIndex::Value(const AnsiString& key) const {
  const auto found = values_.find(FoldKey(key));
  return found == values_.end() ? AnsiString() : found->second;
}

bool TSheetLineIndex::Has(const AnsiString& key) const { return values_.count(FoldKey(key)) != 0; }

TSheetDocument::TSheetDocument(TComponent* owner) : Tables(owner) {}

void TSheetDocument::SetCounts(int columns, int rows, int pageRows) {
  Settings.Sutun = std::clamp(columns, SheetColumnMin, SheetColumnMax);
  Settings.Satir = std::clamp(rows, SheetRowMin, SheetRowMax);
  Settings.SayfaSatir = std::clamp(pageRows, SheetRowMin, SheetRowMax);
  SizeGrid();
}

void TSheetDocument::SizeGrid() {
  Tables.SizeRows(Settings.Satir);
  if (OnGridSized)
    OnGridSized();
  SheetModified = true;
}

bool TSheetDocument::IsEvetValue(const AnsiString& key) const { return TSheetLineIndex(Lines).IsEvetValue(key); }

void TSheetDocument::FillLines() {
  const TSheetSettings& s = Settings;
  Lines.Clear();
  Lines.Add("VORTELIM BARKOD");
  AddValue(Lines, "PROGRAM_VERSIYONU", SheetProgramVersion);
  AddLength(Lines, "SAYFA_SOLBOSLUK", s.SolBosluk);
  AddLength(Lines, "SAYFA_USTBOSLUK", s.UstBosluk);
  AddLength(Lines, "SAYFA_SAGBOSLUK", s.SagBosluk);
  AddLength(Lines, "SAYFA_ALTBOSLUK", s.AltBosluk);
  AddValue(Lines, "KAGIT_TIP", IntToStr(s.KagitTip));
  AddFlag(Lines, "KAGIT_YATAY", s.Yatay);
  AddFlag(Lines, "KAGIT_DIKEY", !s.Yatay);
  AddLength(Lines, "ETIKET_YUKSEKLIK", s.Yukseklik);
  AddLength(Lines, "ETIKET_GENISLIK", s.Genislik);
  AddLength(Lines, "ETIKET_YATAYARALIK", s.YatayAralik);
  AddLength(Lines, "ETIKET_DIKEYARALIK", s.DikeyAralik);
  AddValue(Lines, "SUTUNSAYISI", IntToStr(s.Sutun));
  AddValue(Lines, "SATIRSAYISI", IntToStr(s.Satir));
  AddValue(Lines, "SAYFASATIRSAYISI", IntToStr(s.SayfaSatir));
  AddValue(Lines, "BARKOD_TIP", IntToStr(s.BarkodTipi));
  AddLength(Lines, "BARKOD_YUKSEKLIK", s.BarkodYukseklik);
  AddLength(Lines, "BARKOD_BARGENISLIK", s.BarGenisligi);
  AddLength(Lines, "BARKOD_USTBOSLUK", s.BarkodUst);
  AddLength(Lines, "BARKOD_SOLBOSLUK", s.BarkodSol);
  AddFlag(Lines, "BARKOD_CHECKSUMKULLAN", s.CheckSum);
  AddFlag(Lines, "BARKOD_CHECKSUMYAZ", s.CheckSumYazdir);
  AddFlag(Lines, "BARKOD_KODUGOSTER", s.KodYaz);
  AddFlag(Lines, "URUN_YAZ", s.YaziKullan);
  AddLength(Lines, "URUN_SOLBOSLUK", s.YaziSol);
  AddLength(Lines, "URUN_USTBOSLUK", s.YaziUst);
  AddValue(Lines, "URUN_FONT_ADI", s.FontName);
  AddValue(Lines, "URUN_FONT_BOYUT", IntToStr(s.FontSize));
  AddFlag(Lines, "URUN_FONT_KALIN", s.FontBold);
  AddValue(Lines, "URUN_FONT_RENK", IntToStr(s.FontColor));
  AddFlag(Lines, "FIYAT_YAZ", s.FiyatKullan);
  AddLength(Lines, "FIYAT_SOLBOSLUK", s.FiyatSol);
  AddLength(Lines, "FIYAT_USTBOSLUK", s.FiyatUst);
  // Rows past the tables' end (never, once the grid is sized) have no cells.
  for (int which = 0; which < SheetTableCount; ++which) {
    const auto table = static_cast<TSheetTable>(which);
    const int rows = std::min(s.Satir, Tables.RowCount(table));
    for (int row = 1; row <= rows; ++row)
      for (int column = 1; column <= s.Sutun; ++column)
        Lines.Add(CellKey(table, row, column) + "=" + Tables.Cell(table, row, column));
  }
}

bool TSheetDocument::DosyaKaydet(const AnsiString& fileName) {
  try {
    FillLines();
    ReplaceFileSafely(fileName, "bcd", [this](const AnsiString& temporaryName) { Lines.SaveToFile(temporaryName); });
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool TSheetDocument::DosyaAc(const AnsiString& fileName) {
  const bool defaultSheet = fileName == DefaultSheetName;
  try {
    if (defaultSheet) {
      DefaultSheetLines(Lines);
    } else {
      TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
      if (stream.Size() > SheetFileSizeLimit)
        return false;
      Lines.LoadFromStream(stream);
    }
    return ApplyLines(defaultSheet);
  } catch (const Exception&) {
    return false;
  }
}

bool TSheetDocument::ApplyLines(bool defaultSheet) {
  const TSheetLineIndex index(Lines);
  TSheetSettings& s = Settings;
  ReadLength(index, "SAYFA_SOLBOSLUK", s.SolBosluk);
  ReadLength(index, "SAYFA_USTBOSLUK", s.UstBosluk);
  ReadLength(index, "SAYFA_SAGBOSLUK", s.SagBosluk);
  ReadLength(index, "SAYFA_ALTBOSLUK", s.AltBosluk);
  int paper = 0;
  if (!ReadWholeNumber(index, "KAGIT_TIP", paper))
    return false;
  // The position belongs to the paper list of whatever printer wrote the
  // file; one this list lacks, and the default sheet's, pick "Varsayılan".
  s.KagitTip = defaultSheet || paper < 0 || paper >= PaperCount ? DefaultPaper() : paper;
  s.Yatay = index.IsEvetValue("KAGIT_YATAY") && !index.IsEvetValue("KAGIT_DIKEY");
  ReadLength(index, "ETIKET_YUKSEKLIK", s.Yukseklik);
  ReadLength(index, "ETIKET_GENISLIK", s.Genislik);
  ReadLength(index, "ETIKET_YATAYARALIK", s.YatayAralik);
  ReadLength(index, "ETIKET_DIKEYARALIK", s.DikeyAralik);

  SetCounts(ReadCount(index, "SUTUNSAYISI", s.Sutun), ReadCount(index, "SATIRSAYISI", s.Satir),
            ReadCount(index, "SAYFASATIRSAYISI", s.SayfaSatir));

  int barcodeType = 0;
  if (!ReadWholeNumber(index, "BARKOD_TIP", barcodeType) || barcodeType < 0 || barcodeType >= SheetBarcodeTypeCount)
    return false;
  s.BarkodTipi = barcodeType;
  ReadLength(index, "BARKOD_YUKSEKLIK", s.BarkodYukseklik);
  ReadLength(index, "BARKOD_BARGENISLIK", s.BarGenisligi);
  ReadLength(index, "BARKOD_USTBOSLUK", s.BarkodUst);
  ReadLength(index, "BARKOD_SOLBOSLUK", s.BarkodSol);
  s.CheckSum = index.IsEvetValue("BARKOD_CHECKSUMKULLAN");
  s.CheckSumYazdir = index.IsEvetValue("BARKOD_CHECKSUMYAZ");
  s.KodYaz = index.IsEvetValue("BARKOD_KODUGOSTER");
  s.YaziKullan = index.IsEvetValue("URUN_YAZ");
  ReadLength(index, "URUN_SOLBOSLUK", s.YaziSol);
  ReadLength(index, "URUN_USTBOSLUK", s.YaziUst);
  const AnsiString fontName = index.Value("URUN_FONT_ADI");
  if (!fontName.empty())
    s.FontName = fontName;
  int fontSize = 0, fontColor = 0;
  if (!ReadWholeNumber(index, "URUN_FONT_BOYUT", fontSize))
    return false;
  s.FontSize = fontSize;
  if (!ReadWholeNumber(index, "URUN_FONT_RENK", fontColor))
    return false;
  s.FontColor = fontColor;
  s.FontBold = index.IsEvetValue("URUN_FONT_KALIN");
  s.FiyatKullan = index.IsEvetValue("FIYAT_YAZ");
  ReadLength(index, "FIYAT_SOLBOSLUK", s.FiyatSol);
  ReadLength(index, "FIYAT_USTBOSLUK", s.FiyatUst);

  for (int which = 0; which < SheetTableCount; ++which) {
    const auto table = static_cast<TSheetTable>(which);
    for (int row = 1; row <= s.Satir; ++row)
      for (int column = 1; column <= s.Sutun; ++column)
        Tables.SetCell(table, row, column, index.Value(CellKey(table, row, column)));
  }
  return true;
}
