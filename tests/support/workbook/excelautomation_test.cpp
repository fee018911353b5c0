// The automation path against an IDispatch of our own that records every
// call: the call order, Close without saving and Quit after success and
// after a failed step, every reference released, and the values that
// automation hands back turned into cell texts by the shared rule.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "classlib/system/codepage.h"
#include "classlib/system/exceptions.h"
#include "support/workbook/automation/excelworkbookreader.h"

using namespace workbook;

namespace {

// What the recorded application knows and what it was asked.
struct TAutomationLog {
  std::vector<std::string> Calls;
  std::vector<std::string> Names;  // dispatch id - 1 gives the name
  int Live = 0;                    // objects not released yet
  int Worksheets = 2;
  int FirstRow = 1;
  int RowCount = 11;
  bool FailOpen = false;
  std::map<std::pair<int, int>, double> Numbers;
};

std::string ArgText(const VARIANT& value) {
  switch (value.vt) {
    case VT_I4: return std::to_string(value.lVal);
    case VT_BOOL: return value.boolVal ? "True" : "False";
    case VT_BSTR: return Utf16ToUtf8(reinterpret_cast<const char16_t*>(value.bstrVal));
    default: return "?";
  }
}

class TRecordingDispatch : public IDispatch {
public:
  TRecordingDispatch(TAutomationLog& log, std::string role) : log_(log), role_(std::move(role)) { ++log_.Live; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) {
      --log_.Live;
      delete this;
    }
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) {
      log_.Names.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(names[i])));
      ids[i] = DISPID(log_.Names.size());
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override {
    const std::string name = log_.Names.at(std::size_t(id) - 1);
    std::vector<std::string> args;
    for (UINT i = params->cArgs; i-- > 0;)
      args.push_back(ArgText(params->rgvarg[i]));
    std::string call = role_ + (flags == DISPATCH_PROPERTYPUT ? ".put " : ".") + name + "(";
    for (std::size_t i = 0; i < args.size(); ++i)
      call += (i ? "," : "") + args[i];
    log_.Calls.push_back(call + ")");
    if (name == "Workbooks" || name == "UsedRange" || name == "Rows" || name == "Cells")
      return Child(name, result);
    if (name == "Open")
      return log_.FailOpen ? Fail(info, "Dosya bulunamadı") : Child("Workbook", result);
    if (name == "Worksheets")
      return std::stoi(args.at(0)) <= log_.Worksheets ? Child("Worksheet", result) : Fail(info, "Alt simge aralık dışında");
    if (name == "Count" || name == "Row")
      return Number(name == "Count" ? log_.RowCount : log_.FirstRow, result);
    if (name == "Value" && result) {
      VariantInit(result);
      const auto found = log_.Numbers.find(cell_);
      if (found != log_.Numbers.end()) {
        result->vt = VT_R8;
        result->dblVal = found->second;
      }
    }
    return S_OK;
  }

private:
  HRESULT Child(const std::string& role, VARIANT* result) {
    auto* child = new TRecordingDispatch(log_, role);
    if (role == "Cells")
      child->cell_ = {std::stoi(log_.Calls.back().substr(log_.Calls.back().find('(') + 1)),
                      std::stoi(log_.Calls.back().substr(log_.Calls.back().find(',') + 1))};
    VariantInit(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = child;
    return S_OK;
  }
  static HRESULT Number(int value, VARIANT* result) {
    VariantInit(result);
    result->vt = VT_I4;
    result->lVal = value;
    return S_OK;
  }
  static HRESULT Fail(EXCEPINFO* info, const char* text) {
    *info = EXCEPINFO{};
    const std::u16string wide = Utf8ToUtf16(text);
    info->bstrDescription = SysAllocString(reinterpret_cast<const wchar_t*>(wide.c_str()));
    return DISP_E_EXCEPTION;
  }

  TAutomationLog& log_;
  std::string role_;
  ULONG refs_ = 1;
  std::pair<int, int> cell_;
};

TExcelWorkbookReader RecordingReader(TAutomationLog& log) {
  return TExcelWorkbookReader([&log] { return static_cast<IDispatch*>(new TRecordingDispatch(log, "Application")); });
}

}  // namespace

TEST(ExcelAutomation, CallsInOrderAndEverythingReleased) {
  TAutomationLog log;
  log.FirstRow = 3;
  log.RowCount = 9;
  log.Numbers[{4, 2}] = 8690000000012.0;
  {
    TExcelWorkbookReader reader = RecordingReader(log);
    reader.OpenWorkbook("C:\\veri\\kitap.xlsx");
    reader.OpenWorksheet(2);
    EXPECT_EQ(reader.LastUsedRow(), 11) << "first row 3 + 9 rows - 1";
    EXPECT_EQ(reader.CellText(4, 2), "8690000000012");
    EXPECT_EQ(reader.CellText(5, 78), "");
    reader.Close();
    EXPECT_EQ(log.Live, 0);
  }
  const std::vector<std::string> expected = {
      "Application.put Visible(False)", "Application.put DisplayAlerts(False)", "Application.Workbooks()",
      "Workbooks.Open(C:\\veri\\kitap.xlsx)", "Workbook.Worksheets(2)", "Worksheet.UsedRange()", "UsedRange.Rows()",
      "Rows.Count()", "UsedRange.Row()", "Worksheet.Cells(4,2)", "Cells.Value()", "Worksheet.Cells(5,78)",
      "Cells.Value()", "Workbook.Close(False)", "Application.Quit()"};
  EXPECT_EQ(log.Calls, expected);
}

TEST(ExcelAutomation, AMissingWorksheetStillClosesAndQuits) {
  TAutomationLog log;
  TExcelWorkbookReader reader = RecordingReader(log);
  reader.OpenWorkbook("C:\\kitap.xlsx");
  try {
    reader.OpenWorksheet(3);
    ADD_FAILURE() << "worksheet 3 of 2 was opened";
  } catch (const Exception& error) {
    EXPECT_NE(error.Message.find("\"C:\\kitap.xlsx\" dosyasının 3. çalışma sayfası açılamadı: Alt simge"),
              std::string::npos)
        << error.Message;
  }
  reader.Close();
  ASSERT_GE(log.Calls.size(), 2u);
  EXPECT_EQ(log.Calls[log.Calls.size() - 2], "Workbook.Close(False)");
  EXPECT_EQ(log.Calls.back(), "Application.Quit()");
  EXPECT_EQ(log.Live, 0);
}

TEST(ExcelAutomation, AWorkbookThatDoesNotOpenStillQuits) {
  TAutomationLog log;
  log.FailOpen = true;
  TExcelWorkbookReader reader = RecordingReader(log);
  EXPECT_THROW(reader.OpenWorkbook("C:\\yok.xlsx"), Exception);
  EXPECT_EQ(log.Calls.back(), "Application.Quit()");
  EXPECT_EQ(log.Live, 0);
  reader.Close();
  EXPECT_EQ(log.Calls.back(), "Application.Quit()") << "nothing left to close twice";
}

TEST(ExcelAutomation, ValuesBecomeCellTexts) {
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(CellText(CellValueOfVariant(value)), "");
  value.vt = VT_DATE;
  value.date = 45352;  // an automation date is the same serial as a TDateTime
  EXPECT_EQ(CellText(CellValueOfVariant(value)), "01.03.2024");
  value.vt = VT_BOOL;
  value.boolVal = VARIANT_TRUE;
  EXPECT_EQ(CellText(CellValueOfVariant(value)), "DOĞRU");
  value.vt = VT_ERROR;
  value.scode = SCODE(0x800A07FA);
  EXPECT_EQ(CellText(CellValueOfVariant(value)), "#N/A");
  value.vt = VT_CY;
  value.cyVal.int64 = 125000;  // 12.5
  EXPECT_EQ(CellText(CellValueOfVariant(value)), "12,5");
  value.vt = VT_R8;
  value.dblVal = 8690000000012.0;
  EXPECT_EQ(CellText(CellValueOfVariant(value)), "8690000000012");
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(L"\u00C7i\u011F K\u00F6fte");
  EXPECT_EQ(CellText(CellValueOfVariant(value)), "Çiğ Köfte");
  VariantClear(&value);
}
