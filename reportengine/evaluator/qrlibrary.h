// The registry of expression functions.
//
// Each entry names a function class (a TQREvElementFunction descendant) that
// the parser instantiates by name. The one process-wide registry,
// BuiltInFunctions, holds the built-in functions in their registration order.
#pragma once
#include "classlib/classes/strings.h"
#include "classlib/system/ansistring.h"

class TQREvElement;

class TQRLibraryEntry : public TObject {
  DECLARE_CLASS(TQRLibraryEntry, TObject)

public:
  TQRLibraryEntry() = default;

  AnsiString Name;
  AnsiString Description;
  // Category digit and one letter per argument (N numeric, S string,
  // B boolean, V any value); it describes the function, nothing checks it.
  AnsiString ArgumentCode;
  TClass ElementClass = nullptr;
  AnsiString Vendor;
};

class TQRLibrary : public TObject {
  DECLARE_CLASS(TQRLibrary, TObject)

public:
  TQRLibrary() = default;
  ~TQRLibrary() override;

  void AddEntry(TClass ElementClass, const AnsiString& Name, const AnsiString& ArgumentCode,
                const AnsiString& Vendor, const AnsiString& Description);
  // The entry at Index, or nullptr outside the entries.
  virtual TQRLibraryEntry* EntryAt(int Index);
  int Count() const { return FEntries.Count(); }
  // A new element of the function registered under Name (case-insensitive),
  // or a new TQREvElementError "Unknown function : <Name>".
  TQREvElement* InstantiateFunction(const AnsiString& Name);

private:
  TStringList FEntries;  // names, each with its owned TQRLibraryEntry
};

class TQRFunctionLibrary : public TQRLibrary {
  DECLARE_CLASS(TQRFunctionLibrary, TQRLibrary)

public:
  TQRFunctionLibrary() = default;
};

// The process-wide registry, made on first use with the built-in functions
// registered (qrexprfunctions.cpp) and freed at exit.
TQRFunctionLibrary* BuiltInFunctions();

// Registers a function in BuiltInFunctions.
void RegisterReportFunction(TClass ElementClass, const AnsiString& Name, const AnsiString& Description,
                            const AnsiString& ArgumentCode, const AnsiString& Vendor);

// "Unknown function : <Name>".
AnsiString UnknownFunctionText(const AnsiString& Name);
