// The barcode transfer file (.BRC) the maker's other programs write: code
// page 1254 text, one product a line, "barcode|name|price|unit|". A field
// whose "|" is missing is empty; text after the fourth "|" is ignored.
#pragma once
#include <vector>

#include "app/sheet/sheetfile.h"

struct TTransferProduct {
  AnsiString Barkod, Isim, Fiyat, Birim;
};

TTransferProduct ParseTransferLine(const AnsiString& line);
// The price cell: the price, a blank and the unit; empty without a price.
AnsiString TransferPriceCell(const TTransferProduct& product);
// Rows for lines products in columns columns: lines / columns rounded up.
int TransferRowCount(int lines, int columns);

// The file's lines; raises on a file that cannot be read, or one larger
// than a full sheet's products could ever fill.
void ReadTransferFile(const AnsiString& fileName, TStrings& lines);

enum TTransferResult { trImported, trEmpty, trTooMany };
// Fills the open sheet with the products, left to right and top to bottom,
// one a cell, keeping its settings; the row count becomes as many rows as
// the products need. Cells take at most SheetCellSize characters. When the
// products need more rows than a sheet holds, or there are none, nothing
// changes.
TTransferResult ImportTransferLines(const TStrings& lines, TSheetDocument& document);
// "... ürün ... satıra sığmıyor" with both numbers, for trTooMany.
AnsiString TransferTooManyText(int products, int columns);
