// The sheet report: the report project that "Önizleme" builds from the
// sheet. One page per S rows (S = rows per page), Page1 first and global
// pages linked on by GotoPage; on each page one region inside the margins
// with one band as high as the region; per filled cell a barcode of the
// sheet's type and, when switched on, the product name and the price.
//
// A label cell (r, c) of a page has its corner (W + Gx)(c - 1) right of and
// (H + Gy)(r - 1) below the region's corner; the barcode, name and price sit
// at their offsets from it. Everything is handed over in inches.
#pragma once
#include <functional>

#include "app/sheet/sheetfile.h"
#include "support/rave/raveproject.h"

// The file the project is saved to, in the temporary folder: standard users
// cannot write to the root of drive C.
inline constexpr const char* SheetReportFileName = "Rave.rav";
inline constexpr const char* SheetReportName = "Report1";

// Pages of R rows at S rows per page: R / S rounded up when S < R, else 1.
int SheetReportPageCount(int rows, int pageRows);
TRaveBarCodeKind SheetBarcodeKind(int barkodTipi);

// "" when every barcode of the rows that print can be encoded in the
// sheet's type; otherwise a Turkish message naming the first cell (row,
// column and code) that cannot.
AnsiString FirstUnprintableSheetCode(const TSheetDocument& document);

struct TSheetReportPage {
  double Width = 0, Height = 0;  // inches, of the printer's page
};

// Builds the report into the open project (steps after the project was
// opened and the page chosen). While building, the barcode table's
// controls are disabled; they come back however building ends.
void BuildSheetReport(TSheetDocument& document, const TRaveFont& font, const TSheetReportPage& page,
                      TRaveProject& project);
