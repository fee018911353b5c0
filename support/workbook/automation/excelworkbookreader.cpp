#include "support/workbook/automation/excelworkbookreader.h"

#include <objbase.h>

#include "classlib/system/codepage.h"
#include "classlib/system/exceptions.h"
#include "support/workbook/xlsxreader.h"

namespace workbook {
namespace {

const wchar_t kExcelProgId[] = L"Excel.Application";

IDispatch* CreateExcelApplication() {
  CoInitialize(nullptr);
  CLSID id;
  if (FAILED(CLSIDFromProgID(kExcelProgId, &id)))
    throw Exception("Excel bu bilgisayarda kurulu değil.");
  IDispatch* application = nullptr;
  const HRESULT created =
      CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&application));
  if (FAILED(created) || application == nullptr)
    throw Exception("Excel başlatılamadı.");
  return application;
}

// The texts of the error values a cell can hold, by their automation codes.
AnsiString ExcelErrorText(SCODE code) {
  switch (code & 0xFFFF) {
    case 2000: return "#NULL!";
    case 2007: return "#DIV/0!";
    case 2015: return "#VALUE!";
    case 2023: return "#REF!";
    case 2029: return "#NAME?";
    case 2036: return "#NUM!";
    case 2042: return "#N/A";
    default: return "#HATA";
  }
}

}  // namespace

TCellValue CellValueOfVariant(const VARIANT& value) {
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return TCellValue();
    case VT_BSTR:
      return TCellValue::MakeText(
          value.bstrVal ? Utf16ToAnsi(std::u16string(reinterpret_cast<const char16_t*>(value.bstrVal),
                                                     SysStringLen(value.bstrVal)))
                        : AnsiString());
    case VT_DATE:
      return TCellValue::MakeDate(value.date);
    case VT_BOOL:
      return TCellValue::MakeBoolean(value.boolVal != VARIANT_FALSE);
    case VT_ERROR:
      return TCellValue::MakeError(ExcelErrorText(value.scode));
    default: {
      VARIANT number;
      VariantInit(&number);
      if (SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&value), 0, VT_R8)))
        return TCellValue::MakeNumber(number.dblVal);
      VariantClear(&number);
      return TCellValue();
    }
  }
}

TExcelWorkbookReader::TExcelWorkbookReader(TApplicationFactory factory)
    : factory_(factory ? std::move(factory) : TApplicationFactory(CreateExcelApplication)) {}

TExcelWorkbookReader::~TExcelWorkbookReader() { Close(); }

void TExcelWorkbookReader::OpenWorkbook(const AnsiString& fileName) {
  Close();
  fileName_ = fileName;
  try {
    application_ = TDispatchRef(factory_());
    DispatchPut(application_.Get(), "Visible", TDispatchArg::Of(false));
    DispatchPut(application_.Get(), "DisplayAlerts", TDispatchArg::Of(false));
    workbooks_ = DispatchGetObject(application_.Get(), "Workbooks");
    TVariantValue opened;
    DispatchCall(workbooks_.Get(), "Open", {TDispatchArg::Of(fileName)}, &opened);
    if ((*opened).vt != VT_DISPATCH || (*opened).pdispVal == nullptr)
      throw Exception("Çalışma kitabı açılamadı.");
    (*opened).pdispVal->AddRef();
    workbook_ = TDispatchRef((*opened).pdispVal);
  } catch (const Exception& error) {
    Close();
    throw Exception("\"" + fileName + "\" dosyası Excel ile açılamadı: " + error.Message);
  }
}

void TExcelWorkbookReader::OpenWorksheet(int number) {
  try {
    worksheet_ = DispatchGetObject(workbook_.Get(), "Worksheets", {TDispatchArg::Of(number)});
  } catch (const Exception& error) {
    throw Exception("\"" + fileName_ + "\" dosyasının " + std::to_string(number) +
                    ". çalışma sayfası açılamadı: " + error.Message);
  }
}

// The used range may start below row 1: its last row is its first row plus
// its row count less one.
int TExcelWorkbookReader::LastUsedRow() {
  const TDispatchRef used = DispatchGetObject(worksheet_.Get(), "UsedRange");
  const TDispatchRef rows = DispatchGetObject(used.Get(), "Rows");
  TVariantValue count, first;
  DispatchGet(rows.Get(), "Count", {}, &count);
  DispatchGet(used.Get(), "Row", {}, &first);
  TVariantValue countNumber, firstNumber;
  if (FAILED(VariantChangeType(&countNumber, &count, 0, VT_I4)) ||
      FAILED(VariantChangeType(&firstNumber, &first, 0, VT_I4)))
    throw Exception("Kullanılan satır sayısı okunamadı.");
  return (*firstNumber).lVal + (*countNumber).lVal - 1;
}

AnsiString TExcelWorkbookReader::CellText(int row, int column) {
  const TDispatchRef cell = DispatchGetObject(worksheet_.Get(), "Cells", {TDispatchArg::Of(row), TDispatchArg::Of(column)});
  TVariantValue value;
  DispatchGet(cell.Get(), "Value", {}, &value);
  return workbook::CellText(CellValueOfVariant(*value));
}

void TExcelWorkbookReader::Close() noexcept {
  worksheet_.Release();
  if (workbook_) {
    try {
      DispatchCall(workbook_.Get(), "Close", {TDispatchArg::Of(false)}, nullptr);
    } catch (const Exception&) {
    }
    workbook_.Release();
  }
  workbooks_.Release();
  if (application_) {
    try {
      DispatchCall(application_.Get(), "Quit", {}, nullptr);
    } catch (const Exception&) {
    }
    application_.Release();
  }
}

bool IsExcelRegistered() {
  CLSID id;
  return SUCCEEDED(CLSIDFromProgID(kExcelProgId, &id));
}

std::unique_ptr<TWorkbookReader> MakeWorkbookReader() {
  if (IsExcelRegistered())
    return std::make_unique<TExcelWorkbookReader>();
  return std::make_unique<TXlsxWorkbookReader>();
}

}  // namespace workbook
