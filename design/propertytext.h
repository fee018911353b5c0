// Published properties as text, for the context menu of the design surface
// and an inspector: a property's value as the user reads it, and a text
// written back into the same property of several components.
#pragma once
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/typinfo.h"

// A property's value as text, by kind: integers in decimal, characters as
// themselves, enumerations by name, sets as "[a,b]" of their elements 0 to
// 15, floats in the general format, strings as they are; a component
// reference by the component's name ("" for none), another object as
// "(TClass)"; an event by its handler's method name, looked up in the
// instance when it is a form, else in its owner ("" when unassigned);
// anything else (wide strings, 64-bit integers, variants ...) "Unknown".
AnsiString PropertyValueText(TObject* Instance, PPropInfo PropInfo);

// Writes Value into the published property PropName of each component in
// turn: integers, characters, enumerations and floats converted from the
// text, strings as they are; other kinds are left alone. An empty Value
// sets only strings (to empty). Nothing for an empty PropName. A component
// without the property, or a Value that does not convert, raises Exception
// "<Value> is illegal (<PropName>)"; components handled before keep their
// new value.
void SetPropertyText(const std::vector<TComponent*>& Components, const AnsiString& PropName, const AnsiString& Value);

// One property of a component as TObjInfo gives it.
struct TObjProp {
  AnsiString Name;
  AnsiString Value;
  TTypeKind Kind = tkUnknown;
};

// The published properties of one component (its class's whole set, the
// parents' first).
class TObjInfo {
public:
  explicit TObjInfo(TComponent* Component);

  TComponent* Component() const { return FComponent; }
  const AnsiString& ClassName() const { return FClassName; }
  int Count() const { return static_cast<int>(FProps.size()); }
  // Raises Exception "Invalid Index" outside 0 .. Count - 1.
  TObjProp PropAt(int Index) const;
  // The index of a property by name (letter case ignored), or -1.
  int IndexOfProp(const AnsiString& Name) const;

private:
  TComponent* FComponent;
  AnsiString FClassName;
  std::vector<PPropInfo> FProps;
};
