// The properties the context menu offers for the selected components, and
// the value each of them has in common.
//
// SelfProps lines read "name|caption" (a line without "|" is both); OutProps
// names properties left out once two or more components are selected. A
// property is offered when every selected component publishes it; its value
// is the first component's, kept as long as the others agree: numbers,
// characters, enumerations and sets that differ give an empty value, a
// string keeps the first text, and class, event and other kinds are offered
// without a value from the second component on.
#pragma once
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/strings.h"

class TContextProps {
public:
  TContextProps(TStrings* SelfProps, TStrings* OutProps, const std::vector<TComponent*>& Components);

  // The properties offered, in SelfProps order.
  int Count() const { return static_cast<int>(FNames.size()); }
  const AnsiString& Names(int Index) const { return FNames.at(Index); }
  const AnsiString& Captions(int Index) const { return FCaptions.at(Index); }
  const AnsiString& Values(int Index) const { return FValues.at(Index); }

private:
  void ParseSelfProps(TStrings* SelfProps);
  void TakeFirst(TComponent* Component);
  void DropOutProps(TStrings* OutProps);
  void DropUnpublished(TComponent* Component);
  void Compare(TComponent* Component);
  void Drop(int Index);

  std::vector<AnsiString> FSelfNames;
  std::vector<AnsiString> FSelfCaptions;
  std::vector<AnsiString> FNames;
  std::vector<AnsiString> FCaptions;
  std::vector<AnsiString> FValues;
};
