#include "design/dsnprop.h"

IMPLEMENT_CLASS(TCustomInspector)

void TCustomInspector::SetActive(bool Value) {
  FActive = Value;
  if (Value)
    Activate();
  else
    Deactivate();
}
