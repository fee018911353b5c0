#include "support/workbook/xlsxreader.h"

#include <string_view>

#include "classlib/classes/streams.h"
#include "support/workbook/cellreference.h"
#include "support/workbook/workbookerror.h"
#include "support/workbook/xlsxstrings.h"
#include "support/workbook/xlsxstyles.h"

namespace workbook {
namespace {

// The signature of the compound files older workbooks (and encrypted new
// ones) are stored in.
constexpr std::string_view kCompoundFileSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

std::string ReadWholeFile(const AnsiString& fileName, std::uint64_t limit) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
  const std::int64_t size = stream.Size();
  if (size < 0 || std::uint64_t(size) > limit)
    throw EWorkbookError("dosya okunamayacak kadar büyük.");
  std::string bytes(std::size_t(size), '\0');
  if (size > 0)
    stream.ReadBuffer(bytes.data(), std::int32_t(size));
  return bytes;
}

}  // namespace

TXlsxWorkbookReader::TXlsxWorkbookReader(std::uint64_t entryLimit) : entryLimit_(entryLimit) {}

void TXlsxWorkbookReader::RaiseAboutFile(const AnsiString& what) const {
  throw EWorkbookError("\"" + fileName_ + "\" dosyası okunamadı: " + what);
}

void TXlsxWorkbookReader::OpenWorkbook(const AnsiString& fileName) {
  Close();
  fileName_ = fileName;
  std::string bytes;
  try {
    bytes = ReadWholeFile(fileName, FileLimit);
  } catch (const EWorkbookError& error) {
    RaiseAboutFile(error.Message);
  } catch (const Exception&) {
    RaiseAboutFile("dosya açılamadı; başka bir program tarafından kilitlenmiş ya da okunamıyor olabilir.");
  }
  OpenWorkbookBytes(std::move(bytes), fileName);
}

void TXlsxWorkbookReader::OpenWorkbookBytes(std::string bytes, const AnsiString& name) {
  Close();
  fileName_ = name;
  bytes_ = std::move(bytes);
  if (std::string_view(bytes_).substr(0, kCompoundFileSignature.size()) == kCompoundFileSignature) {
    bytes_.clear();
    RaiseAboutFile(
        "Excel bu bilgisayarda kurulu olmadığından yalnızca .xlsx çalışma kitapları okunabilir; bu dosya eski "
        "(.xls) biçimde ya da şifreli.");
  }
  try {
    archive_ = std::make_unique<TZipArchive>(bytes_, entryLimit_);
    parts_ = ReadWorkbookParts(*archive_);
    if (!parts_.SharedStrings.empty())
      sharedStrings_ = ReadSharedStrings(ReadPart(*archive_, parts_.SharedStrings, false));
    if (!parts_.Styles.empty())
      dateStyles_ = ReadDateStyles(ReadPart(*archive_, parts_.Styles, false));
    partsRead_ = true;
  } catch (const EWorkbookError& error) {
    Close();
    fileName_ = name;
    RaiseAboutFile(error.Message);
  }
}

void TXlsxWorkbookReader::RequireWorkbook() const {
  if (!partsRead_)
    throw EWorkbookError("Açık bir çalışma kitabı yok.");
}

void TXlsxWorkbookReader::OpenWorksheet(int number) {
  RequireWorkbook();
  sheet_.reset();
  const std::size_t count = parts_.Worksheets.size();
  if (number < 1 || std::size_t(number) > count)
    RaiseAboutFile("çalışma kitabında " + std::to_string(number) + ". çalışma sayfası yok (" +
                   std::to_string(count) + " çalışma sayfası var).");
  try {
    const std::string xml = ReadPart(*archive_, parts_.Worksheets[std::size_t(number) - 1], true);
    const TSheetContext context{&sharedStrings_, &dateStyles_, parts_.Date1904};
    sheet_ = std::make_unique<TSheetCells>(ReadSheetCells(xml, context));
  } catch (const EWorkbookError& error) {
    RaiseAboutFile(std::to_string(number) + ". çalışma sayfası: " + error.Message);
  }
}

int TXlsxWorkbookReader::LastUsedRow() {
  if (!sheet_)
    throw EWorkbookError("Açık bir çalışma sayfası yok.");
  // A sheet without cells has the first cell as its used range.
  return sheet_->Count() == 0 ? 1 : sheet_->LastRow();
}

AnsiString TXlsxWorkbookReader::CellText(int row, int column) {
  if (!sheet_)
    throw EWorkbookError("Açık bir çalışma sayfası yok.");
  if (row < 1 || row > MaxWorksheetRow || column < 1 || column > MaxWorksheetColumn)
    throw EWorkbookError("Geçersiz hücre: satır " + std::to_string(row) + ", sütun " + std::to_string(column) + ".");
  return workbook::CellText(sheet_->At(row, column));
}

void TXlsxWorkbookReader::Close() noexcept {
  sheet_.reset();
  archive_.reset();
  bytes_.clear();
  bytes_.shrink_to_fit();
  parts_ = TWorkbookParts();
  sharedStrings_.clear();
  dateStyles_.clear();
  partsRead_ = false;
}

}  // namespace workbook
