// Element libraries: named functions and constants the text engine can
// compute, found by name through element collections.
//
// A library knows a fixed list of element names, tells whether a list of
// arguments suits an element and computes its value. The process-wide
// collection ElementLibraries() holds the built-in libraries (zrlibraries.h);
// each controller of a report has a collection of its own whose look-up
// falls back on it.
#pragma once
#include "classlib/classes/lists.h"
#include "classlib/classes/strings.h"
#include "classlib/system/variant.h"

class TZRElementCollection;

// One argument of an element: its value is computed when asked for.
class TZRArgument : public TObject {
  DECLARE_CLASS(TZRArgument, TObject)

public:
  virtual Variant GetValue() = 0;
};

// An argument holding a value.
class TZRValueArgument : public TZRArgument {
  DECLARE_CLASS(TZRValueArgument, TZRArgument)

public:
  explicit TZRValueArgument(Variant Value) : FValue(std::move(Value)) {}
  Variant GetValue() override { return FValue; }

private:
  Variant FValue;
};

// The argument list of a call: TZRArgument objects; nullptr is no arguments.
using TZRArguments = TList;

int ArgumentCount(const TZRArguments* Arguments);
// The value of argument Index (from 0).
Variant ArgumentValue(const TZRArguments* Arguments, int Index);

class TZRElementLibrary : public TObject {
  DECLARE_CLASS(TZRElementLibrary, TObject)

public:
  explicit TZRElementLibrary(TZRElementCollection* Collection) : FCollection(Collection) {}

  virtual int ElementCount() = 0;
  virtual void ElementName(int Index, AnsiString& Name) = 0;
  // Whether the arguments suit element Index (every list, unless a library
  // says otherwise). Calculate relies on it.
  virtual bool CheckArguments(int Index, const TZRArguments* Arguments);
  virtual void Calculate(int Index, const TZRArguments* Arguments, Variant& Result) = 0;
  // The first element whose name equals Name after upper-casing both; -1 when none.
  virtual int IndexOfElement(const AnsiString& Name);

  AnsiString ElementName(int Index);

  TZRElementCollection* Collection() const { return FCollection; }
  AnsiString LibraryName;
  AnsiString Description;
  AnsiString Tag;

private:
  TZRElementCollection* FCollection;
};

// A library of variables: their elements take no arguments.
class TZRVariableLibrary : public TZRElementLibrary {
  DECLARE_CLASS(TZRVariableLibrary, TZRElementLibrary)

public:
  using TZRElementLibrary::TZRElementLibrary;
  bool CheckArguments(int Index, const TZRArguments* Arguments) override;
};

// Creates a library for a collection (the libraries' virtual constructor).
using TZRElementLibraryFactory = TZRElementLibrary* (*)(TZRElementCollection* Collection);

template <class L>
TZRElementLibrary* CreateLibrary(TZRElementCollection* Collection) {
  return new L(Collection);
}

// Libraries by name, each line's object the library, owned.
class TZRElementCollection : public TStringList {
  DECLARE_CLASS(TZRElementCollection, TStringList)

public:
  TZRElementCollection() = default;
  // Frees the libraries, last first.
  ~TZRElementCollection() override;

  TZRElementLibrary* AddLibrary(TZRElementLibraryFactory Factory, const AnsiString& Name, const AnsiString& Tag,
                                const AnsiString& Description);
  TZRElementLibrary* Libraries(int Index) const;

  // Asks the libraries in line order; the first that knows Name answers.
  virtual bool FindElement(const AnsiString& Name, TZRElementLibrary*& Library, int& Index);
  // FindElement here, then in ElementLibraries().
  bool FindElementEverywhere(const AnsiString& Name, TZRElementLibrary*& Library, int& Index);
};

// The process-wide collection of the built-in libraries.
TZRElementCollection& ElementLibraries();
