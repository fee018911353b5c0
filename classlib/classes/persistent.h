// TPersistent: objects that can be copied into one another and streamed.
//
// Assign copies another object's state into this one. A class that knows how
// to copy from a source overrides Assign; a class that knows how to copy
// itself into a destination overrides AssignTo. When neither does, Assign
// raises EConvertError "Cannot assign a <source class> to a <this class>".
//
// Published properties stream themselves; DefineProperties adds values that
// are not published properties (a list of strings, binary picture data).
#pragma once
#include "classlib/classes/object.h"

class TFiler;

class TPersistent : public TObject {
  DECLARE_CLASS(TPersistent, TObject)

public:
  TPersistent() = default;

  virtual void Assign(TPersistent* Source);
  // "Owner.Property" path used by designers and error texts.
  virtual AnsiString GetNamePath();
  // Public so the filer can reach it; classes override it as protected.
  virtual void DefineProperties(TFiler& Filer) {}
  // The object that owns this one for GetNamePath; nullptr by default.
  virtual TPersistent* GetOwner() { return nullptr; }

protected:
  virtual void AssignTo(TPersistent* Dest);

private:
  [[noreturn]] void AssignError(TPersistent* Source);
};
