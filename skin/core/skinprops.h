// Published properties by name: the skin library reaches properties of
// controls it does not know (a colour, a border style, a set of options)
// through the class registry. A missing property is not an error: the
// queries answer "none" and the setters do nothing. Portable: no Win32.
#pragma once
#include <cstdint>

#include "classlib/system/ansistring.h"

class TObject;

// True when the object's class (or a parent) publishes Name.
bool HasPublishedProperty(TObject* Obj, const AnsiString& Name);
// The object held by a class-typed property; nullptr when missing or not
// class-typed.
TObject* GetObjectPropByName(TObject* Obj, const AnsiString& Name);
// The ordinal value (integers, characters, enumerations, sets); -1 when the
// property is missing or not ordinal.
std::int64_t GetOrdPropByName(TObject* Obj, const AnsiString& Name);
// Sets an ordinal property; nothing when it is missing, not ordinal or read
// only.
void SetOrdPropByName(TObject* Obj, const AnsiString& Name, std::int64_t Value);
// True when the set-typed property holds the element named exactly
// ElementName.
bool SetPropHasElement(TObject* Obj, const AnsiString& PropName, const AnsiString& ElementName);
// Adds (Include) or removes the element through the set's comma-separated
// text. Elements compare as whole names, so removing "ab" leaves "abc".
// Nothing when the property is missing, not a set, or has no such element.
void ChangeSetPropElement(TObject* Obj, const AnsiString& PropName, const AnsiString& ElementName, bool Include);
