#include "classlib/classes/typinfo.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <utility>

#include "classlib/classes/component.h"
#include "classlib/system/codepage.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

namespace dozuri {
namespace {

// Type records live as long as the program; their addresses identify types.
TTypeInfo* NewTypeInfo() {
  static std::mutex lock;
  static std::deque<TTypeInfo> store;
  std::lock_guard guard(lock);
  return &store.emplace_back();
}

// A copy of a type record under another name, one per (type, name), so
// properties declared with the same type name share their type record.
PTypeInfo NamedTypeInfo(PTypeInfo base, const char* name) {
  static std::mutex lock;
  static std::map<std::pair<PTypeInfo, std::string>, PTypeInfo> named;
  std::lock_guard guard(lock);
  PTypeInfo& info = named[{base, name}];
  if (info == nullptr) {
    TTypeInfo* copy = NewTypeInfo();
    *copy = *base;
    copy->Name = name;
    info = copy;
  }
  return info;
}

}  // namespace

PTypeInfo MakeOrdinalTypeInfo(TTypeKind kind, const char* name, TOrdType ordType, std::int64_t min,
                              std::int64_t max) {
  TTypeInfo* t = NewTypeInfo();
  t->Kind = kind;
  t->Name = name;
  t->OrdType = ordType;
  t->MinValue = min;
  t->MaxValue = max;
  return t;
}

PTypeInfo MakeEnumTypeInfo(const char* name, std::initializer_list<const char*> names) {
  TTypeInfo* t = NewTypeInfo();
  t->Kind = tkEnumeration;
  t->Name = name;
  t->EnumNames.assign(names.begin(), names.end());
  t->OrdType = names.size() <= 256 ? otUByte : otUWord;
  t->MinValue = 0;
  t->MaxValue = static_cast<std::int64_t>(names.size()) - 1;
  return t;
}

PTypeInfo MakeSetTypeInfo(const char* name, PTypeInfo element) {
  TTypeInfo* t = NewTypeInfo();
  t->Kind = tkSet;
  t->Name = name != nullptr ? std::string(name) : "set of " + element->Name;
  t->CompType = element;
  t->OrdType = otULong;
  return t;
}

PTypeInfo MakeFloatTypeInfo(const char* name, TFloatType floatType) {
  TTypeInfo* t = NewTypeInfo();
  t->Kind = tkFloat;
  t->Name = name;
  t->FloatType = floatType;
  return t;
}

PTypeInfo MakeSimpleTypeInfo(TTypeKind kind, const char* name) {
  TTypeInfo* t = NewTypeInfo();
  t->Kind = kind;
  t->Name = name;
  return t;
}

PTypeInfo MakeClassTypeInfo(TClass aClass) {
  TTypeInfo* t = NewTypeInfo();
  t->Kind = tkClass;
  t->Name = aClass->Name;
  t->ClassType = aClass;
  return t;
}

TPublished FieldClassEntry(TClass aClass) {
  TPublished e;
  e.EntryKind = TPublished::FieldClass;
  e.Field = aClass;
  return e;
}

void ThrowInvalidPropertyValue() { throw EPropertyError("Invalid property value"); }

AnsiString WideToAnsi(const std::u16string& text) { return Utf16ToAnsi(text); }
std::u16string AnsiToWide(const AnsiString& text) { return AnsiToUtf16(text); }

}  // namespace dozuri

TPublished& TPublished::DateTime() {
  static PTypeInfo info = dozuri::MakeFloatTypeInfo("TDateTime", ftDouble);
  Prop.PropType = info;
  return *this;
}

TPublished& TPublished::TypeName(const char* name) {
  Prop.PropType = dozuri::NamedTypeInfo(Prop.PropType, name);
  return *this;
}

bool TPropInfo::Writable() const {
  return SetOrd != nullptr || SetFloat != nullptr || SetStr != nullptr || SetObject != nullptr ||
         SetMethod != nullptr;
}

bool TPropInfo::IsStored(TObject* instance) const {
  if (StoredFn != nullptr)
    return StoredFn(instance);
  return StoredConst;
}

// ---- Look-up ------------------------------------------------------------------
namespace {

[[noreturn]] void UnknownProperty(const AnsiString& name) {
  throw EPropertyError("Property " + name + " does not exist");
}

PPropInfo Require(const TObject* instance, const AnsiString& name) {
  PPropInfo p = instance != nullptr ? GetPropInfo(instance, name) : nullptr;
  if (p == nullptr)
    UnknownProperty(name);
  return p;
}

[[noreturn]] void ReadOnly(PPropInfo prop) {
  throw EPropertyError(AnsiString("Property ") + prop->Name + " is read-only");
}

[[noreturn]] void WrongKind() { throw EPropertyError("Invalid property type"); }

[[noreturn]] void ThrowInvalidPropertyValueText(const AnsiString& value) {
  throw EPropertyError("Invalid property value: " + value);
}

}  // namespace

PPropInfo GetPropInfo(TClass aClass, const AnsiString& propName) {
  for (TClass c = aClass; c != nullptr; c = c->Parent) {
    TPublishedTable table = c->Published();
    for (std::size_t i = 0; i < table.Count; ++i) {
      const TPublished& e = table.Items[i];
      if (e.EntryKind == TPublished::Property && SameText(e.Prop.Name, propName))
        return &e.Prop;
    }
  }
  return nullptr;
}

PPropInfo GetPropInfo(const TObject* instance, const AnsiString& propName) {
  return GetPropInfo(instance->ClassType(), propName);
}

std::vector<PPropInfo> GetPropList(TClass aClass) {
  std::vector<TClass> chain;
  for (TClass c = aClass; c != nullptr; c = c->Parent)
    chain.push_back(c);
  std::vector<PPropInfo> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    TPublishedTable table = (*it)->Published();
    for (std::size_t i = 0; i < table.Count; ++i) {
      if (table.Items[i].EntryKind != TPublished::Property)
        continue;
      // A property a descendant declares again takes its parent's place,
      // so it is listed (and streamed) once, as the descendant has it.
      PPropInfo prop = &table.Items[i].Prop;
      auto same = std::find_if(result.begin(), result.end(),
                               [prop](PPropInfo p) { return SameText(p->Name, prop->Name); });
      if (same != result.end())
        *same = prop;
      else
        result.push_back(prop);
    }
  }
  return result;
}

std::vector<PPropInfo> GetPropList(const TObject* instance) { return GetPropList(instance->ClassType()); }

bool IsPublishedProp(const TObject* instance, const AnsiString& propName) {
  return GetPropInfo(instance, propName) != nullptr;
}
bool IsPublishedProp(TClass aClass, const AnsiString& propName) { return GetPropInfo(aClass, propName) != nullptr; }

TTypeKind PropType(const TObject* instance, const AnsiString& propName) {
  return Require(instance, propName)->Kind();
}

TTypeKind PropType(TClass aClass, const AnsiString& propName) {
  PPropInfo p = GetPropInfo(aClass, propName);
  if (p == nullptr)
    UnknownProperty(propName);
  return p->Kind();
}

std::vector<TClass> GetFieldClasses(TClass aClass) {
  std::vector<TClass> result;
  for (TClass c = aClass; c != nullptr; c = c->Parent) {
    TPublishedTable table = c->Published();
    for (std::size_t i = 0; i < table.Count; ++i)
      if (table.Items[i].EntryKind == TPublished::FieldClass)
        result.push_back(table.Items[i].Field);
  }
  return result;
}

// ---- Values by kind -----------------------------------------------------------
std::int64_t GetOrdProp(TObject* instance, PPropInfo prop) {
  if (prop->GetOrd == nullptr)
    WrongKind();
  return prop->GetOrd(instance);
}
void SetOrdProp(TObject* instance, PPropInfo prop, std::int64_t value) {
  if (prop->GetOrd == nullptr)
    WrongKind();
  if (prop->SetOrd == nullptr)
    ReadOnly(prop);
  prop->SetOrd(instance, value);
}
long double GetFloatProp(TObject* instance, PPropInfo prop) {
  if (prop->GetFloat == nullptr)
    WrongKind();
  return prop->GetFloat(instance);
}
void SetFloatProp(TObject* instance, PPropInfo prop, long double value) {
  if (prop->GetFloat == nullptr)
    WrongKind();
  if (prop->SetFloat == nullptr)
    ReadOnly(prop);
  prop->SetFloat(instance, value);
}
AnsiString GetStrProp(TObject* instance, PPropInfo prop) {
  if (prop->GetStr == nullptr)
    WrongKind();
  return prop->GetStr(instance);
}
void SetStrProp(TObject* instance, PPropInfo prop, const AnsiString& value) {
  if (prop->GetStr == nullptr)
    WrongKind();
  if (prop->SetStr == nullptr)
    ReadOnly(prop);
  prop->SetStr(instance, value);
}
std::int64_t GetInt64Prop(TObject* instance, PPropInfo prop) { return GetOrdProp(instance, prop); }
void SetInt64Prop(TObject* instance, PPropInfo prop, std::int64_t value) { SetOrdProp(instance, prop, value); }
TObject* GetObjectProp(TObject* instance, PPropInfo prop) {
  if (prop->GetObject == nullptr)
    WrongKind();
  return prop->GetObject(instance);
}
void SetObjectProp(TObject* instance, PPropInfo prop, TObject* value) {
  if (prop->GetObject == nullptr)
    WrongKind();
  if (prop->SetObject == nullptr)
    ReadOnly(prop);
  prop->SetObject(instance, value);
}
TMethod GetMethodProp(TObject* instance, PPropInfo prop) {
  if (prop->GetMethod == nullptr)
    WrongKind();
  return prop->GetMethod(instance);
}
void SetMethodProp(TObject* instance, PPropInfo prop, const TMethod& value) {
  if (prop->GetMethod == nullptr)
    WrongKind();
  if (prop->SetMethod == nullptr)
    ReadOnly(prop);
  prop->SetMethod(instance, value);
}

std::int64_t GetOrdProp(TObject* i, const AnsiString& n) { return GetOrdProp(i, Require(i, n)); }
void SetOrdProp(TObject* i, const AnsiString& n, std::int64_t v) { SetOrdProp(i, Require(i, n), v); }
long double GetFloatProp(TObject* i, const AnsiString& n) { return GetFloatProp(i, Require(i, n)); }
void SetFloatProp(TObject* i, const AnsiString& n, long double v) { SetFloatProp(i, Require(i, n), v); }
AnsiString GetStrProp(TObject* i, const AnsiString& n) { return GetStrProp(i, Require(i, n)); }
void SetStrProp(TObject* i, const AnsiString& n, const AnsiString& v) { SetStrProp(i, Require(i, n), v); }
std::int64_t GetInt64Prop(TObject* i, const AnsiString& n) { return GetInt64Prop(i, Require(i, n)); }
void SetInt64Prop(TObject* i, const AnsiString& n, std::int64_t v) { SetInt64Prop(i, Require(i, n), v); }
TObject* GetObjectProp(TObject* i, const AnsiString& n) { return GetObjectProp(i, Require(i, n)); }
void SetObjectProp(TObject* i, const AnsiString& n, TObject* v) { SetObjectProp(i, Require(i, n), v); }
TMethod GetMethodProp(TObject* i, const AnsiString& n) { return GetMethodProp(i, Require(i, n)); }
void SetMethodProp(TObject* i, const AnsiString& n, const TMethod& v) { SetMethodProp(i, Require(i, n), v); }

// ---- Enumerations and sets -------------------------------------------------
AnsiString GetEnumName(PTypeInfo typeInfo, int value) {
  if (typeInfo->Kind == tkEnumeration) {
    if (value < 0 || static_cast<std::size_t>(value) >= typeInfo->EnumNames.size())
      return {};
    return typeInfo->EnumNames[value];
  }
  return IntToStr(value);
}

int GetEnumValue(PTypeInfo typeInfo, const AnsiString& name) {
  if (typeInfo->Kind == tkEnumeration) {
    for (std::size_t i = 0; i < typeInfo->EnumNames.size(); ++i)
      if (SameText(typeInfo->EnumNames[i], name))
        return static_cast<int>(i);
    return -1;
  }
  int value = 0;
  return TryStrToInt(name, value) ? value : -1;
}

AnsiString SetToString(PTypeInfo setType, std::uint32_t bits, bool brackets) {
  AnsiString result;
  for (int i = 0; i < 32; ++i) {
    if ((bits & (std::uint32_t{1} << i)) == 0)
      continue;
    if (!result.empty())
      result += ',';
    result += GetEnumName(setType->CompType, i);
  }
  return brackets ? "[" + result + "]" : result;
}

std::uint32_t StringToSet(PTypeInfo setType, const AnsiString& text) {
  AnsiString body = Trim(text);
  if (!body.empty() && body.front() == '[')
    body.erase(0, 1);
  if (!body.empty() && body.back() == ']')
    body.pop_back();
  std::uint32_t bits = 0;
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t comma = body.find(',', start);
    if (comma == AnsiString::npos)
      comma = body.size();
    AnsiString name = Trim(std::string_view(body).substr(start, comma - start));
    if (!name.empty()) {
      int value = GetEnumValue(setType->CompType, name);
      if (value < 0 || value >= 32)
        throw EPropertyError("Invalid property element: " + name);
      bits |= std::uint32_t{1} << value;
    }
    start = comma + 1;
  }
  return bits;
}

AnsiString GetSetProp(TObject* instance, PPropInfo prop, bool brackets) {
  if (prop->Kind() != tkSet)
    WrongKind();
  return SetToString(prop->PropType, static_cast<std::uint32_t>(GetOrdProp(instance, prop)), brackets);
}
AnsiString GetSetProp(TObject* i, const AnsiString& n, bool brackets) { return GetSetProp(i, Require(i, n), brackets); }
void SetSetProp(TObject* instance, PPropInfo prop, const AnsiString& value) {
  if (prop->Kind() != tkSet)
    WrongKind();
  SetOrdProp(instance, prop, StringToSet(prop->PropType, value));
}
void SetSetProp(TObject* i, const AnsiString& n, const AnsiString& v) { SetSetProp(i, Require(i, n), v); }

AnsiString GetEnumProp(TObject* instance, const AnsiString& propName) {
  PPropInfo p = Require(instance, propName);
  return GetEnumName(p->PropType, static_cast<int>(GetOrdProp(instance, p)));
}
void SetEnumProp(TObject* instance, const AnsiString& propName, const AnsiString& value) {
  PPropInfo p = Require(instance, propName);
  int v = GetEnumValue(p->PropType, value);
  if (v < 0)
    throw EPropertyError("Invalid property element: " + value);
  SetOrdProp(instance, p, v);
}

// ---- Integer identifiers -------------------------------------------------------
namespace {

struct TIntegerConsts {
  TIdentToInt IdentToInt = nullptr;
  TIntToIdent IntToIdent = nullptr;
};

// The registry, keyed by the upper-cased type name. Registrations run from
// static initialisers of other libraries, hence the function-local statics.
std::mutex& IntegerConstsLock() {
  static std::mutex lock;
  return lock;
}
std::map<AnsiString, TIntegerConsts>& IntegerConstsMap() {
  static std::map<AnsiString, TIntegerConsts> map;
  return map;
}

TIntegerConsts FindIntegerConsts(const AnsiString& typeName) {
  std::lock_guard guard(IntegerConstsLock());
  auto& map = IntegerConstsMap();
  auto it = map.find(UpperCase(typeName));
  return it != map.end() ? it->second : TIntegerConsts{};
}

bool IsIntegerType(PTypeInfo typeInfo) { return typeInfo != nullptr && typeInfo->Kind == tkInteger; }

}  // namespace

void RegisterIntegerConsts(const AnsiString& typeName, TIdentToInt identToInt, TIntToIdent intToIdent) {
  std::lock_guard guard(IntegerConstsLock());
  IntegerConstsMap()[UpperCase(typeName)] = TIntegerConsts{identToInt, intToIdent};
}

TIntToIdent FindIntToIdent(const AnsiString& typeName) { return FindIntegerConsts(typeName).IntToIdent; }
TIdentToInt FindIdentToInt(const AnsiString& typeName) { return FindIntegerConsts(typeName).IdentToInt; }

TIntToIdent FindIntToIdent(PTypeInfo typeInfo) {
  return IsIntegerType(typeInfo) ? FindIntToIdent(typeInfo->Name) : nullptr;
}
TIdentToInt FindIdentToInt(PTypeInfo typeInfo) {
  return IsIntegerType(typeInfo) ? FindIdentToInt(typeInfo->Name) : nullptr;
}

bool IntegerToIdent(PTypeInfo typeInfo, std::int64_t value, AnsiString& ident) {
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    return false;
  TIntToIdent intToIdent = FindIntToIdent(typeInfo);
  return intToIdent != nullptr && intToIdent(static_cast<int>(value), ident);
}

bool IdentToInteger(PTypeInfo typeInfo, const AnsiString& ident, std::int64_t& value) {
  TIdentToInt identToInt = FindIdentToInt(typeInfo);
  int found = 0;
  if (identToInt == nullptr || !identToInt(ident, found))
    return false;
  value = found;
  return true;
}

// ---- Values as text ------------------------------------------------------------
namespace {

// The component whose owner resolves names for an instance: the instance
// itself or the component a nested persistent belongs to.
TComponent* ComponentOf(TObject* instance) {
  TObject* o = instance;
  for (int depth = 0; o != nullptr && depth < 64; ++depth) {
    if (auto* c = dynamic_cast<TComponent*>(o))
      return c;
    auto* p = dynamic_cast<TPersistent*>(o);
    o = p != nullptr ? p->GetOwner() : nullptr;
  }
  return nullptr;
}

TComponent* LookupRootOf(TObject* instance) {
  TComponent* c = ComponentOf(instance);
  if (c == nullptr)
    return nullptr;
  return c->Owner() != nullptr ? c->Owner() : c;
}

}  // namespace

AnsiString GetPropValue(TObject* instance, PPropInfo prop) {
  switch (prop->Kind()) {
    case tkInteger: {
      std::int64_t value = GetOrdProp(instance, prop);
      AnsiString ident;
      return IntegerToIdent(prop->PropType, value, ident) ? ident : IntToStr(value);
    }
    case tkInt64:
      return IntToStr(GetOrdProp(instance, prop));
    case tkChar:
      return AnsiString(1, static_cast<char>(GetOrdProp(instance, prop)));
    case tkEnumeration:
      return GetEnumName(prop->PropType, static_cast<int>(GetOrdProp(instance, prop)));
    case tkSet:
      return GetSetProp(instance, prop);
    case tkFloat:
      return FloatToStr(static_cast<double>(GetFloatProp(instance, prop)));
    case tkString:
    case tkLString:
    case tkWString:
      return GetStrProp(instance, prop);
    case tkClass: {
      TObject* value = GetObjectProp(instance, prop);
      if (value == nullptr)
        return {};
      if (auto* c = dynamic_cast<TComponent*>(value))
        return c->Name();
      return "(" + value->ClassName() + ")";
    }
    case tkMethod: {
      TMethod m = GetMethodProp(instance, prop);
      return m.Data != nullptr ? m.Data->MethodName(m.Code) : AnsiString();
    }
    default:
      return "Unknown";
  }
}
AnsiString GetPropValue(TObject* i, const AnsiString& n) { return GetPropValue(i, Require(i, n)); }

void SetPropValue(TObject* instance, PPropInfo prop, const AnsiString& value) {
  switch (prop->Kind()) {
    case tkInteger: {
      std::int64_t number = 0;
      if (!IdentToInteger(prop->PropType, Trim(value), number))
        number = StrToInt64(value);
      // A number the property's type cannot hold would wrap into another value.
      if (number < prop->PropType->MinValue || number > prop->PropType->MaxValue)
        ThrowInvalidPropertyValueText(value);
      SetOrdProp(instance, prop, number);
      return;
    }
    case tkInt64:
      SetOrdProp(instance, prop, StrToInt64(value));
      return;
    case tkChar:
      if (value.size() != 1)
        ThrowInvalidPropertyValueText(value);
      SetOrdProp(instance, prop, static_cast<unsigned char>(value[0]));
      return;
    case tkEnumeration: {
      int v = GetEnumValue(prop->PropType, value);
      if (v < 0)
        ThrowInvalidPropertyValueText(value);
      SetOrdProp(instance, prop, v);
      return;
    }
    case tkSet:
      SetSetProp(instance, prop, value);
      return;
    case tkFloat:
      SetFloatProp(instance, prop, StrToFloat(value));
      return;
    case tkString:
    case tkLString:
    case tkWString:
      SetStrProp(instance, prop, value);
      return;
    case tkClass: {
      TObject* target = nullptr;
      if (!value.empty()) {
        TComponent* root = LookupRootOf(instance);
        target = root != nullptr ? root->FindComponent(value) : nullptr;
        if (target == nullptr)
          ThrowInvalidPropertyValueText(value);
      }
      SetObjectProp(instance, prop, target);
      return;
    }
    case tkMethod: {
      TMethod m;
      if (!value.empty()) {
        TComponent* root = LookupRootOf(instance);
        m.Code = root != nullptr ? root->MethodAddress(value) : nullptr;
        if (m.Code == nullptr)
          ThrowInvalidPropertyValueText(value);
        m.Data = root;
      }
      SetMethodProp(instance, prop, m);
      return;
    }
    default:
      WrongKind();
  }
}
void SetPropValue(TObject* i, const AnsiString& n, const AnsiString& v) { SetPropValue(i, Require(i, n), v); }
