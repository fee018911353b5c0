#include "skin/core/skinprops.h"

#include <algorithm>
#include <vector>

#include "classlib/classes/typinfo.h"

namespace {

PPropInfo FindProp(TObject* Obj, const AnsiString& Name) {
  return Obj == nullptr ? nullptr : GetPropInfo(Obj, Name);
}

bool IsOrdinal(PPropInfo Prop) {
  switch (Prop->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
      return true;
    default:
      return false;
  }
}

// The set property of that name whose element type names ElementName
// (exactly), or nullptr; Element receives the element's value.
PPropInfo FindSetElement(TObject* Obj, const AnsiString& PropName, const AnsiString& ElementName, int& Element) {
  PPropInfo prop = FindProp(Obj, PropName);
  if (prop == nullptr || prop->Kind() != tkSet || prop->PropType->CompType == nullptr)
    return nullptr;
  const std::vector<const char*>& names = prop->PropType->CompType->EnumNames;
  for (size_t i = 0; i < names.size() && i < 32; ++i)
    if (ElementName == names[i]) {
      Element = static_cast<int>(i);
      return prop;
    }
  return nullptr;
}

std::vector<AnsiString> SplitComma(const AnsiString& Text) {
  std::vector<AnsiString> parts;
  size_t start = 0;
  while (start < Text.size()) {
    size_t comma = Text.find(',', start);
    if (comma == AnsiString::npos)
      comma = Text.size();
    if (comma > start)
      parts.push_back(Text.substr(start, comma - start));
    start = comma + 1;
  }
  return parts;
}

}  // namespace

bool HasPublishedProperty(TObject* Obj, const AnsiString& Name) { return FindProp(Obj, Name) != nullptr; }

TObject* GetObjectPropByName(TObject* Obj, const AnsiString& Name) {
  PPropInfo prop = FindProp(Obj, Name);
  return prop != nullptr && prop->Kind() == tkClass ? GetObjectProp(Obj, prop) : nullptr;
}

std::int64_t GetOrdPropByName(TObject* Obj, const AnsiString& Name) {
  PPropInfo prop = FindProp(Obj, Name);
  return prop != nullptr && IsOrdinal(prop) ? GetOrdProp(Obj, prop) : -1;
}

void SetOrdPropByName(TObject* Obj, const AnsiString& Name, std::int64_t Value) {
  PPropInfo prop = FindProp(Obj, Name);
  if (prop != nullptr && IsOrdinal(prop) && prop->SetOrd != nullptr)
    SetOrdProp(Obj, prop, Value);
}

bool SetPropHasElement(TObject* Obj, const AnsiString& PropName, const AnsiString& ElementName) {
  int element = 0;
  PPropInfo prop = FindSetElement(Obj, PropName, ElementName, element);
  return prop != nullptr && (GetOrdProp(Obj, prop) & (std::int64_t{1} << element)) != 0;
}

void ChangeSetPropElement(TObject* Obj, const AnsiString& PropName, const AnsiString& ElementName, bool Include) {
  int element = 0;
  PPropInfo prop = FindSetElement(Obj, PropName, ElementName, element);
  if (prop == nullptr || prop->SetOrd == nullptr)
    return;
  std::vector<AnsiString> elements = SplitComma(GetSetProp(Obj, prop, false));
  auto found = std::find(elements.begin(), elements.end(), ElementName);
  if (Include && found == elements.end())
    elements.push_back(ElementName);
  else if (!Include && found != elements.end())
    elements.erase(found);
  AnsiString text;
  for (const AnsiString& name : elements)
    text += (text.empty() ? "" : ",") + name;
  SetSetProp(Obj, prop, text);
}
