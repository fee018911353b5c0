#include "support/workbook/automation/dispatchcall.h"

#include <vector>

#include "classlib/system/codepage.h"
#include "classlib/system/exceptions.h"

namespace workbook {
namespace {

std::wstring WideOf(const AnsiString& text) {
  const std::u16string wide = AnsiToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

[[noreturn]] void RaiseDispatchFailure(const char* name, HRESULT result, EXCEPINFO& info) {
  AnsiString message;
  if (info.bstrDescription != nullptr)
    message = Utf16ToAnsi(std::u16string(reinterpret_cast<const char16_t*>(info.bstrDescription)));
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  if (message.empty()) {
    char code[16];
    wsprintfA(code, "%08lX", static_cast<unsigned long>(result));
    message = AnsiString("Otomasyon çağrısı başarısız: ") + name + " (" + code + ").";
  }
  throw Exception(message);
}

// Invokes a member; the arguments go in reverse order, as IDispatch wants them.
void InvokeMember(IDispatch* object, const char* name, WORD flags, std::initializer_list<TDispatchArg> args,
                  VARIANT* result) {
  if (object == nullptr)
    throw Exception(AnsiString("Otomasyon nesnesi yok: ") + name);
  std::wstring wideName = WideOf(name);
  LPOLESTR names[] = {wideName.data()};
  DISPID id = 0;
  EXCEPINFO info{};
  const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(found))
    RaiseDispatchFailure(name, found, info);
  std::vector<VARIANT> values(args.size());
  std::size_t slot = args.size();
  for (const TDispatchArg& arg : args) {
    VARIANT& value = values[--slot];
    VariantInit(&value);
    if (arg.Kind == TDispatchArg::TKind::Int) {
      value.vt = VT_I4;
      value.lVal = arg.Int;
    } else if (arg.Kind == TDispatchArg::TKind::Bool) {
      value.vt = VT_BOOL;
      value.boolVal = arg.Bool ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
      value.vt = VT_BSTR;
      value.bstrVal = SysAllocString(WideOf(arg.Text).c_str());
    }
  }
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{values.data(), nullptr, UINT(values.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  UINT badArg = 0;
  const HRESULT invoked = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &info, &badArg);
  for (VARIANT& value : values)
    VariantClear(&value);
  if (FAILED(invoked))
    RaiseDispatchFailure(name, invoked, info);
}

}  // namespace

TDispatchRef& TDispatchRef::operator=(TDispatchRef&& other) noexcept {
  if (this != &other) {
    Release();
    ref_ = other.ref_;
    other.ref_ = nullptr;
  }
  return *this;
}

void TDispatchRef::Release() noexcept {
  if (ref_ != nullptr) {
    ref_->Release();
    ref_ = nullptr;
  }
}

void DispatchGet(IDispatch* object, const char* name, std::initializer_list<TDispatchArg> args, VARIANT* result) {
  InvokeMember(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, result);
}

TDispatchRef DispatchGetObject(IDispatch* object, const char* name, std::initializer_list<TDispatchArg> args) {
  TVariantValue value;
  InvokeMember(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, &value);
  if ((*value).vt != VT_DISPATCH || (*value).pdispVal == nullptr)
    throw Exception(AnsiString("Otomasyon çağrısı bir nesne döndürmedi: ") + name);
  IDispatch* object2 = (*value).pdispVal;
  object2->AddRef();
  return TDispatchRef(object2);
}

void DispatchPut(IDispatch* object, const char* name, const TDispatchArg& value) {
  InvokeMember(object, name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

void DispatchCall(IDispatch* object, const char* name, std::initializer_list<TDispatchArg> args, VARIANT* result) {
  InvokeMember(object, name, DISPATCH_METHOD, args, result);
}

}  // namespace workbook
