#include "design/propertytext.h"

#include "classlib/forms/forms.h"
#include "classlib/system/numconv.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/strutils.h"

namespace {

// Sets show their elements 0 to 15.
constexpr int ShownSetElements = 16;

AnsiString SetValueText(TObject* Instance, PPropInfo PropInfo) {
  const auto bits = static_cast<std::uint32_t>(GetOrdProp(Instance, PropInfo));
  PTypeInfo element = PropInfo->PropType->CompType;
  AnsiString text = "[";
  bool first = true;
  for (int i = 0; i < ShownSetElements; ++i) {
    if ((bits & (std::uint32_t{1} << i)) == 0)
      continue;
    if (!first)
      text += ",";
    text += element != nullptr ? GetEnumName(element, i) : IntToStr(i);
    first = false;
  }
  return text + "]";
}

AnsiString ClassValueText(TObject* Instance, PPropInfo PropInfo) {
  TClass declared = PropInfo->PropType->ClassType;
  if (declared != nullptr && declared->InheritsFrom(TComponent::StaticClass())) {
    auto* component = dynamic_cast<TComponent*>(GetObjectProp(Instance, PropInfo));
    return component != nullptr ? component->Name() : AnsiString();
  }
  return "(" + AnsiString(declared != nullptr ? declared->Name : "TObject") + ")";
}

AnsiString MethodValueText(TObject* Instance, PPropInfo PropInfo) {
  const TMethod method = GetMethodProp(Instance, PropInfo);
  if (!method.Assigned())
    return AnsiString();
  TObject* lookup = dynamic_cast<TCustomForm*>(Instance) != nullptr ? Instance : nullptr;
  if (lookup == nullptr)
    if (auto* component = dynamic_cast<TComponent*>(Instance))
      lookup = component->Owner();
  return lookup != nullptr ? lookup->MethodName(method.Code) : AnsiString();
}

bool IsStringPropertyKind(TTypeKind Kind) { return Kind == tkString || Kind == tkLString || Kind == tkWString; }

// Writes one converted value; false when Value does not convert.
bool WritePropertyText(TComponent* Component, PPropInfo Prop, const AnsiString& Value) {
  const TTypeKind kind = Prop->Kind();
  if (Value.empty()) {
    if (IsStringPropertyKind(kind))
      SetStrProp(Component, Prop, "");
    return true;
  }
  switch (kind) {
    case tkInteger: {
      int number = 0;
      if (!TryStrToInt(Value, number))
        return false;
      SetOrdProp(Component, Prop, number);
      return true;
    }
    case tkChar: SetOrdProp(Component, Prop, static_cast<unsigned char>(Value[0])); return true;
    case tkEnumeration: {
      const int value = GetEnumValue(Prop->PropType, Value);
      if (value < 0)
        return false;
      SetOrdProp(Component, Prop, value);
      return true;
    }
    case tkFloat: {
      double number = 0;
      if (!TryStrToFloat(Value, number))
        return false;
      SetFloatProp(Component, Prop, number);
      return true;
    }
    case tkString:
    case tkLString:
    case tkWString: SetStrProp(Component, Prop, Value); return true;
    default: return true;  // other kinds are left alone
  }
}

}  // namespace

AnsiString PropertyValueText(TObject* Instance, PPropInfo PropInfo) {
  if (Instance == nullptr || PropInfo == nullptr)
    return AnsiString();
  switch (PropInfo->Kind()) {
    case tkInteger: return IntToStr(static_cast<int>(GetOrdProp(Instance, PropInfo)));
    case tkChar: return AnsiString(1, static_cast<char>(GetOrdProp(Instance, PropInfo)));
    case tkEnumeration: return GetEnumName(PropInfo->PropType, static_cast<int>(GetOrdProp(Instance, PropInfo)));
    case tkSet: return SetValueText(Instance, PropInfo);
    case tkFloat: return FloatToStr(static_cast<double>(GetFloatProp(Instance, PropInfo)));
    case tkString:
    case tkLString: return GetStrProp(Instance, PropInfo);
    case tkClass: return ClassValueText(Instance, PropInfo);
    case tkMethod: return MethodValueText(Instance, PropInfo);
    default: return "Unknown";
  }
}

void SetPropertyText(const std::vector<TComponent*>& Components, const AnsiString& PropName, const AnsiString& Value) {
  if (PropName.empty())
    return;
  for (TComponent* component : Components) {
    PPropInfo prop = component != nullptr ? GetPropInfo(component, PropName) : nullptr;
    bool written = false;
    try {
      written = prop != nullptr && WritePropertyText(component, prop, Value);
    } catch (const Exception&) {
      written = false;  // a setter that refuses the value
    }
    if (!written)
      throw Exception(Value + " is illegal (" + PropName + ")");
  }
}

// ---- TObjInfo -----------------------------------------------------------------------
TObjInfo::TObjInfo(TComponent* Component)
    : FComponent(Component),
      FClassName(Component != nullptr ? Component->ClassName() : AnsiString()),
      FProps(Component != nullptr ? GetPropList(Component) : std::vector<PPropInfo>{}) {}

TObjProp TObjInfo::PropAt(int Index) const {
  if (Index < 0 || Index >= Count() || FProps[Index] == nullptr)
    throw Exception("Invalid Index");
  PPropInfo prop = FProps[Index];
  return TObjProp{prop->Name, PropertyValueText(FComponent, prop), prop->Kind()};
}

int TObjInfo::IndexOfProp(const AnsiString& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(FProps[i]->Name, Name))
      return i;
  return -1;
}
