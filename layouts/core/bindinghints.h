// The vocabulary that ties a layout to the host's data, fixed once for the
// designer that writes it and the runner that reads it.
//
// A layout file stores only components and their published properties, so
// bindings and page marks live in properties every class already has: the
// Hint text of printables and pages (NAME=VALUE lines), the Tag number, the
// HelpContext number, component names and the names of event handlers.
#pragma once
#include <array>

#include "classlib/system/ansistring.h"

class TObject;

// ---- Keys of a printable's binding hint -------------------------------------
// The table code of a FieldList line: the name the host knows a data set by.
inline constexpr char HintDataSet[] = "DATASET";
// The field code of that line, written into a published DataField.
inline constexpr char HintDataField[] = "DATAFIELD";
// The group code of that line; only the designer reads it back.
inline constexpr char HintGrupAdi[] = "GRUPADI";
// A parameter code of ParametreList; the runner asks OnGetParam for its value.
inline constexpr char HintParametre[] = "PARAMETRE";
// On which pages a label prints (TPrintOption).
inline constexpr char HintPrintOption[] = "PRINTOPTION";

// ---- Keys of a page's hint (an invoice page) --------------------------------
// Where the line-item area starts: millimetres (graphic) or lines (text).
inline constexpr char PageHareketBaslangic[] = "HAREKETBASLANGIC";
// Height of the line-item area: millimetres or lines.
inline constexpr char PageHareketAlaniYukseklik[] = "HAREKETALANIYUKSEKLIK";
// Line items per page. Its presence alone makes the page an invoice page.
inline constexpr char PageHareketSayisi[] = "HAREKETSAYISI";
// What the runner takes when the area height or the count is missing.
inline constexpr double DefaultHareketAlaniYukseklik = 100;
inline constexpr int DefaultHareketSayisi = 10;

// ---- PRINTOPTION ----------------------------------------------------------------
enum TPrintOption {
  poOnlyFirstPage = 0,  // "Sadece Ilk Sayfaya Yaz"
  poOnlyLastPage = 1,   // "Sadece Son Sayfaya Yaz"
  poNotFirstPage = 2,   // "Sadece Ilk Sayfaya Yazma"
  poNotLastPage = 3,    // "Sadece Son Sayfaya Yazma"
  poEveryPage = 4,      // "Hicbiri"
};
// The print-option dialog's items, by value.
inline constexpr std::array<const char*, 5> PrintOptionItems = {
    "Sadece Ilk Sayfaya Yaz", "Sadece Son Sayfaya Yaz", "Sadece Ilk Sayfaya Yazma", "Sadece Son Sayfaya Yazma",
    "Hicbiri"};

// Whether a label prints on a graphic page: Page is 1-based, PageCount the
// count learned before the run (its last page).
bool PrintsOnGraphicPage(TPrintOption Option, int Page, int PageCount);
// Whether a label prints on a text page: "the last page" there is the text
// report's record counter being 0.
bool PrintsOnTextPage(TPrintOption Option, int Page, int RecordCounter);

// ---- Tags and numbers ----------------------------------------------------------
// A palette prototype: report pages and barcodes with this tag never run.
inline constexpr int PrototypeTag = -100;
// A barcode's proxy image, made by the runner at print time; never stored.
inline constexpr int BarcodeProxyTag = -1250;
// A data text's Tag above 0: only the character at that 1-based position of
// its value prints; 0 otherwise.
int DBTextCharacterPosition(long long Tag);
// A data text's Tag below 0: the 1-based record number (minus the tag)
// whose value prints on every row; 0 otherwise.
long long DBTextRecordNumber(long long Tag);
// On a multi-column label band (runner handler MQrEtiketDetayBeforePrint) a
// printable's HelpContext is its 0-based column.
inline bool InLabelColumn(int HelpContext, int Column) { return HelpContext == Column; }

// ---- Names -------------------------------------------------------------------------
// A checked check box of this name on the stage marks a text layout.
inline constexpr char TextLayoutMarkerName[] = "CheckZReport";
// The designer names its pages "Report" + a running number from 1.
inline constexpr char ReportPageNamePrefix[] = "Report";
AnsiString ReportPageName(int Number);

// The runner's published handlers a layout may bind by name.
inline constexpr char HandlerMQRBeforePrint[] = "MQRBeforePrint";
inline constexpr char HandlerDetayBeforePrint[] = "DetayBeforePrint";
inline constexpr char HandlerNormalDetailBandBeforePrint[] = "NormalDetailBandBeforePrint";
inline constexpr char HandlerMQrEtiketDetayBeforePrint[] = "MQrEtiketDetayBeforePrint";
inline constexpr char HandlerFaturaDetayBeforePrint[] = "FaturaDetayBeforePrint";
inline constexpr char HandlerFaturaDetayAfterPrint[] = "FaturaDetayAfterPrint";
inline constexpr char HandlerFaturaSubDetailAfterPrint[] = "FaturaSubDetailAfterPrint";
inline constexpr char HandlerCustomLabelPrint[] = "CustomLabelPrint";
inline constexpr char HandlerZrLabelBeforePrint[] = "ZrLabelBeforePrint";
inline constexpr std::array<const char*, 9> RunnerHandlerNames = {
    HandlerMQRBeforePrint,         HandlerDetayBeforePrint,          HandlerNormalDetailBandBeforePrint,
    HandlerMQrEtiketDetayBeforePrint, HandlerFaturaDetayBeforePrint, HandlerFaturaDetayAfterPrint,
    HandlerFaturaSubDetailAfterPrint, HandlerCustomLabelPrint,       HandlerZrLabelBeforePrint};

// ---- Fields of the host's data set that steer a band per record -------------
// Boolean: a blank placeholder label.
inline constexpr char HostFieldBas[] = "BAS";
// Formatting items, each followed by "|".
inline constexpr char HostFieldQrEk[] = "QR_EK";
// "NEWPAGE": a page break before the band.
inline constexpr char HostFieldQrKomut[] = "QR_KOMUT";
inline constexpr char QrKomutNewPage[] = "NEWPAGE";
// Boolean: the band is not printed for this record.
inline constexpr char HostFieldQrSatirIptal[] = "QR_SATIRIPTAL";
// The items of QR_EK and the style names FONT.STYLE takes.
inline constexpr char QrEkColor[] = "COLOR=";
inline constexpr char QrEkFontSize[] = "FONT.SIZE=";
inline constexpr char QrEkFontColor[] = "FONT.COLOR=";
inline constexpr char QrEkFontStyle[] = "FONT.STYLE=";
inline constexpr char QrEkBold[] = "BOLD";
inline constexpr char QrEkItalic[] = "ITALIC";
inline constexpr char QrEkUnderline[] = "UNDERLINE";
inline constexpr char QrEkStrikeOut[] = "STRIKEOUT";

// ---- The hint itself ------------------------------------------------------------
// A component's Hint read and written as NAME=VALUE lines with the class
// library's name-value rules: names compare without regard to letter case
// (ASCII letters), a line splits at its first "=", writing an empty value
// removes the line (every line of that name), writing a missing name appends
// it. Lines that are not touched keep their text and order.
class TBindingHint {
public:
  TBindingHint() = default;
  explicit TBindingHint(const AnsiString& HintText) : text_(HintText) {}

  // The hint text to store back in the component.
  const AnsiString& Text() const { return text_; }

  // "" when the name is absent.
  AnsiString Value(const AnsiString& Name) const;
  // True when a line carries the name, whatever its value.
  bool HasName(const AnsiString& Name) const;
  void SetValue(const AnsiString& Name, const AnsiString& Value);

  AnsiString DataSet() const { return Value(HintDataSet); }
  AnsiString DataField() const { return Value(HintDataField); }
  AnsiString GrupAdi() const { return Value(HintGrupAdi); }
  AnsiString Parametre() const { return Value(HintParametre); }
  // 4 (every page) when absent, not a whole number or outside 0-4.
  TPrintOption PrintOption() const;
  void SetPrintOption(TPrintOption Option);

  // A page hint with the name HAREKETSAYISI (any value, even empty).
  bool IsInvoicePage() const { return HasName(PageHareketSayisi); }
  // HAREKETSAYISI as a whole number; 10 when absent, not a number, or not
  // above 0 (the runner divides by it and takes remainders by it).
  int HareketSayisi() const;
  // HAREKETALANIYUKSEKLIK in the system's number format or with the other
  // decimal separator; 100 when absent, not a number or not above 0.
  double HareketAlaniYukseklik() const;

private:
  AnsiString text_;
};

// A component's published text property "Hint" as a binding hint. False,
// with Hint left alone, when the component publishes no such property.
bool ReadComponentHint(TObject* Component, TBindingHint& Hint);
// Stores the hint's text back into that property; false when there is none.
bool WriteComponentHint(TObject* Component, const TBindingHint& Hint);
