// Published properties: the one registry that streaming, the property
// inspector and "has a published property X" checks read.
//
// Each class's table (BEGIN_PUBLISHED ... END_PUBLISHED, see object.h) lists
// its properties in declaration order:
//
//   PROPERTY(Name, Getter, Setter)      getter: member function or field;
//                                        setter: member function or field
//   PROPERTY_RO(Name, Getter)           read only (not streamed, except the
//                                        properties of an object it holds)
//   .Default(value)                     ordinal default: that value is not written
//   .Stored(false) / .Stored<&Self::IsXStored>()
//   .TypeName("TColor")                 the platform's name of an integer type
//                                        (see "Integer types with named values")
//   METHOD(Name)                        a published method (event handlers by name)
//   FIELD_CLASS(TSomeClass)             a class the reader may create for this root
//
// The kind and type of a property follow from the getter's C++ type: int and
// the other integers (tkInteger), std::int64_t (tkInt64), bool and enums
// declared with DOZURI_ENUM (tkEnumeration), char (tkChar), float/double/long
// double, Currency (tkFloat: Single, Double, Extended, Currency; .DateTime()
// marks a double as TDateTime), AnsiString (tkLString), std::u16string (tkWString),
// TSet<E> (tkSet), pointers to TObject descendants (tkClass) and events
// declared with DOZURI_EVENT (tkMethod). Ordinal properties without a
// Default are always written; strings are written when not empty, floats
// when not zero, events when assigned.
//
// Integer types with named values. Several of the platform's integer types
// are plain integers in C++ (TColor, TFontCharset, TCursor) yet streamed by
// name when the value has one ("clRed", "DEFAULT_CHARSET", "crHandPoint").
// Such a property states its type's name in the table, keeping its C++ type
// and range:
//
//   PROPERTY(Color, Color, SetColor).TypeName("TColor").Default(clWhite),
//
// and the unit that names the values registers them once per type name:
//
//   RegisterIntegerConsts("TColor", IdentToColor, ColorToIdent);
//
// The writer then writes such a value as an identifier when IntToIdent
// names it, else as a number; the reader takes both (an identifier the type
// does not know is a bad value); GetPropValue/SetPropValue use the names too.
// Without a registration the property behaves as any integer.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "classlib/classes/events.h"
#include "classlib/classes/object.h"
#include "classlib/system/ansistring.h"
#include "classlib/system/currency.h"

enum TTypeKind {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
  tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  TOrdType OrdType = otSLong;
  std::int64_t MinValue = 0;
  std::int64_t MaxValue = 0;
  TFloatType FloatType = ftExtended;
  std::vector<const char*> EnumNames;  // enumerations: the name of each value
  const TTypeInfo* CompType = nullptr; // sets: the element type
  TClass ClassType = nullptr;          // classes: the declared class
};
using PTypeInfo = const TTypeInfo*;

// A set of up to 32 enumeration values, stored as bits (value n = bit n).
template <class E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values)
      Include(v);
  }
  static constexpr TSet FromBits(std::uint32_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr bool Contains(E v) const { return InRange(v) && (bits_ & Bit(v)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E v) {
    if (InRange(v))
      bits_ |= Bit(v);
    return *this;
  }
  constexpr TSet& Exclude(E v) {
    if (InRange(v))
      bits_ &= ~Bit(v);
    return *this;
  }
  constexpr TSet& operator<<(E v) { return Include(v); }
  constexpr TSet& operator>>(E v) { return Exclude(v); }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr bool operator==(const TSet&) const = default;

private:
  static constexpr bool InRange(E v) { return static_cast<int>(v) >= 0 && static_cast<int>(v) < 32; }
  static constexpr std::uint32_t Bit(E v) { return std::uint32_t{1} << static_cast<int>(v); }
  std::uint32_t bits_ = 0;
};

// ---- Type information of C++ types ----------------------------------------
namespace dozuri {

// Specialised by DOZURI_ENUM for every enumeration a property uses.
template <class E>
struct EnumTraits;
// Specialised by DOZURI_SET to give a set type its own name.
template <class E>
struct SetName {
  static constexpr const char* Value = nullptr;
};

// The class of a member function or field pointer.
template <class M>
struct AccessorTraits;
template <class C, class V>
struct AccessorTraits<V C::*> {
  using Class = C;
};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class T>
concept EventType = requires { typename T::Signature; T::TypeName; } && requires(const T& e) { e.GetMethod(); };

template <class T>
concept ObjectPointer = std::is_pointer_v<T> && std::is_base_of_v<TObject, std::remove_pointer_t<T>>;

PTypeInfo MakeOrdinalTypeInfo(TTypeKind kind, const char* name, TOrdType ordType, std::int64_t min,
                              std::int64_t max);
PTypeInfo MakeEnumTypeInfo(const char* name, std::initializer_list<const char*> names);
PTypeInfo MakeSetTypeInfo(const char* name, PTypeInfo element);
PTypeInfo MakeFloatTypeInfo(const char* name, TFloatType floatType);
PTypeInfo MakeSimpleTypeInfo(TTypeKind kind, const char* name);
PTypeInfo MakeClassTypeInfo(TClass aClass);

template <class E>
PTypeInfo SetTypeInfoOf(TSet<E>*);

template <class T>
PTypeInfo TypeInfoOf() {
  using V = std::remove_cv_t<T>;
  if constexpr (std::is_same_v<V, bool>) {
    static PTypeInfo info = MakeEnumTypeInfo("Boolean", {"False", "True"});
    return info;
  } else if constexpr (std::is_same_v<V, char>) {
    static PTypeInfo info = MakeOrdinalTypeInfo(tkChar, "Char", otUByte, 0, 255);
    return info;
  } else if constexpr (std::is_same_v<V, char16_t> || std::is_same_v<V, wchar_t>) {
    static PTypeInfo info = MakeOrdinalTypeInfo(tkWChar, "WideChar", otUWord, 0, 65535);
    return info;
  } else if constexpr (std::is_same_v<V, std::int64_t> || std::is_same_v<V, std::uint64_t> ||
                       (std::is_integral_v<V> && sizeof(V) == 8)) {
    static PTypeInfo info = MakeOrdinalTypeInfo(tkInt64, "Int64", otSLong, INT64_MIN, INT64_MAX);
    return info;
  } else if constexpr (std::is_integral_v<V>) {
    constexpr bool s = std::is_signed_v<V>;
    constexpr TOrdType ot = sizeof(V) == 1 ? (s ? otSByte : otUByte)
                            : sizeof(V) == 2 ? (s ? otSWord : otUWord)
                                             : (s ? otSLong : otULong);
    constexpr const char* name = sizeof(V) == 1 ? (s ? "ShortInt" : "Byte")
                                 : sizeof(V) == 2 ? (s ? "SmallInt" : "Word")
                                                  : (s ? "Integer" : "Cardinal");
    static PTypeInfo info = MakeOrdinalTypeInfo(tkInteger, name, ot, std::numeric_limits<V>::min(),
                                                std::numeric_limits<V>::max());
    return info;
  } else if constexpr (std::is_enum_v<V>) {
    return EnumTraits<V>::TypeInfo();
  } else if constexpr (IsSet<V>::value) {
    return SetTypeInfoOf(static_cast<V*>(nullptr));
  } else if constexpr (std::is_floating_point_v<V>) {
    static PTypeInfo info = MakeFloatTypeInfo(
        std::is_same_v<V, float> ? "Single" : std::is_same_v<V, double> ? "Double" : "Extended",
        std::is_same_v<V, float> ? ftSingle : std::is_same_v<V, double> ? ftDouble : ftExtended);
    return info;
  } else if constexpr (std::is_same_v<V, Currency>) {
    static PTypeInfo info = MakeFloatTypeInfo("Currency", ftCurr);
    return info;
  } else if constexpr (std::is_same_v<V, AnsiString>) {
    static PTypeInfo info = MakeSimpleTypeInfo(tkLString, "String");
    return info;
  } else if constexpr (std::is_same_v<V, std::u16string>) {
    static PTypeInfo info = MakeSimpleTypeInfo(tkWString, "WideString");
    return info;
  } else if constexpr (ObjectPointer<V>) {
    static PTypeInfo info = MakeClassTypeInfo(std::remove_pointer_t<V>::StaticClass());
    return info;
  } else if constexpr (EventType<V>) {
    static PTypeInfo info = MakeSimpleTypeInfo(tkMethod, V::TypeName);
    return info;
  } else {
    static_assert(sizeof(V) == 0, "this type cannot be a published property");
  }
}

template <class E>
PTypeInfo SetTypeInfoOf(TSet<E>*) {
  static PTypeInfo info = MakeSetTypeInfo(SetName<E>::Value, TypeInfoOf<E>());
  return info;
}

}  // namespace dozuri

// Names the values of an enumeration, in order from 0:
//   enum TAlignment { taLeftJustify, taRightJustify, taCenter };
//   DOZURI_ENUM(TAlignment, "taLeftJustify", "taRightJustify", "taCenter");
#define DOZURI_ENUM(E, ...)                                                          \
  template <>                                                                        \
  struct dozuri::EnumTraits<E> {                                                     \
    static PTypeInfo TypeInfo() {                                                    \
      static PTypeInfo info = ::dozuri::MakeEnumTypeInfo(#E, {__VA_ARGS__});         \
      return info;                                                                   \
    }                                                                                \
  }
// Declares a set type with its own name: DOZURI_SET(TFontStyles, TFontStyle);
#define DOZURI_SET(Name, E)                     \
  using Name = TSet<E>;                         \
  template <>                                   \
  struct dozuri::SetName<E> {                   \
    static constexpr const char* Value = #Name; \
  }

// ---- Property records -------------------------------------------------------
struct TPropInfo {
  const char* Name = nullptr;
  PTypeInfo PropType = nullptr;
  // Accessors of the property's kind; the others stay nullptr. A property
  // without a setter is read only.
  std::int64_t (*GetOrd)(TObject*) = nullptr;
  void (*SetOrd)(TObject*, std::int64_t) = nullptr;
  long double (*GetFloat)(TObject*) = nullptr;
  void (*SetFloat)(TObject*, long double) = nullptr;
  AnsiString (*GetStr)(TObject*) = nullptr;
  void (*SetStr)(TObject*, const AnsiString&) = nullptr;
  TObject* (*GetObject)(TObject*) = nullptr;
  void (*SetObject)(TObject*, TObject*) = nullptr;
  TMethod (*GetMethod)(TObject*) = nullptr;
  void (*SetMethod)(TObject*, const TMethod&) = nullptr;
  std::int64_t DefaultValue = 0;
  bool HasDefault = false;
  bool StoredConst = true;
  bool (*StoredFn)(TObject*) = nullptr;

  TTypeKind Kind() const { return PropType->Kind; }
  bool Writable() const;
  // The stored predicate (True unless declared otherwise).
  bool IsStored(TObject* instance) const;
};
using PPropInfo = const TPropInfo*;

struct TMethodEntry {
  const char* Name = nullptr;
  const TMethodCode* Code = nullptr;
};

// One entry of a class's published table.
struct TPublished {
  enum TEntryKind { Property, PublishedMethod, FieldClass };
  TEntryKind EntryKind = Property;
  TPropInfo Prop;
  TMethodEntry Method;
  TClass Field = nullptr;

  TPublished& Default(std::int64_t value) {
    Prop.DefaultValue = value;
    Prop.HasDefault = true;
    return *this;
  }
  template <class E>
  TPublished& Default(TSet<E> value) {
    return Default(static_cast<std::int64_t>(value.Bits()));
  }
  TPublished& Stored(bool stored) {
    Prop.StoredConst = stored;
    return *this;
  }
  // A float property that holds a TDateTime (streamed as a date).
  TPublished& DateTime();
  // Gives the property's type the platform's name (e.g. "TColor" for an
  // int32_t), keeping its kind and range; integer types so named find their
  // identifiers through RegisterIntegerConsts.
  TPublished& TypeName(const char* name);
  template <auto Predicate>
  TPublished& Stored() {
    using C = typename dozuri::AccessorTraits<decltype(Predicate)>::Class;
    Prop.StoredFn = [](TObject* o) -> bool { return (static_cast<C*>(o)->*Predicate)(); };
    return *this;
  }
};

namespace dozuri {

template <auto G>
decltype(auto) ReadAccessor(TObject* o) {
  using C = typename AccessorTraits<decltype(G)>::Class;
  return std::invoke(G, static_cast<C*>(o));
}
template <auto S, class V>
void WriteAccessor(TObject* o, V&& value) {
  using C = typename AccessorTraits<decltype(S)>::Class;
  if constexpr (std::is_member_function_pointer_v<decltype(S)>)
    (static_cast<C*>(o)->*S)(std::forward<V>(value));
  else
    static_cast<C*>(o)->*S = std::forward<V>(value);
}
template <auto G>
using AccessorValue =
    std::remove_cvref_t<decltype(std::invoke(G, std::declval<typename AccessorTraits<decltype(G)>::Class*>()))>;

template <class V>
constexpr bool IsOrdinal = std::is_integral_v<V> || std::is_enum_v<V> || IsSet<V>::value;

template <class V>
std::int64_t ToOrdinal(const V& v) {
  if constexpr (IsSet<V>::value)
    return v.Bits();
  else
    return static_cast<std::int64_t>(v);
}
template <class V>
V FromOrdinal(std::int64_t v) {
  if constexpr (IsSet<V>::value)
    return V::FromBits(static_cast<std::uint32_t>(v));
  else if constexpr (std::is_same_v<V, bool>)
    return v != 0;
  else
    return static_cast<V>(v);
}

[[noreturn]] void ThrowInvalidPropertyValue();
AnsiString WideToAnsi(const std::u16string& text);
std::u16string AnsiToWide(const AnsiString& text);

// The entry of a published property with getter G and setter S (nullptr: read only).
template <auto G, auto S>
TPublished PropertyEntry(const char* name) {
  using V = AccessorValue<G>;
  constexpr bool writable = !std::is_same_v<decltype(S), std::nullptr_t>;
  TPublished e;
  e.Prop.Name = name;
  e.Prop.PropType = TypeInfoOf<V>();
  TPropInfo& p = e.Prop;
  if constexpr (IsOrdinal<V>) {
    p.GetOrd = [](TObject* o) -> std::int64_t { return ToOrdinal<V>(ReadAccessor<G>(o)); };
    if constexpr (writable)
      p.SetOrd = [](TObject* o, std::int64_t v) { WriteAccessor<S>(o, FromOrdinal<V>(v)); };
  } else if constexpr (std::is_floating_point_v<V>) {
    p.GetFloat = [](TObject* o) -> long double { return static_cast<long double>(ReadAccessor<G>(o)); };
    if constexpr (writable)
      p.SetFloat = [](TObject* o, long double v) { WriteAccessor<S>(o, static_cast<V>(v)); };
  } else if constexpr (std::is_same_v<V, Currency>) {
    p.GetFloat = [](TObject* o) -> long double {
      return static_cast<long double>(Currency(ReadAccessor<G>(o)).Scaled()) / Currency::Scale;
    };
    if constexpr (writable)
      p.SetFloat = [](TObject* o, long double v) {
        WriteAccessor<S>(o, Currency::FromFloat(v));
      };
  } else if constexpr (std::is_same_v<V, AnsiString>) {
    p.GetStr = [](TObject* o) -> AnsiString { return ReadAccessor<G>(o); };
    if constexpr (writable)
      p.SetStr = [](TObject* o, const AnsiString& v) { WriteAccessor<S>(o, v); };
  } else if constexpr (std::is_same_v<V, std::u16string>) {
    p.GetStr = [](TObject* o) -> AnsiString { return WideToAnsi(ReadAccessor<G>(o)); };
    if constexpr (writable)
      p.SetStr = [](TObject* o, const AnsiString& v) { WriteAccessor<S>(o, AnsiToWide(v)); };
  } else if constexpr (ObjectPointer<V>) {
    p.GetObject = [](TObject* o) -> TObject* { return ReadAccessor<G>(o); };
    if constexpr (writable)
      p.SetObject = [](TObject* o, TObject* v) {
        V typed = dynamic_cast<V>(v);
        if (v != nullptr && typed == nullptr)
          ThrowInvalidPropertyValue();
        WriteAccessor<S>(o, typed);
      };
  } else if constexpr (EventType<V>) {
    p.GetMethod = [](TObject* o) -> TMethod { return ReadAccessor<G>(o).GetMethod(); };
    if constexpr (writable)
      p.SetMethod = [](TObject* o, const TMethod& m) {
        V event;
        event.SetMethod(m);
        WriteAccessor<S>(o, event);
      };
  }
  return e;
}

template <auto Fn>
TPublished MethodEntry(const char* name) {
  TPublished e;
  e.EntryKind = TPublished::PublishedMethod;
  e.Method = TMethodEntry{name, MethodCode<Fn>()};
  return e;
}

TPublished FieldClassEntry(TClass aClass);

}  // namespace dozuri

#define PROPERTY(Name, Getter, Setter) ::dozuri::PropertyEntry<&Self::Getter, &Self::Setter>(#Name)
#define PROPERTY_RO(Name, Getter) ::dozuri::PropertyEntry<&Self::Getter, nullptr>(#Name)
#define METHOD(Name) ::dozuri::MethodEntry<&Self::Name>(#Name)
#define FIELD_CLASS(C) ::dozuri::FieldClassEntry(C::StaticClass())

// ---- Look-up ------------------------------------------------------------------
// Property of that name (case-insensitive) in the class or a parent, or nullptr.
PPropInfo GetPropInfo(TClass aClass, const AnsiString& propName);
PPropInfo GetPropInfo(const TObject* instance, const AnsiString& propName);
// Every published property, parents' first, each class's in declaration order.
std::vector<PPropInfo> GetPropList(TClass aClass);
std::vector<PPropInfo> GetPropList(const TObject* instance);
bool IsPublishedProp(const TObject* instance, const AnsiString& propName);
bool IsPublishedProp(TClass aClass, const AnsiString& propName);
// Kind of a published property; raises EPropertyError "Property %s does not exist".
TTypeKind PropType(const TObject* instance, const AnsiString& propName);
TTypeKind PropType(TClass aClass, const AnsiString& propName);
// Classes a root publishes as fields, its own and its parents'.
std::vector<TClass> GetFieldClasses(TClass aClass);

// ---- Values by kind -----------------------------------------------------------
// By record, or by name (raising EPropertyError for an unknown name). Setting
// a read-only property raises EPropertyError "Property %s is read-only".
std::int64_t GetOrdProp(TObject* instance, PPropInfo prop);
std::int64_t GetOrdProp(TObject* instance, const AnsiString& propName);
void SetOrdProp(TObject* instance, PPropInfo prop, std::int64_t value);
void SetOrdProp(TObject* instance, const AnsiString& propName, std::int64_t value);
long double GetFloatProp(TObject* instance, PPropInfo prop);
long double GetFloatProp(TObject* instance, const AnsiString& propName);
void SetFloatProp(TObject* instance, PPropInfo prop, long double value);
void SetFloatProp(TObject* instance, const AnsiString& propName, long double value);
AnsiString GetStrProp(TObject* instance, PPropInfo prop);
AnsiString GetStrProp(TObject* instance, const AnsiString& propName);
void SetStrProp(TObject* instance, PPropInfo prop, const AnsiString& value);
void SetStrProp(TObject* instance, const AnsiString& propName, const AnsiString& value);
std::int64_t GetInt64Prop(TObject* instance, PPropInfo prop);
std::int64_t GetInt64Prop(TObject* instance, const AnsiString& propName);
void SetInt64Prop(TObject* instance, PPropInfo prop, std::int64_t value);
void SetInt64Prop(TObject* instance, const AnsiString& propName, std::int64_t value);
TObject* GetObjectProp(TObject* instance, PPropInfo prop);
TObject* GetObjectProp(TObject* instance, const AnsiString& propName);
// Raises EPropertyError "Invalid property value" when value is not of the property's class.
void SetObjectProp(TObject* instance, PPropInfo prop, TObject* value);
void SetObjectProp(TObject* instance, const AnsiString& propName, TObject* value);
TMethod GetMethodProp(TObject* instance, PPropInfo prop);
TMethod GetMethodProp(TObject* instance, const AnsiString& propName);
// Raises EInvalidCast when the method's signature is not the event's.
void SetMethodProp(TObject* instance, PPropInfo prop, const TMethod& value);
void SetMethodProp(TObject* instance, const AnsiString& propName, const TMethod& value);

// ---- Enumerations and sets -------------------------------------------------
// The name of a value ("" when out of range); for integer types the number.
AnsiString GetEnumName(PTypeInfo typeInfo, int value);
// The value of a name (case-insensitive), or -1.
int GetEnumValue(PTypeInfo typeInfo, const AnsiString& name);
// Set as text: "[a,b]" (brackets optional).
AnsiString SetToString(PTypeInfo setType, std::uint32_t bits, bool brackets = true);
// Raises EPropertyError "Invalid property element: %s" for an unknown name.
std::uint32_t StringToSet(PTypeInfo setType, const AnsiString& text);
AnsiString GetSetProp(TObject* instance, PPropInfo prop, bool brackets = true);
AnsiString GetSetProp(TObject* instance, const AnsiString& propName, bool brackets = true);
void SetSetProp(TObject* instance, PPropInfo prop, const AnsiString& value);
void SetSetProp(TObject* instance, const AnsiString& propName, const AnsiString& value);
AnsiString GetEnumProp(TObject* instance, const AnsiString& propName);
void SetEnumProp(TObject* instance, const AnsiString& propName, const AnsiString& value);

// ---- Integer identifiers -------------------------------------------------------
// The name of a value, or false when it has none.
using TIntToIdent = bool (*)(int Int, AnsiString& Ident);
// The value of a name, or false when the name is unknown.
using TIdentToInt = bool (*)(const AnsiString& Ident, int& Int);

// Registers the names of the values of an integer type, by the type's name
// (case-insensitive, as TTypeInfo::Name or a property's .TypeName gives it).
// A later registration for the same type replaces the earlier one.
void RegisterIntegerConsts(const AnsiString& typeName, TIdentToInt identToInt, TIntToIdent intToIdent);
// What is registered for an integer type, or nullptr: by name, or by type
// record (nullptr for a type that is not of kind tkInteger).
TIntToIdent FindIntToIdent(const AnsiString& typeName);
TIntToIdent FindIntToIdent(PTypeInfo typeInfo);
TIdentToInt FindIdentToInt(const AnsiString& typeName);
TIdentToInt FindIdentToInt(PTypeInfo typeInfo);
// The registered name of value for an integer type; false when the type has
// no names or the value has none (values beyond 32 bits have none).
bool IntegerToIdent(PTypeInfo typeInfo, std::int64_t value, AnsiString& ident);
// The value of a registered name; false when the type has no names or the
// name is not one of them.
bool IdentToInteger(PTypeInfo typeInfo, const AnsiString& ident, std::int64_t& value);

// ---- Values as text ------------------------------------------------------------
// Integers in decimal, or by the name their type registered for the value;
// chars as themselves, enumerations and sets by name, floats in the general
// format with the locale's decimal separator, strings as they are, component
// references by the component's Name ("" for nil), other objects as
// "(TClass)", events by their method's published name.
AnsiString GetPropValue(TObject* instance, PPropInfo prop);
AnsiString GetPropValue(TObject* instance, const AnsiString& propName);
// The reverse (an integer by its registered name, or in decimal or "$"
// hex); component references are found by name in the owner of the
// instance (or of the component the instance belongs to), events in that
// owner's published methods. Raises EConvertError or EPropertyError on a
// text that is not a value of the property.
void SetPropValue(TObject* instance, PPropInfo prop, const AnsiString& value);
void SetPropValue(TObject* instance, const AnsiString& propName, const AnsiString& value);
