#include "app/sheet/transferfile.h"

#include "classlib/classes/streams.h"
#include "classlib/system/exceptions.h"

namespace {

// A full sheet holds 500 rows of 20 products; a line takes far less than
// this many bytes on average, so a larger file is no transfer file.
constexpr std::int64_t TransferFileSizeLimit = 64 * 1024 * 1024;

}  // namespace

TTransferProduct ParseTransferLine(const AnsiString& line) {
  AnsiString* fields[4];
  TTransferProduct product;
  fields[0] = &product.Barkod;
  fields[1] = &product.Isim;
  fields[2] = &product.Fiyat;
  fields[3] = &product.Birim;
  std::size_t start = 0;
  for (AnsiString* field : fields) {
    const std::size_t bar = line.find('|', start);
    if (bar == AnsiString::npos)
      break;
    *field = line.substr(start, bar - start);
    start = bar + 1;
  }
  return product;
}

AnsiString TransferPriceCell(const TTransferProduct& product) {
  return product.Fiyat.empty() ? AnsiString() : product.Fiyat + " " + product.Birim;
}

int TransferRowCount(int lines, int columns) { return columns <= 0 ? 0 : (lines + columns - 1) / columns; }

void ReadTransferFile(const AnsiString& fileName, TStrings& lines) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  if (stream.Size() > TransferFileSizeLimit)
    throw EInOutError("File too large");
  lines.LoadFromStream(stream);
}

TTransferResult ImportTransferLines(const TStrings& lines, TSheetDocument& document) {
  const int products = lines.Count();
  const int columns = document.Settings.Sutun;
  if (products == 0)
    return trEmpty;
  const int rows = TransferRowCount(products, columns);
  if (rows > SheetRowMax)
    return trTooMany;
  document.SetCounts(columns, rows, document.Settings.SayfaSatir);
  TSheetTables& tables = document.Tables;
  tables.EmptyAll();
  tables.SizeRows(rows);
  for (int i = 0; i < products; ++i) {
    const TTransferProduct product = ParseTransferLine(lines[i]);
    const int row = i / columns + 1;
    const int column = i % columns + 1;
    tables.SetCell(stBarkod, row, column, product.Barkod);
    tables.SetCell(stYazi, row, column, product.Isim);
    tables.SetCell(stFiyat, row, column, TransferPriceCell(product));
  }
  return trImported;
}

AnsiString TransferTooManyText(int products, int columns) {
  return "Aktarım dosyasında " + std::to_string(products) + " ürün var; " + std::to_string(columns) +
         " sütunlu bir sayfa en çok " + std::to_string(SheetRowMax * columns) + " ürün alır. Hiçbir şey değiştirilmedi.";
}
