#include "reportengine/evaluator/qrlibrary.h"

#include "classlib/system/format.h"
#include "classlib/system/strutils.h"
#include "reportengine/evaluator/qrevelement.h"

IMPLEMENT_CLASS(TQRLibraryEntry)
IMPLEMENT_CLASS(TQRLibrary)
IMPLEMENT_CLASS(TQRFunctionLibrary)

TQRLibrary::~TQRLibrary() {
  for (int i = 0; i < FEntries.Count(); ++i)
    delete FEntries.Objects(i);
}

void TQRLibrary::AddEntry(TClass ElementClass, const AnsiString& Name, const AnsiString& ArgumentCode,
                          const AnsiString& Vendor, const AnsiString& Description) {
  auto* entry = new TQRLibraryEntry;
  entry->Name = Name;
  entry->Description = Description;
  entry->ArgumentCode = ArgumentCode;
  entry->ElementClass = ElementClass;
  entry->Vendor = Vendor;
  try {
    FEntries.AddObject(Name, entry);
  } catch (...) {
    delete entry;
    throw;
  }
}

TQRLibraryEntry* TQRLibrary::EntryAt(int Index) {
  if (Index < 0 || Index >= FEntries.Count())
    return nullptr;
  return static_cast<TQRLibraryEntry*>(FEntries.Objects(Index));
}

TQREvElement* TQRLibrary::InstantiateFunction(const AnsiString& Name) {
  // Upper-cased first: the list compares by the Turkish collation, where "i"
  // is not the small letter of "I", and the registered names are upper case.
  int index = FEntries.IndexOf(AnsiUpperCase(Name));
  TQRLibraryEntry* entry = EntryAt(index);
  if (entry == nullptr)
    return new TQREvElementError(UnknownFunctionText(Name));
  return static_cast<TQREvElement*>(entry->ElementClass->Create());
}

void RegisterReportFunction(TClass ElementClass, const AnsiString& Name, const AnsiString& Description,
                            const AnsiString& ArgumentCode, const AnsiString& Vendor) {
  BuiltInFunctions()->AddEntry(ElementClass, Name, ArgumentCode, Vendor, Description);
}

AnsiString UnknownFunctionText(const AnsiString& Name) {
  return Format("Unknown function : %s", {Name});
}
