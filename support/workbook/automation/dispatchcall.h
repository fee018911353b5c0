// Late-bound automation calls through IDispatch: a property read or written,
// a method called, by name with positional arguments. A failed call raises
// an Exception carrying the server's description when it gives one.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <initializer_list>
#include <string>

#include "classlib/system/ansistring.h"

namespace workbook {

// An owned VARIANT, cleared when it goes.
class TVariantValue {
public:
  TVariantValue() { VariantInit(&value_); }
  ~TVariantValue() { VariantClear(&value_); }
  TVariantValue(const TVariantValue&) = delete;
  TVariantValue& operator=(const TVariantValue&) = delete;
  VARIANT* operator&() { return &value_; }
  const VARIANT& operator*() const { return value_; }

private:
  VARIANT value_;
};

// An owned IDispatch reference, released when it goes.
class TDispatchRef {
public:
  TDispatchRef() = default;
  explicit TDispatchRef(IDispatch* adopted) : ref_(adopted) {}
  ~TDispatchRef() { Release(); }
  TDispatchRef(TDispatchRef&& other) noexcept : ref_(other.ref_) { other.ref_ = nullptr; }
  TDispatchRef& operator=(TDispatchRef&& other) noexcept;
  TDispatchRef(const TDispatchRef&) = delete;
  TDispatchRef& operator=(const TDispatchRef&) = delete;
  IDispatch* Get() const { return ref_; }
  explicit operator bool() const { return ref_ != nullptr; }
  void Release() noexcept;

private:
  IDispatch* ref_ = nullptr;
};

// An argument of a call: a number, a boolean or a text (1254).
struct TDispatchArg {
  enum class TKind { Int, Bool, Text } Kind;
  int Int = 0;
  bool Bool = false;
  AnsiString Text;
  static TDispatchArg Of(int value) { return {TKind::Int, value, false, {}}; }
  static TDispatchArg Of(bool value) { return {TKind::Bool, 0, value, {}}; }
  static TDispatchArg Of(const AnsiString& value) { return {TKind::Text, 0, false, value}; }
};

// Reads a property (with arguments: an indexed property such as Cells(r, c)).
void DispatchGet(IDispatch* object, const char* name, std::initializer_list<TDispatchArg> args, VARIANT* result);
// The object a property or a method returns.
TDispatchRef DispatchGetObject(IDispatch* object, const char* name, std::initializer_list<TDispatchArg> args = {});
void DispatchPut(IDispatch* object, const char* name, const TDispatchArg& value);
void DispatchCall(IDispatch* object, const char* name, std::initializer_list<TDispatchArg> args, VARIANT* result);

}  // namespace workbook
