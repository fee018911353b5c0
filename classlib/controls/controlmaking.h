// Making a control in code as a form description would: owned, named,
// parented and, with MakeControlAt, placed. Forms built in code share these
// instead of each writing its own.
#pragma once
#include "classlib/controls/wincontrol.h"

template <class C>
C* MakeControl(TComponent* Owner, TWinControl* Parent, const AnsiString& Name) {
  C* control = new C(Owner);
  control->SetName(Name);
  control->SetParent(Parent);
  return control;
}

template <class C>
C* MakeControlAt(TComponent* Owner, TWinControl* Parent, const AnsiString& Name, int Left, int Top, int Width,
                 int Height) {
  C* control = MakeControl<C>(Owner, Parent, Name);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}
