#include "classlib/data/dbconsts.h"

#include "classlib/classes/component.h"

void DatabaseError(const AnsiString& message, const TComponent* component) {
  if (component != nullptr && !component->Name().empty())
    throw EDatabaseError(component->Name() + ": " + message);
  throw EDatabaseError(message);
}

void DatabaseErrorFmt(const char* format, std::initializer_list<TVarRec> args, const TComponent* component) {
  DatabaseError(Format(format, args), component);
}
