// The sheet file (.bcd): code page 1254 text, "NAME=VALUE" lines ended by
// CR LF, the settings in a fixed order, then every barcode cell ("KOD_r_c"),
// every name cell ("URUN_r_c") and every price cell ("FIYAT_r_c").
//
// Lengths are written with four decimals and "," whatever the locale, so a
// file moves between machines; they are read with "," or ".". Flags are
// "EVET" or "HAYIR"; only exactly "EVET" reads as true. Keys are found in any
// letter case (ASCII folding, so "fiyat_1_1" matches under every locale).
#pragma once
#include <functional>
#include <memory>
#include <unordered_map>

#include "app/sheet/sheetsettings.h"
#include "app/sheet/sheettables.h"
#include "classlib/classes/strings.h"

// The name DosyaAc takes for the default sheet that "Yeni" reads.
inline constexpr const char* DefaultSheetName = "DEFAULT_DOSYA";
// The version the writer puts into every file.
inline constexpr const char* SheetProgramVersion = "s4.03.01";
// Files larger than this are not sheet files this program wrote (a full
// 500 x 20 sheet is well under it); they are refused before reading.
constexpr std::int64_t SheetFileSizeLimit = 16 * 1024 * 1024;

AnsiString BoolToEvetHayir(bool value);
// "6,0000": four decimals, "," as the separator.
AnsiString SheetLengthText(double millimetres);
// Reads "6", "6,0000" or "6.0000" (rounded to four decimals); false for
// anything else.
bool TryReadSheetLength(const AnsiString& text, double& millimetres);
// The default sheet's lines.
void DefaultSheetLines(TStrings& lines);

// Finds name=value lines by key quickly, whatever the letter case: the first
// line of a name wins, as a lookup from the top would find it.
class TSheetLineIndex {
public:
  explicit TSheetLineIndex(const TStrings& lines);
  // The value of the key; "" when missing.
  AnsiString Value(const AnsiString& key) const;
  bool Has(const AnsiString& key) const;
  // True when the key's value is exactly "EVET".
  bool IsEvetValue(const AnsiString& key) const { return Value(key) == "EVET"; }

private:
  std::unordered_map<std::string, std::string> values_;
};

// One piece of work: the settings, the three cell tables and the line
// buffer the file is written from and read into.
class TSheetDocument {
public:
  explicit TSheetDocument(TComponent* owner = nullptr);

  TSheetSettings Settings;
  TSheetTables Tables;
  TStringList Lines;
  // Entries of the paper list, "Varsayılan" being the last one.
  int PaperCount = 1;
  bool SheetModified = false;
  // Told after the grid was sized (the form shows columns 1 to Sutun).
  std::function<void()> OnGridSized;

  int DefaultPaper() const { return PaperCount - 1; }
  // Sets the row, column and rows-per-page counts within their limits and
  // sizes the grid.
  void SetCounts(int columns, int rows, int pageRows);
  // Gives the tables Satir rows, tells OnGridSized and marks the work modified.
  void SizeGrid();

  // Writes the settings and cells into the line buffer.
  void FillLines();
  // Fills the line buffer and saves it to fileName through a temporary
  // file, so a failed save leaves an old file whole. False on any failure.
  bool DosyaKaydet(const AnsiString& fileName);
  // Reads fileName (or the default sheet for DefaultSheetName) into the line
  // buffer and applies it. False on any failure; what was applied before
  // the failure stays.
  bool DosyaAc(const AnsiString& fileName);
  // Applies the line buffer (DosyaAc's second half).
  bool ApplyLines(bool defaultSheet);

  // True when the key's value in the line buffer is exactly "EVET".
  bool IsEvetValue(const AnsiString& key) const;
};
