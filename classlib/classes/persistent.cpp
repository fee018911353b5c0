#include "classlib/classes/persistent.h"

#include "classlib/classes/typinfo.h"

IMPLEMENT_CLASS(TPersistent)

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  AnsiString sourceName = Source != nullptr ? Source->ClassName() : AnsiString("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

AnsiString TPersistent::GetNamePath() {
  AnsiString result = ClassName();
  TPersistent* owner = GetOwner();
  if (owner != nullptr) {
    AnsiString ownerPath = owner->GetNamePath();
    if (!ownerPath.empty())
      result = ownerPath + "." + result;
  }
  return result;
}
