#include "textreport/core/zreval.h"

#include "classlib/system/strutils.h"

IMPLEMENT_CLASS(TZRArgument)
IMPLEMENT_CLASS(TZRValueArgument)
IMPLEMENT_CLASS(TZRElementLibrary)
IMPLEMENT_CLASS(TZRVariableLibrary)
IMPLEMENT_CLASS(TZRElementCollection)

int ArgumentCount(const TZRArguments* Arguments) { return Arguments != nullptr ? Arguments->Count() : 0; }

Variant ArgumentValue(const TZRArguments* Arguments, int Index) {
  return static_cast<TZRArgument*>(Arguments->Items(Index))->GetValue();
}

// ---- TZRElementLibrary ---------------------------------------------------------

bool TZRElementLibrary::CheckArguments(int Index, const TZRArguments* Arguments) { return true; }

AnsiString TZRElementLibrary::ElementName(int Index) {
  AnsiString name;
  ElementName(Index, name);
  return name;
}

int TZRElementLibrary::IndexOfElement(const AnsiString& Name) {
  const AnsiString wanted = AnsiUpperCase(Name);
  const int count = ElementCount();
  for (int i = 0; i < count; ++i)
    if (AnsiUpperCase(ElementName(i)) == wanted)
      return i;
  return -1;
}

bool TZRVariableLibrary::CheckArguments(int Index, const TZRArguments* Arguments) {
  return ArgumentCount(Arguments) == 0;
}

// ---- TZRElementCollection --------------------------------------------------------

TZRElementCollection::~TZRElementCollection() {
  for (int i = Count() - 1; i >= 0; --i) {
    TObject* library = Objects(i);
    SetObjects(i, nullptr);
    delete library;
  }
}

TZRElementLibrary* TZRElementCollection::AddLibrary(TZRElementLibraryFactory Factory, const AnsiString& Name,
                                                    const AnsiString& Tag, const AnsiString& Description) {
  TZRElementLibrary* library = Factory(this);
  library->LibraryName = Name;
  library->Tag = Tag;
  library->Description = Description;
  try {
    AddObject(Name, library);
  } catch (...) {
    delete library;
    throw;
  }
  return library;
}

TZRElementLibrary* TZRElementCollection::Libraries(int Index) const {
  return static_cast<TZRElementLibrary*>(Objects(Index));
}

bool TZRElementCollection::FindElement(const AnsiString& Name, TZRElementLibrary*& Library, int& Index) {
  for (int i = 0; i < Count(); ++i) {
    TZRElementLibrary* library = Libraries(i);
    const int found = library != nullptr ? library->IndexOfElement(Name) : -1;
    if (found >= 0) {
      Library = library;
      Index = found;
      return true;
    }
  }
  Library = nullptr;
  Index = -1;
  return false;
}

bool TZRElementCollection::FindElementEverywhere(const AnsiString& Name, TZRElementLibrary*& Library, int& Index) {
  if (FindElement(Name, Library, Index))
    return true;
  return this != &ElementLibraries() && ElementLibraries().FindElement(Name, Library, Index);
}
