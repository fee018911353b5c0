#include "design/contextprops.h"

#include <algorithm>

#include "classlib/classes/typinfo.h"
#include "classlib/system/strutils.h"
#include "design/propertytext.h"

TContextProps::TContextProps(TStrings* SelfProps, TStrings* OutProps, const std::vector<TComponent*>& Components) {
  ParseSelfProps(SelfProps);
  std::vector<TComponent*> present;  // entries of components that died are no components
  for (TComponent* component : Components)
    if (component != nullptr)
      present.push_back(component);
  std::vector<TClass> noted;
  for (std::size_t i = 0; i < present.size(); ++i) {
    TComponent* component = present[i];
    if (i == 0) {
      noted.push_back(component->ClassType());
      TakeFirst(component);
      continue;
    }
    if (i == 1)
      DropOutProps(OutProps);
    if (std::find(noted.begin(), noted.end(), component->ClassType()) == noted.end()) {
      noted.push_back(component->ClassType());
      DropUnpublished(component);
    }
    Compare(component);
  }
}

void TContextProps::ParseSelfProps(TStrings* SelfProps) {
  for (int i = 0; SelfProps != nullptr && i < SelfProps->Count(); ++i) {
    const AnsiString line = SelfProps->Strings(i);
    const std::size_t bar = line.find('|');
    FSelfNames.push_back(bar == AnsiString::npos ? line : line.substr(0, bar));
    FSelfCaptions.push_back(bar == AnsiString::npos ? line : line.substr(bar + 1));
  }
}

// Walking SelfProps takes the properties in its order at once.
void TContextProps::TakeFirst(TComponent* Component) {
  for (std::size_t i = 0; i < FSelfNames.size(); ++i) {
    const AnsiString& name = FSelfNames[i];
    PPropInfo prop = GetPropInfo(Component, name);
    if (prop == nullptr)
      continue;
    const bool taken = std::any_of(FNames.begin(), FNames.end(), [&](const AnsiString& n) { return SameText(n, name); });
    if (taken)
      continue;
    FNames.push_back(name);
    FCaptions.push_back(FSelfCaptions[i]);
    FValues.push_back(PropertyValueText(Component, prop));
  }
}

void TContextProps::Drop(int Index) {
  FNames.erase(FNames.begin() + Index);
  FCaptions.erase(FCaptions.begin() + Index);
  FValues.erase(FValues.begin() + Index);
}

void TContextProps::DropOutProps(TStrings* OutProps) {
  for (int i = Count() - 1; i >= 0; --i)
    if (OutProps != nullptr && OutProps->IndexOf(FNames[i]) >= 0)
      Drop(i);
}

void TContextProps::DropUnpublished(TComponent* Component) {
  for (int i = Count() - 1; i >= 0; --i)
    if (!IsPublishedProp(Component, FNames[i]))
      Drop(i);
}

void TContextProps::Compare(TComponent* Component) {
  for (int i = 0; i < Count(); ++i) {
    PPropInfo prop = GetPropInfo(Component, FNames[i]);
    if (prop == nullptr)
      continue;
    switch (prop->Kind()) {
      case tkInteger:
      case tkChar:
      case tkEnumeration:
      case tkFloat:
      case tkSet:
        if (PropertyValueText(Component, prop) != FValues[i])
          FValues[i].clear();
        break;
      case tkString:
      case tkLString: break;  // the first component's text stays
      default: FValues[i].clear();
    }
  }
}
