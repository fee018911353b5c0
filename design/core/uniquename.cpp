#include "design/core/uniquename.h"

#include "classlib/classes/component.h"
#include "classlib/system/numconv.h"

void MakeUniqueComponentName(TComponent* Owner, TComponent* Component, AnsiString& Name) {
  if (Owner == nullptr || Name.empty())
    return;
  const AnsiString base = Component->ClassName().substr(1);
  for (int counter = 1; Owner->FindComponent(Name) != nullptr; ++counter)
    Name = base + IntToStr(counter);
}
