// The workbook source where the spreadsheet application is installed: it is
// started invisibly through automation ("Excel.Application") and asked in
// this order: Visible := false (and DisplayAlerts := false, so no hidden
// prompt can wait), Workbooks.Open(file), Worksheets(n), UsedRange,
// Cells(row, column).Value; at the end the workbook's Close without saving,
// Quit, and every reference released, also when a step failed.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <memory>

#include "support/workbook/automation/dispatchcall.h"
#include "support/workbook/celltext.h"
#include "support/workbook/workbookreader.h"

namespace workbook {

class TExcelWorkbookReader : public TWorkbookReader {
public:
  // Makes the application object (an owned reference); raises on failure.
  using TApplicationFactory = std::function<IDispatch*()>;

  // The default factory creates "Excel.Application" as a local server.
  explicit TExcelWorkbookReader(TApplicationFactory factory = TApplicationFactory());
  ~TExcelWorkbookReader() override;

  void OpenWorkbook(const AnsiString& fileName) override;
  void OpenWorksheet(int number) override;
  int LastUsedRow() override;
  AnsiString CellText(int row, int column) override;
  void Close() noexcept override;

private:
  TApplicationFactory factory_;
  AnsiString fileName_;
  TDispatchRef application_;
  TDispatchRef workbooks_;
  TDispatchRef workbook_;
  TDispatchRef worksheet_;
};

// True when "Excel.Application" is registered on this machine.
bool IsExcelRegistered();
// The automation reader where the application is registered, otherwise the
// built-in .xlsx reader.
std::unique_ptr<TWorkbookReader> MakeWorkbookReader();

// The stored value an automation Value gives, as a cell value (dates as
// dates, error codes as their texts).
TCellValue CellValueOfVariant(const VARIANT& value);

}  // namespace workbook
