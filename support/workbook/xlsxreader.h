// The built-in workbook reader: .xlsx files read through the zip, XML and
// worksheet readers of this folder, with no spreadsheet application needed.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/workbook/workbookreader.h"
#include "support/workbook/xlsxpackage.h"
#include "support/workbook/xlsxsheet.h"
#include "support/workbook/zipdirectory.h"

namespace workbook {

class TXlsxWorkbookReader : public TWorkbookReader {
public:
  // The largest workbook file read.
  static constexpr std::uint64_t FileLimit = 1ull << 30;

  explicit TXlsxWorkbookReader(std::uint64_t entryLimit = TZipArchive::DefaultEntryLimit);

  void OpenWorkbook(const AnsiString& fileName) override;
  void OpenWorksheet(int number) override;
  int LastUsedRow() override;
  AnsiString CellText(int row, int column) override;
  void Close() noexcept override;

  // Opens a workbook held in memory; `name` stands in for the file name in messages.
  void OpenWorkbookBytes(std::string bytes, const AnsiString& name);

private:
  [[noreturn]] void RaiseAboutFile(const AnsiString& what) const;
  void RequireWorkbook() const;

  std::uint64_t entryLimit_;
  AnsiString fileName_;
  std::string bytes_;
  std::unique_ptr<TZipArchive> archive_;
  TWorkbookParts parts_;
  std::vector<AnsiString> sharedStrings_;
  std::vector<bool> dateStyles_;
  bool partsRead_ = false;
  std::unique_ptr<TSheetCells> sheet_;
};

}  // namespace workbook
