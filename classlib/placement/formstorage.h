// TFormStorage: remembers chosen properties of a form's components between
// runs in an INI file (never the registry, never the window placement).
//
// StoredProps names them as "Component.Property", the component being one
// the storage's owner form owns. Each is kept in the section IniSection
// under the key "Component.Property": published integer, whole-number,
// floating-point and text properties, and a combo box's ItemIndex.
// Restoring reads the file once; a value that is missing, unreadable or that
// the component refuses (an index past its list) leaves the component as it
// is, so a damaged file gives the form's defaults.
#pragma once
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/strings.h"

class TFormStorage : public TComponent {
  DECLARE_CLASS(TFormStorage, TComponent)

public:
  explicit TFormStorage(TComponent* AOwner);
  ~TFormStorage() override;

  const AnsiString& IniFileName() const { return FIniFileName; }
  void SetIniFileName(const AnsiString& Value) { FIniFileName = Value; }
  // The section; the owner's class name ("TK_BarkodUretF") when empty.
  AnsiString IniSection() const;
  void SetIniSection(const AnsiString& Value) { FIniSection = Value; }
  TStrings* StoredProps() const { return FStoredProps.get(); }
  void SetStoredProps(TStrings* Value) { FStoredProps->Assign(Value); }

  // Sets the stored properties from the file.
  void RestoreFormPlacement();
  // Writes every stored property to the file, keeping its other lines;
  // EIniFileException when the file cannot be written.
  void SaveFormPlacement();

private:
  AnsiString FIniFileName;
  AnsiString FIniSection;
  std::unique_ptr<TStringList> FStoredProps;
};
