#include "app/sheet/sheetreport.h"

#include <algorithm>

#include "classlib/system/exceptions.h"
#include "support/rave/ravebarcode.h"

namespace {

constexpr double MillimetresPerInch = 25.4;

double Inches(double millimetres) { return millimetres / MillimetresPerInch; }

// The barcode table's controls are disabled for the scope's lifetime.
class TSheetControlsOff {
public:
  explicit TSheetControlsOff(TDataSet& table) : table_(table) { table_.DisableControls(); }
  ~TSheetControlsOff() { table_.EnableControls(); }
  TSheetControlsOff(const TSheetControlsOff&) = delete;
  TSheetControlsOff& operator=(const TSheetControlsOff&) = delete;

private:
  TDataSet& table_;
};

class TSheetReportBuilder {
public:
  TSheetReportBuilder(TSheetDocument& document, const TRaveFont& font, TRaveProject& project)
      : doc_(document), s_(document.Settings), font_(font), project_(project) {}

  // The label cell at row (position on the page) and column from table row.
  void PlaceCell(TRaveBand& band, int tableRow, int pageRow, int column) {
    const AnsiString code = doc_.Tables.Cell(stBarkod, tableRow, column);
    if (code.empty())
      return;
    const double cellLeft = (s_.Genislik + s_.YatayAralik) * (column - 1);
    const double cellTop = (s_.Yukseklik + s_.DikeyAralik) * (pageRow - 1);
    const TRaveBarCodeKind kind = SheetBarcodeKind(s_.BarkodTipi);
    auto* barcode = band.Add<TRaveBaseBarCode>(project_.NewName(RaveBarCodeNameBase(kind)), kind);
    barcode->Left = Inches(cellLeft + s_.BarkodSol);
    barcode->Top = Inches(cellTop + s_.BarkodUst);
    barcode->AutoSize = true;
    barcode->BarWidth = Inches(s_.BarGenisligi);
    barcode->BarHeight = Inches(s_.BarkodYukseklik);
    barcode->Height = barcode->BarHeight;
    barcode->UseChecksum = s_.CheckSum;
    barcode->PrintChecksum = s_.CheckSumYazdir;
    barcode->PrintReadable = s_.KodYaz;
    barcode->TextCentered = true;
    barcode->Text = code;
    if (s_.YaziKullan)
      PlaceText(band, cellLeft + s_.YaziSol, cellTop + s_.YaziUst, doc_.Tables.Cell(stYazi, tableRow, column));
    if (s_.FiyatKullan)
      PlaceText(band, cellLeft + s_.FiyatSol, cellTop + s_.FiyatUst, doc_.Tables.Cell(stFiyat, tableRow, column));
  }

  // A region inside the margins of a page of page1's size, with its band.
  TRaveBand& AddRegion(TRavePage& page, const TRavePage& page1, const AnsiString& region, const AnsiString& band) {
    auto* area = page.Add<TRaveRegion>(region);
    area->Left = Inches(s_.SolBosluk);
    area->Top = Inches(s_.UstBosluk);
    area->Width = page1.PageWidth - Inches(s_.SolBosluk + s_.SagBosluk);
    area->Height = page1.PageHeight - Inches(s_.UstBosluk + s_.AltBosluk);
    auto* detail = area->Add<TRaveBand>(band);
    detail->Width = area->Width;
    detail->Height = area->Height;
    return *detail;
  }

private:
  void PlaceText(TRaveBand& band, double left, double top, const AnsiString& text) {
    auto* element = band.Add<TRaveText>(project_.NewName("Text"));
    element->Left = Inches(left);
    element->Top = Inches(top);
    element->Text = text;
    element->Font = font_;
  }

  TSheetDocument& doc_;
  const TSheetSettings& s_;
  const TRaveFont& font_;
  TRaveProject& project_;
};

}  // namespace

int SheetReportPageCount(int rows, int pageRows) {
  if (pageRows < 1 || pageRows >= rows)
    return 1;
  return (rows + pageRows - 1) / pageRows;
}

TRaveBarCodeKind SheetBarcodeKind(int barkodTipi) {
  switch (barkodTipi) {
    case 1: return TRaveBarCodeKind::UPC;
    case 2: return TRaveBarCodeKind::Code128;
    case 3: return TRaveBarCodeKind::Code39;
    case 4: return TRaveBarCodeKind::PostNet;
    case 5: return TRaveBarCodeKind::I2of5;
    default: return TRaveBarCodeKind::EAN;
  }
}

AnsiString FirstUnprintableSheetCode(const TSheetDocument& document) {
  const TSheetSettings& s = document.Settings;
  const int rows = document.Tables.RowCount(stBarkod);
  const int type = s.BarkodTipi >= 0 && s.BarkodTipi < SheetBarcodeTypeCount ? s.BarkodTipi : 0;
  for (int row = 1; row <= rows; ++row) {
    for (int column = 1; column <= s.Sutun; ++column) {
      const AnsiString code = document.Tables.Cell(stBarkod, row, column);
      if (code.empty())
        continue;
      try {
        EncodeRaveSymbol(SheetBarcodeKind(type), code, s.CheckSum, s.CheckSumYazdir, s.KodYaz);
      } catch (const Exception&) {
        return std::to_string(row) + ". satır, " + std::to_string(column) + ". sütundaki \"" + code + "\" kodu " +
               SheetBarcodeTypeNames[type] + " barkodu olarak basılamaz. Rapor hazırlanmadı.";
      }
    }
  }
  return "";
}

void BuildSheetReport(TSheetDocument& document, const TRaveFont& font, const TSheetReportPage& page,
                      TRaveProject& project) {
  const TSheetSettings& s = document.Settings;
  const int rows = document.Tables.RowCount(stBarkod);
  const int pageRows = std::max(1, s.SayfaSatir);
  const int pages = SheetReportPageCount(s.Satir, pageRows);
  TRavePage* page1 = project.FindPage(AnsiString(SheetReportName) + ".Page1");
  if (page1 == nullptr)
    throw Exception("Report1.Page1 bulunamadı");
  for (int i = page1->ChildCount() - 1; i >= 0; --i)
    page1->DeleteChild(i);
  page1->PageWidth = page.Width;
  page1->PageHeight = page.Height;

  TSheetReportBuilder builder(document, font, project);
  TSheetControlsOff controlsOff(document.Tables.RxMemBarkod());
  TRaveBand& band1 = builder.AddRegion(*page1, *page1, "Region1", "DetailBand");
  for (int r = 1; r <= pageRows && r <= rows; ++r)
    for (int c = 1; c <= s.Sutun; ++c)
      builder.PlaceCell(band1, r, r, c);

  TRavePage* previous = page1;
  for (int i = 1; i < pages; ++i) {
    project.NewGlobalPage();
    TRavePage* next = project.FindPage(AnsiString(SheetReportName) + ".GlobalPage" + std::to_string(i));
    previous->GotoPage = next;
    next->PageWidth = page1->PageWidth;
    next->PageHeight = page1->PageHeight;
    TRaveBand& band = builder.AddRegion(*next, *page1, "Region" + std::to_string(i + 1),
                                        "DetailBand" + std::to_string(i + 1));
    for (int r = 1; r <= pageRows; ++r)
      if (i * pageRows + r <= rows)
        for (int c = 1; c <= s.Sutun; ++c)
          builder.PlaceCell(band, i * pageRows + r, r, c);
    previous = next;
  }
}
